#include <map>

#include "skins/design_pictures.h"
#include "skins/skin_bitmaps.h"

namespace kv::skins {

platform::Picture design_picture(std::string_view file) {
    for (const DesignPicture& d : design_pictures()) {
        if (d.file != file) continue;
        platform::PictureData data;
        data.width = d.width;
        data.height = d.height;
        const std::size_t count = static_cast<std::size_t>(d.width) * static_cast<std::size_t>(d.height);
        data.argb.reserve(count);
        for (std::size_t i = 0; i < count; ++i) data.argb.push_back(0xFF000000u | d.rgb[i]);
        return platform::Picture::from_data(std::move(data), std::string(file));
    }
    return {};
}

void apply_design_pictures() {
    std::map<std::string_view, platform::Picture> pictures;
    for (std::string_view file : skin_bitmap_files()) pictures[file] = design_picture(file);
    dress_windows(pictures);
}

}  // namespace kv::skins
