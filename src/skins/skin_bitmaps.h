#pragma once
// The 43 bitmaps of a skin and the image controls each one dresses, addressed by window and control
// name. A skin is applied whole or not at all: every bitmap is loaded before any control changes.
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "platform/picture.h"

namespace kv::skins {

// An element index for "every element of the control array".
inline constexpr int all_elements = -2;
// An element index for a control that is no array element.
inline constexpr int single_control = -1;

struct BitmapTarget {
    std::string_view file;
    std::string_view window;
    std::string_view control;
    int index = single_control;
};

// The 43 file names, in the order the skin's files are listed.
std::span<const std::string_view> skin_bitmap_files();

// Every target in the order the pictures are set: the frame pieces window by window, the other single
// images, then the control arrays.
std::span<const BitmapTarget> skin_bitmap_targets();

// Whether every bitmap of the skin exists and decodes.
bool skin_loads_whole(const std::string& skin_name);

// Loads every bitmap of the skin, then sets every target's picture. When any bitmap cannot be loaded
// it fails with that bitmap's error and no picture has changed. Windows and controls that the program
// does not have are passed over.
void apply_skin_bitmaps(const std::string& skin_name);

// Sets every target's picture from the given pictures, one for each of the 43 file names.
void dress_windows(const std::map<std::string_view, platform::Picture>& pictures);

}  // namespace kv::skins
