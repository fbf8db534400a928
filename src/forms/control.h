#pragma once
// A control of a window. Every control has a name (and an index when it belongs to a control array),
// a place in twips relative to its container, and the forms runtime's property names as accessors.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "forms/events.h"
#include "forms/geometry.h"

namespace kv::forms {

class Form;

// Colours as Windows stored them: 0x00BBGGRR.
using Color = uint32_t;
inline constexpr Color rgb(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}

// The system's button-face grey, which labels and picture boxes start with.
inline constexpr Color button_face = 0xF0F0F0;

// Places and sizes are twips; the screen is taken at a fixed 15 twips per pixel everywhere.
inline constexpr int twips_per_pixel = 15;
// The whole pixel a display puts a place or size in twips on (half a pixel away from zero).
int to_pixels(float twips);

struct Font {
    std::string name = "Microsoft Sans Serif";
    float size = 8.25f;
    bool bold = false;
    bool italic = false;
    bool operator==(const Font&) const = default;
};

enum class ControlKind { label, image, picture_box, text_box, list_box, shape, line, frame, timer };

// An event handler, used as a std::function is: empty until set, tested, called, copied. Kept behind
// one pointer, since a window has hundreds of controls and most of their handlers stay empty.
template <typename Signature>
class Handler;

template <typename R, typename... Args>
class Handler<R(Args...)> {
  public:
    using Function = std::function<R(Args...)>;

    Handler() = default;
    Handler(std::nullptr_t) {}
    template <typename F, typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, Handler> &&
                                                      std::is_constructible_v<Function, F&&>>>
    Handler(F&& f) {
        Function function(std::forward<F>(f));
        if (function) function_ = std::make_unique<Function>(std::move(function));
    }
    Handler(const Handler& other)
        : function_(other.function_ ? std::make_unique<Function>(*other.function_) : nullptr) {}
    Handler(Handler&&) noexcept = default;
    Handler& operator=(Handler other) noexcept {
        function_ = std::move(other.function_);
        return *this;
    }
    ~Handler() = default;

    explicit operator bool() const { return function_ != nullptr; }
    // Calling an empty handler fails as calling an empty std::function does.
    R operator()(Args... args) const {
        if (!function_) throw std::bad_function_call();
        return (*function_)(std::forward<Args>(args)...);
    }

  private:
    std::unique_ptr<Function> function_;
};

class Control : public Geometry {
  public:
    Control(Form& form, ControlKind kind, std::string name, int index, Control* container);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }  // -1 when not an array element
    std::string full_name() const;        // "name" or "name(3)"
    Form& form() const { return form_; }
    Control* container() const { return container_; }

    // Windowed controls stand above lightweight ones in the same container.
    bool windowed() const;
    // Picture boxes and frames hold other controls and clip them.
    bool is_container() const;
    // Shapes, lines and timers never take the mouse.
    bool takes_mouse() const;

    // Left, Top, Width and Height come from Geometry, relative to the container.
    void move(float l, float t, float w, float h);

    bool visible() const { return visible_; }
    void set_visible(bool v);
    bool enabled() const { return enabled_; }
    // The place in the order Tab walks the window's boxes; -1 leaves it to the order they were made.
    int tab_index() const { return tab_index_; }
    void set_tab_index(int i) { tab_index_ = i; }
    void set_enabled(bool v);

    // Text appearance, used by the controls that show text.
    const Font& font() const { return font_; }
    void set_font(const Font& f);
    void set_font_name(const std::string& n);
    void set_font_size(float s);
    void set_font_bold(bool b);
    void set_font_italic(bool i);
    Color fore_color() const { return fore_color_; }
    void set_fore_color(Color c);
    Color back_color() const { return back_color_; }
    void set_back_color(Color c);

    // The control's position in form coordinates (twips), following its containers.
    float form_x() const;
    float form_y() const;
    // Whether the control and all its containers are visible.
    bool shown() const;

    // A property by its forms-runtime name, as text, for the driver ("Left", "Caption", "Picture"...).
    virtual std::optional<std::string> property(std::string_view property_name) const;

    // Events. Handlers are set by the window that owns the control.
    Handler<void(const MouseEvent&)> on_mouse_down, on_mouse_up, on_mouse_move;
    Handler<void()> on_click, on_dbl_click, on_change;
    Handler<void(int16_t&key_code, int16_t shift)> on_key_down, on_key_up;
    Handler<void(int16_t& key_ascii)> on_key_press;

  protected:
    // Tells the window (and through it the display) that something it draws changed.
    void changed();
    // Sets a property the window draws; the window hears of it only when the value really changes.
    template <typename T, typename V>
    void set_drawn(T& field, V&& value) {
        if (field == value) return;
        field = std::forward<V>(value);
        changed();
    }
    void geometry_changed() override { changed(); }
    std::string geometry_name() const override { return full_name(); }
    // Lets auto-sized controls adapt after a font change.
    virtual void font_changed() {}
    // Lets timers restart when switched on or off.
    virtual void enabled_changed() {}

  private:
    Form& form_;
    ControlKind kind_;
    std::string name_;
    int index_;
    Control* container_;
    bool visible_ = true;
    bool enabled_ = true;
    int tab_index_ = -1;
    Font font_;
    Color fore_color_ = 0x000000;
    Color back_color_ = 0xFFFFFF;
};

}  // namespace kv::forms
