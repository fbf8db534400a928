#include "toolkit/messages_form.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "forms/backend.h"
#include "forms/screen_place.h"
#include "platform/runtime.h"

namespace kv {

using toolkit::CaptionDesign;
using toolkit::ControlDesign;
using toolkit::ControlLook;
using toolkit::ControlType;
using toolkit::FrameStyle;
using toolkit::TextLook;
using toolkit::WindowRow;

namespace {

constexpr float icon_size = 720;
constexpr float text_margins = 1470;  // 960 left of the text, 510 right of it
constexpr float design_height = 1785;
constexpr float ok_top = 1200;
constexpr float ok_to_bottom = design_height - ok_top;
// Two lines of text fit above OK; a taller text keeps this much room above it.
constexpr float text_to_ok = 150;
// The widest a message's lines grow (480 pixels, some 80 characters), as far as a person reads a line
// comfortably; a longer text wraps there, and a path in it breaks after its slashes.
constexpr float comfortable_text_width = 7200;

// Field `index` of a "|"-joined record as a number; nothing when it is missing or no number.
std::optional<double> number_field(std::string_view record, size_t index) {
    for (size_t i = 0; i < index; ++i) {
        const size_t bar = record.find('|');
        if (bar == std::string_view::npos) return std::nullopt;
        record.remove_prefix(bar + 1);
    }
    record = record.substr(0, record.find('|'));
    try {
        return platform::text_to_double(record);
    } catch (const platform::Failure&) {
        return std::nullopt;
    }
}

constexpr WindowRow rows[] = {
    ControlDesign{ControlType::picture_box, {"Picture1"}, 150, 390, icon_size, icon_size},
    ControlDesign{ControlType::image,
                  {"message_image"},
                  0,
                  0,
                  icon_size,
                  2 * icon_size,
                  ControlLook::stretched,
                  {"Picture1"}},
    // Sized to the text by show_exclamation.
    CaptionDesign{"Label31", 960, 660, 0, "", 0, TextLook::auto_sized},
    // Centred at the design width until the first message places it.
    toolkit::dialog_button("Picture17", 1500, ok_top, "Image1", "Label22", "OK", "Label43"),
};

}  // namespace

messages_form::messages_form()
    : FramedForm("messages_form",
                 FrameStyle{.design_title = "  Exclamation  ", .width = 3855, .height = design_height}),
      design_(*this, {rows}),
      Picture1(design_.get<forms::PictureBox>("Picture1")),
      message_image(design_.get<forms::Image>("message_image")),
      Label31(design_.get<forms::Label>("Label31")),
      Picture17(design_.get<forms::PictureBox>("Picture17")),
      Image1(design_.get<forms::Image>("Image1")),
      Label22(design_.get<forms::Label>("Label22")),
      Label43(design_.get<forms::Label>("Label43")) {
    Picture1.set_back_color(0x808080);
    Label43.on_click = [this] { Label43_Click(); };
    expose("trim_factor", [this] { return trim_factor; });
}

void messages_form::Form_Load() {
    arrange_frame();
}

void messages_form::show_exclamation(const std::string& message, const std::string& message_caption,
                                     int16_t message_icon) {
    message_image.set_top(0);
    if (message_icon == 1) message_image.set_top(-icon_size);
    // A message wider than a comfortable line (a long path, a language file's long text) wraps at its
    // words within it, and within the screen, so that the box and its OK stay on it; shorter messages
    // keep one line each.
    Label31.set_word_wrap(false);
    Label31.set_caption(message);
    const forms::ScreenArea screen = forms::screen_showing(left(), top(), width(), height());
    const float widest_text = std::min(comfortable_text_width, screen.width - text_margins);
    if (Label31.width() > widest_text && widest_text > 0) {
        Label31.set_width(widest_text);
        Label31.set_word_wrap(true);
    }
    Framebar_title.set_caption("  " + message_caption + "  ");
    forms::backend().beep();
    set_width(Label31.width() + text_margins);
    // A text of more lines than fit above OK moves OK and the bottom down with it: no line of a
    // message is hidden behind OK or cut off below it. The box stops at the screen's height, OK
    // at its bottom.
    const float tallest = std::max(screen.height, design_height);
    const float text_ok_top =
        std::min(std::max(ok_top, Label31.top() + Label31.height() + text_to_ok), tallest - ok_to_bottom);
    set_height(text_ok_top + ok_to_bottom);
    Picture17.set_top(text_ok_top);
    arrange_frame();
    Picture17.set_left(width() / 2 - Picture17.width() / 2);
    apply_outline();
}

void messages_form::apply_outline() {
    // The skin keeps trim_factor as a corner and a divisor above 0. Anything else falls back to the
    // start-up value of that field (square corners, nothing cut off): a bad setting must never hide
    // the modal box the user has to press OK in, nor keep the message from being shown.
    const double w = width();
    const double h = height();
    int32_t corner = 0;
    if (auto c = number_field(trim_factor, 0))
        platform::skip_failure([&] { corner = platform::to_int32(*c); });
    int32_t bottom = platform::to_int32(h + 1);
    if (auto d = number_field(trim_factor, 1); d && *d > 0)
        platform::skip_failure([&] { bottom = platform::to_int32(h / *d + 1); });
    const int32_t right = platform::to_int32(w / forms::twips_per_pixel + 1);
    set_region(forms::Region{0, 0, right, bottom, corner, corner});
}

void messages_form::Label43_Click() {
    hide();
}

}  // namespace kv
