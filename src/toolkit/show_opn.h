#pragma once
// The one way the user picks a file: the display's open-file dialog, centred on its owner, with one
// filter, a title and a starting folder.
#include <string>

#include "forms/form.h"

namespace kv::toolkit {

// Answers the chosen file as its folder (ending in '/'), "|" and its name, for instance
// "/home/ann/emus/|epsxe", or "cancel" when the user cancels or the dialog fails, or when the path
// holds a "|" (refused with a message: stored records could not hold it). Every dialog opens
// in the folder of the file last chosen through it, by any caller, with that file already in its
// name box when this dialog's filter lists it.
std::string browse_for_file(forms::Form& owner, const std::string& filter_description,
                            const std::string& filter_pattern, const std::string& dialog_title,
                            const std::string& initial_folder);

}  // namespace kv::toolkit
