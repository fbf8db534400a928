#include "skins/skin_browser.h"

#include "platform/runtime.h"
#include "skins/skin_colors.h"
#include "skins/skin_settings.h"
#include "skins/window_outlines.h"

namespace kv {

namespace {
toolkit::FrameStyle frame_style() {
    toolkit::FrameStyle s;
    s.design_title = "  Skin Browser  ";
    s.width = 4095;
    s.height = 3375;
    s.middle_follows_left = true;
    return s;
}
}  // namespace

skin_browser::skin_browser() : toolkit::FramedForm("skin_browser", frame_style()) {}

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
