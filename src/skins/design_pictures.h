#pragma once
// The windows' design pictures: the Midnight skin's 43 bitmaps, painted at build time and built into
// the program, so that a window shows Midnight's look until a skin sets its own, and keeps it when no
// skin at all can be loaded.
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/picture.h"

namespace kv::skins {

struct DesignPicture {
    std::string_view file;  // the skin bitmap it stands for
    int width;              // pixels
    int height;
    const uint32_t* rgb;  // width * height pixels, 0xRRGGBB, row by row from the top
};

// Made by the build (korvalin-skin-painter --embed).
std::span<const DesignPicture> design_pictures();

// The design picture for a skin bitmap's file name; empty for a name that is none of the 43.
platform::Picture design_picture(std::string_view file);

// Dresses every window the skin dresses in the design pictures.
void apply_design_pictures();

}  // namespace kv::skins
