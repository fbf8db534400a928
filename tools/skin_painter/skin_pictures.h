#pragma once
// Every picture of the Midnight skin: the 43 bitmaps the windows load and the browser's preview.
#include <span>
#include <string_view>

#include "canvas.h"

namespace kv::painter {

struct SkinPicture {
    std::string_view file;
    // The size the windows show the picture at, in pixels. The painters derive their sizes from the
    // windows' layouts in twips; this table says what that must come to, so a slip in either shows.
    int width;
    int height;
    Canvas (*paint)();
};

std::span<const SkinPicture> skin_pictures();

// Throws std::out_of_range for a name that is not in the table.
const SkinPicture& skin_picture(std::string_view file);

// The two larger pictures, in files of their own.
Canvas paint_platform_tiles();
Canvas paint_preview();

}  // namespace kv::painter
