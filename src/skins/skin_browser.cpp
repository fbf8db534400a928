#include "skins/skin_browser.h"

#include "platform/runtime.h"
#include "skins/skin_colors.h"
#include "skins/skin_settings.h"
#include "skins/window_outlines.h"

namespace kv {

skin_browser::skin_browser()
    : toolkit::FramedForm("skin_browser", toolkit::FrameStyle{.design_title = "  Skin Browser  ",
                                                              .width = 4095,
                                                              .height = 3375,
                                                              .middle_follows_left = true}) {}

void skin_browser::load_colors(const std::string& skins_name) {
    // One pass over the file; whatever fails ends it quietly, keeping what was applied before.
    stop_at_failure([&] {
        skins::SkinSettingsReader reader(skins::skin_settings_file(skins_name));
        skins::apply_skin_colors(reader, list_selected);
        skins::apply_skin_shapes(reader);
    });
}

void skin_browser::Form_Load() {
    // The list of skins is built here once skinning comes.
    arrange_frame();
}

}  // namespace kv
