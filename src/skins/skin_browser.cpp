#include "skins/skin_browser.h"

#include "model/skin_settings.h"
#include "platform/folder.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "skins/skin_colors.h"
#include "skins/window_outlines.h"
#include "toolkit/message_box.h"

namespace kv {

namespace {

using toolkit::CaptionDesign;
using toolkit::ControlDesign;
using toolkit::ControlLook;
using toolkit::ControlType;

constexpr float preview_width = 1815, preview_height = 1755;

constexpr toolkit::WindowRow rows[] = {
    ControlDesign{ControlType::picture_box, {"Picture8"}, 2160, 450, preview_width, preview_height},
    ControlDesign{ControlType::image,
                  {"preview_border"},
                  0,
                  0,
                  preview_width,
                  preview_height,
                  ControlLook::stretched,
                  {"Picture8"}},
    ControlDesign{ControlType::image, {"Image1"}, 30, 30, 1755, 1695, ControlLook::plain, {"Picture8"}},
    CaptionDesign{"Label2", 120, 2280, 1935, "Description:"},
    CaptionDesign{"Label1", 2160, 2280, 1815, "Author:"},
    ControlDesign{ControlType::shape, {"Shape1"}, 120, 2520, 1935, 735},
    CaptionDesign{"Label10", 150, 2540, 1815, " ", 615, toolkit::TextLook::wrapped},
    ControlDesign{ControlType::shape, {"Shape2"}, 2160, 2520, 1815, 255},
    CaptionDesign{"Label11", 2195, 2540, 1815, ""},
    toolkit::dialog_button("Picture3", 2160, 2880, "button_image2", "Label13", "Cancel", "Label15"),
    toolkit::dialog_button("Picture4", 3120, 2880, "button_image1", "Label12", "Ok", "Label14"),
};

}  // namespace

skin_browser::skin_browser()
    : toolkit::FramedForm("skin_browser", toolkit::FrameStyle{.design_title = "  Skin Browser  ",
                                                              .width = 4095,
                                                              .height = 3375,
                                                              .middle_follows_left = true}),
      list(*this, toolkit::ListLayout::skin_browser(), toolkit::ListVariant::skin_browser(), list_source()),
      design_(*this, {rows}),
      Image1(design_.get<forms::Image>("Image1")),
      Label10(design_.get<forms::Label>("Label10")),
      Label11(design_.get<forms::Label>("Label11")),
      button_image1(design_.get<forms::Image>("button_image1")),
      Label14(design_.get<forms::Label>("Label14")),
      Label15(design_.get<forms::Label>("Label15")) {
    Label14.on_click = [this] { Label14_Click(); };
    Label15.on_click = [this] { Label15_Click(); };
    expose("selected_skin", [this] { return selected_skin; });
    expose("list_selected", [this] { return std::to_string(list_selected); });
    expose("skin_count", [this] { return std::to_string(skin_list.size()); });
}

toolkit::ListSource skin_browser::list_source() {
    toolkit::ListSource s = toolkit::vector_list_source(skin_list, selected_skin);
    s.follow_up = [this] { show_skin_info(selected_skin); };
    return s;
}

void skin_browser::Form_Load() {
    load_skin_list();
    list.show_list();
    arrange_frame();
}

void skin_browser::load_skin_list() {
    list.clear_list();
    // A missing Skins folder lists nothing.
    skin_list = platform::list_folder_entries(platform::program_folder() / "Skins");
}

void skin_browser::show_skin_info(const std::string& skin_name) {
    Label10.set_visible(false);
    Label11.set_visible(false);
    Image1.set_visible(false);
    platform::stop_at_failure([&] {
        model::SkinSettingsReader reader(model::skin_settings_file(skin_name));
        Label11.set_caption(model::line_value(reader.next_line()));
        Label10.set_caption(model::line_value(reader.next_line()));
        Label10.set_visible(true);
        Label11.set_visible(true);
        const auto preview = platform::resolve_ignoring_case(
            platform::program_folder(), std::filesystem::path("Skins") / skin_name / "preview.bmp");
        if (!preview) throw platform::Failure("no preview in skin " + skin_name);
        Image1.set_picture(platform::Picture::load(*preview));
        Image1.set_visible(true);
    });
}

void skin_browser::load_colors(const std::string& skins_name) {
    // One pass over the file; whatever fails ends it quietly, keeping what was applied before.
    platform::stop_at_failure([&] {
        model::SkinSettingsReader reader(model::skin_settings_file(skins_name));
        skins::apply_skin_colors(reader, list_selected);
        skins::apply_skin_shapes(reader);
    });
}

void skin_browser::Label14_Click() {
    // An empty Skins folder leaves nothing to apply.
    if (skin_list.empty()) return Label15_Click();
    const std::string skin = selected_skin;
    // A skin that cannot be loaded whole changes nothing, so the skin in use is the one saved.
    if (platform::skip_failure([&] {
            if (load_chosen_skin) load_chosen_skin(skin);
        })) {
        toolkit::show_message(
            *this, "The skin \"" + skin + "\" cannot be loaded: some of its pictures are missing or damaged.",
            toolkit::warning_icon);
        return;
    }
    load_colors(skin);
    close_browser();
}

void skin_browser::Label15_Click() {
    close_browser();
}

void skin_browser::close_browser() {
    list.scroll_event.set_enabled(false);
    if (closed) closed();
    hide();
}

}  // namespace kv
