#pragma once
// The last step of Configure: the emulator's settings editor opened on the activated profile.
#include <string>

#include "forms/form.h"

namespace kv::configs {

// Calls get_emulator_path(emulator_folder, profile) of the editor of `emulator` ("ePSXe",
// "PSXeven", "PCSX" or "SSSPSX") and shows that editor modal over `owner`; the editor's Ok turns the
// configs window's wheel polling on again. Returns false when no editor was shown, so that the
// configs window turns its wheel polling back on itself and the user is never left without a way on.
// An emulator without an editor shows nothing. What the opening could not read because a name of the
// emulator's folder is there in several letter cases is told over `owner` first.
bool open_editor(const std::string& emulator, const std::string& emulator_folder, const std::string& profile,
                 forms::Form& owner);

}  // namespace kv::configs
