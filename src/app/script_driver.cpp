#include "app/script_driver.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <sstream>
#include <vector>

#include "app/program.h"
#include "app/window_roster.h"
#include "forms/backend.h"
#include "forms/form.h"
#include "headless/headless_backend.h"
#include "model/plugins_module.h"
#include "platform/folder.h"
#include "platform/runtime.h"
#include "toolkit/windows.h"

namespace kv::app {

namespace {

struct ScriptError {
    std::string message;
};
struct ExpectFailed {};

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// "first rest-of-line": the first blank-separated word and everything after it.
std::pair<std::string, std::string> split_word(const std::string& s) {
    std::string t = trim(s);
    size_t sp = t.find_first_of(" \t");
    if (sp == std::string::npos) return {t, {}};
    return {t.substr(0, sp), trim(t.substr(sp + 1))};
}

std::vector<std::string> words(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> w;
    std::string x;
    while (in >> x) w.push_back(x);
    return w;
}

float number(const std::string& s) {
    try {
        return platform::text_to_single(s);
    } catch (const platform::Failure&) {
        throw ScriptError{"not a number: " + s};
    }
}

int16_t parse_mods(const std::string& mods) {
    int16_t shift = 0;
    std::string m;
    std::istringstream in(mods);
    while (std::getline(in, m, '+')) {
        if (m == "shift")
            shift |= forms::shift_mask;
        else if (m == "ctrl")
            shift |= forms::ctrl_mask;
        else if (m == "alt")
            shift |= forms::alt_mask;
        else if (!m.empty())
            throw ScriptError{"unknown modifier: " + m};
    }
    return shift;
}

struct KeyInfo {
    int16_t code;
    int16_t ascii;  // 0: no KeyPress
};

KeyInfo parse_key(const std::string& key, int16_t shift) {
    static const std::pair<const char*, KeyInfo> named[] = {
        {"Enter", {forms::keys::enter, 13}},
        {"Escape", {forms::keys::escape, 27}},
        {"Backspace", {forms::keys::back, 8}},
        {"Tab", {forms::keys::tab, 9}},
        {"Space", {forms::keys::space, 32}},
        {"Up", {forms::keys::up, 0}},
        {"Down", {forms::keys::down, 0}},
        {"Left", {forms::keys::left, 0}},
        {"Right", {forms::keys::right, 0}},
        {"Home", {forms::keys::home, 0}},
        {"End", {forms::keys::end, 0}},
        {"PageUp", {forms::keys::page_up, 0}},
        {"PageDown", {forms::keys::page_down, 0}},
        {"Delete", {forms::keys::del, 0}},
        {"F1", {forms::keys::f1, 0}},
    };
    for (auto& [name, info] : named)
        if (key == name) return info;
    if (key.size() == 1) {
        char c = key[0];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            int16_t ascii = static_cast<int16_t>(key[0]);
            if (c >= 'A' && c <= 'Z') {
                bool upper = (shift & forms::shift_mask) != 0;
                ascii = static_cast<int16_t>(upper ? c : c - 'A' + 'a');
                if (shift & forms::ctrl_mask) ascii = static_cast<int16_t>(c - 'A' + 1);
            }
            return {static_cast<int16_t>(c), ascii};
        }
    }
    throw ScriptError{"unknown key: " + key};
}

// The key code a typed character comes with.
int16_t code_for_char(uint32_t cp) {
    if (cp >= 'a' && cp <= 'z') return static_cast<int16_t>(cp - 'a' + 'A');
    if ((cp >= 'A' && cp <= 'Z') || (cp >= '0' && cp <= '9') || cp == ' ') return static_cast<int16_t>(cp);
    return 0;
}

std::vector<uint32_t> code_points(const std::string& s) {
    std::vector<uint32_t> out;
    for (size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        int n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        uint32_t cp = n == 1 ? c : c & (0xFF >> (n + 1));
        for (int k = 1; k < n && i + static_cast<size_t>(k) < s.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) & 0x3F);
        out.push_back(cp);
        i += static_cast<size_t>(n);
    }
    return out;
}

// "W.NAME TEXT": TEXT is everything after the blank that follows the name; a TEXT in double quotes
// keeps its leading and trailing blanks ("  Korvalin 1.2  ").
std::pair<std::string, std::string> expected_value(const std::string& args) {
    size_t sp = args.find_first_of(" \t");
    if (sp == std::string::npos) return {args, {}};
    std::string text = args.substr(sp + 1);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return {args.substr(0, sp), text.substr(1, text.size() - 2)};
    return {args.substr(0, sp), trim(text)};
}

class Driver {
  public:
    Driver(std::istream& in, std::ostream& out, std::ostream& err) : in_(in), out_(out), err_(err) {
        // No one presses anything while a plug-in runs here, so no one can be asked to stop it: a
        // configure or about that does not answer is stopped as the user's Yes would stop it.
        model::set_plugin_limits({model::test_limit, model::unattended_limit});
        forms::set_backend(&headless_);
        register_windows();
        headless_.set_input_source([this] { return run_next_line(); });
        headless_.on_system_message = [this](const std::string& caption, const std::string& text) {
            out_ << "system-message: " << caption << ": " << text << "\n";
        };
    }
    ~Driver() {
        toolkit::reset_forms();
        forms::set_backend(nullptr);
        model::set_plugin_limits({});
    }

    int run() {
        try {
            while (run_next_line()) {
            }
            return 0;
        } catch (const forms::ProgramEnded&) {
            out_ << "ended\n";
            return 0;
        } catch (const headless::InputEnded&) {
            return 0;
        } catch (const ExpectFailed&) {
            return 1;
        } catch (const ScriptError& e) {
            err_ << "line " << line_no_ << ": " << e.message << "\n";
            return 2;
        } catch (const platform::Failure& e) {
            err_ << "line " << line_no_ << ": the program failed: " << e.what() << "\n";
            return 2;
        }
    }

  private:
    bool run_next_line() {
        std::string line;
        while (std::getline(in_, line)) {
            ++line_no_;
            std::string t = trim(line);
            if (t.empty() || t[0] == '#') continue;
            execute(t);
            out_.flush();
            return true;
        }
        return false;
    }

    forms::Form& window(const std::string& name) {
        if (!started_) throw ScriptError{"the program has not been started"};
        forms::Form* f = toolkit::form_named(name);
        if (!f) throw ScriptError{"no window named " + name};
        return *f;
    }

    // "W.C" or "W.C(3)"
    std::pair<forms::Form*, forms::Control*> control(const std::string& path) {
        size_t dot = path.find('.');
        if (dot == std::string::npos) throw ScriptError{"expected WINDOW.CONTROL: " + path};
        forms::Form& f = window(path.substr(0, dot));
        forms::Control* c = f.find(path.substr(dot + 1));
        if (!c) throw ScriptError{"no control " + path.substr(dot + 1) + " in " + f.name()};
        return {&f, c};
    }

    std::string read_value(const std::string& path) {
        size_t dot = path.find('.');
        if (dot == std::string::npos) throw ScriptError{"expected WINDOW.NAME: " + path};
        forms::Form& f = window(path.substr(0, dot));
        std::string rest = path.substr(dot + 1);
        size_t dot2 = rest.find('.');
        if (dot2 != std::string::npos) {
            std::string cname = rest.substr(0, dot2), prop = rest.substr(dot2 + 1);
            forms::Control* c = f.find(cname);
            if (!c) throw ScriptError{"no control " + cname + " in " + f.name()};
            // The control's place in its window, following its containers: for scripts that point a
            // real mouse at it.
            if (prop == "WindowX") return platform::number_text(c->form_x());
            if (prop == "WindowY") return platform::number_text(c->form_y());
            auto v = c->property(prop);
            if (!v) throw ScriptError{"no property " + prop + " of " + cname};
            return *v;
        }
        if (auto v = f.variable(rest)) return *v;
        if (rest == "Left") return platform::number_text(f.left());
        if (rest == "Top") return platform::number_text(f.top());
        if (rest == "Width") return platform::number_text(f.width());
        if (rest == "Height") return platform::number_text(f.height());
        if (rest == "Visible") return platform::bool_text(f.visible());
        if (rest == "Caption") return f.caption();
        if (rest == "WindowState") return std::to_string(static_cast<int>(f.window_state()));
        if (rest == "Layered") return platform::bool_text(f.layered());
        if (rest == "Alpha") return std::to_string(f.alpha());
        if (rest == "TopMost") return platform::bool_text(f.top_most());
        if (rest == "Modal") return platform::bool_text(f.modal());
        if (rest == "Region") {
            if (!f.region()) return "none";
            auto& r = *f.region();
            std::ostringstream s;
            s << r.left << " " << r.top << " " << r.right << " " << r.bottom << " " << r.corner_width << " "
              << r.corner_height;
            return s.str();
        }
        forms::Control* c = f.find(rest);
        if (c) throw ScriptError{rest + " is a control: name one of its properties"};
        throw ScriptError{"no variable or property " + rest + " of " + f.name()};
    }

    // The point of the event in form twips.
    std::pair<float, float> point(const forms::Control& c, const std::vector<std::string>& w, size_t at) {
        // By default the centre of what shows of the control, since its containers clip it.
        float l = c.form_x(), t = c.form_y(), r = l + c.width(), b = t + c.height();
        for (const forms::Control* box = c.container(); box; box = box->container()) {
            l = std::max(l, box->form_x());
            t = std::max(t, box->form_y());
            r = std::min(r, box->form_x() + box->width());
            b = std::min(b, box->form_y() + box->height());
        }
        float x = (l + r) / 2 - c.form_x(), y = (t + b) / 2 - c.form_y();
        if (r <= l || b <= t) {
            x = c.width() / 2;
            y = c.height() / 2;
        }
        if (w.size() >= at + 2) {
            x = number(w[at]);
            y = number(w[at + 1]);
        }
        return {c.form_x() + x, c.form_y() + y};
    }

    // Says so when the event at the point reaches another control than the one named.
    void note_other_target(const forms::Form& f, const forms::Control& c, float x, float y) {
        if (f.captured()) return;
        forms::Control* hit = f.hit_test(x, y);
        if (hit != &c)
            err_ << "line " << line_no_ << ": note: the event at " << c.full_name() << " reaches "
                 << (hit ? hit->full_name() : std::string("nothing")) << "\n";
    }

    // A window below the modal one takes no input, as the window system keeps it from it: the event
    // reaches nothing, and standard error names the window that blocks it.
    bool blocked(const forms::Form& f, const std::string& target) {
        const forms::Form* by = forms::blocked_by(f);
        if (!by) return false;
        err_ << "line " << line_no_ << ": note: the event at " << target << " reaches nothing: the modal "
             << by->name() << " blocks " << f.name() << "\n";
        return true;
    }

    static std::string target_name(const forms::Form& f, const forms::Control& c) {
        return f.name() + "." + c.full_name();
    }

    // Whether a mouse event at the point reaches the window, with a note on what it reaches there.
    bool reaches(const forms::Form& f, const forms::Control& c, float x, float y) {
        if (blocked(f, target_name(f, c))) return false;
        note_other_target(f, c, x, y);
        return true;
    }

    void mouse(const std::string& verb, const std::string& args) {
        auto w = words(args);
        if (w.empty()) throw ScriptError{verb + " needs WINDOW.CONTROL"};
        auto [f, c] = control(w[0]);
        if (verb == "click" || verb == "dblclick") {
            auto [x, y] = point(*c, w, 1);
            if (!reaches(*f, *c, x, y)) return;
            f->deliver_mouse_down(x, y, forms::left_button, 0);
            f->deliver_mouse_up(x, y, forms::left_button, 0);
            if (verb == "dblclick") {
                f->deliver_double_click(x, y, forms::left_button, 0);
                f->deliver_mouse_up(x, y, forms::left_button, 0);
            }
            return;
        }
        if (verb == "move") {
            if (w.size() < 4) throw ScriptError{"move needs WINDOW.CONTROL BUTTONS X Y"};
            auto buttons = static_cast<int16_t>(number(w[1]));
            auto [x, y] = point(*c, w, 2);
            if (!reaches(*f, *c, x, y)) return;
            f->deliver_mouse_move(x, y, buttons, 0);
            return;
        }
        int16_t button = w.size() >= 2 ? static_cast<int16_t>(number(w[1])) : forms::left_button;
        auto [x, y] = point(*c, w, 2);
        if (!reaches(*f, *c, x, y)) return;
        if (verb == "down")
            f->deliver_mouse_down(x, y, button, 0);
        else
            f->deliver_mouse_up(x, y, button, 0);
    }

    void focus(forms::Form& f, forms::Control& c) {
        if (c.kind() == forms::ControlKind::text_box || c.kind() == forms::ControlKind::list_box)
            f.set_focus(&c);
    }

    void key(const std::string& args) {
        auto w = words(args);
        if (w.size() < 2) throw ScriptError{"key needs WINDOW.CONTROL KEY [MODS]"};
        auto [f, c] = control(w[0]);
        int16_t shift = w.size() >= 3 ? parse_mods(w[2]) : 0;
        KeyInfo k = parse_key(w[1], shift);
        if (blocked(*f, target_name(*f, *c))) return;
        focus(*f, *c);
        int16_t code = k.code;
        f->deliver_key_down(code, shift);
        if (k.ascii) f->deliver_key_press(k.ascii);
        f->deliver_key_up(k.code, shift);
    }

    void type(const std::string& args) {
        auto [path, text] = split_word(args);
        auto [f, c] = control(path);
        if (blocked(*f, target_name(*f, *c))) return;
        focus(*f, *c);
        if (auto* box = dynamic_cast<forms::TextBox*>(c))
            box->set_sel_start(static_cast<int>(box->text().size()));
        for (uint32_t cp : code_points(text)) {
            int16_t code = code_for_char(cp);
            int16_t shift = (cp >= 'A' && cp <= 'Z') ? forms::shift_mask : 0;
            f->deliver_key_down(code, shift);
            f->deliver_key_press(static_cast<int16_t>(cp > 0x7FFF ? '?' : cp));
            f->deliver_key_up(code, shift);
        }
    }

    void execute(const std::string& line) {
        auto [verb, args] = split_word(line);
        if (verb == "folder") {
            if (started_) throw ScriptError{"folder must come before start"};
            platform::set_program_folder(args);
        } else if (verb == "start") {
            started_ = true;
            start_program();
        } else if (verb == "down" || verb == "up" || verb == "move" || verb == "click" ||
                   verb == "dblclick") {
            mouse(verb, args);
        } else if (verb == "key") {
            key(args);
        } else if (verb == "type") {
            type(args);
        } else if (verb == "wheel") {
            auto w = words(args);
            if (w.size() != 2) throw ScriptError{"wheel needs WINDOW DELTA"};
            forms::Form& f = window(w[0]);
            const int delta = static_cast<int>(number(w[1]));
            if (blocked(f, f.name())) return;
            f.deliver_wheel(delta);
            // One polling tick takes it; a message nobody polls for is consumed by the message loop.
            headless_.advance(10);
            while (f.take_wheel()) {
            }
        } else if (verb == "end-session") {
            end_session();
        } else if (verb == "plugin-limit") {
            const float ms = number(args);
            if (!(ms >= 1 && ms <= 86400000))
                throw ScriptError{"plugin-limit needs milliseconds from 1 to 86400000"};
            const std::chrono::milliseconds limit{static_cast<int64_t>(ms)};
            model::set_plugin_limits({limit, limit});
        } else if (verb == "tick") {
            headless_.advance(static_cast<int64_t>(number(args)));
        } else if (verb == "answer-file") {
            headless_.answer_file(args == "cancel" ? std::nullopt : std::optional<std::string>(args));
        } else if (verb == "answer-folder") {
            headless_.answer_folder(args == "cancel" ? std::nullopt : std::optional<std::string>(args));
        } else if (verb == "get") {
            out_ << read_value(args) << "\n";
        } else if (verb == "expect") {
            auto [path, expected] = expected_value(args);
            std::string actual = read_value(path);
            if (actual != expected) {
                out_ << "expect failed at line " << line_no_ << ": " << path << "\n  expected: " << expected
                     << "\n  actual:   " << actual << "\n";
                throw ExpectFailed{};
            }
        } else if (verb == "windows") {
            for (forms::Form* f : toolkit::created_forms())
                if (f->visible()) out_ << f->name() << (f->modal() ? " (modal)" : "") << "\n";
        } else if (verb == "screen") {
            auto w = words(args);
            if (w.size() != 2) throw ScriptError{"screen needs WIDTH HEIGHT in pixels"};
            headless_.set_screen_size(number(w[0]) * forms::twips_per_pixel,
                                      number(w[1]) * forms::twips_per_pixel);
        } else if (verb == "fonts") {
            std::vector<std::string> fonts;
            std::istringstream in(args);
            std::string f;
            while (std::getline(in, f, ',')) fonts.push_back(trim(f));
            headless_.set_fonts(fonts);
        } else {
            throw ScriptError{"unknown command: " + verb};
        }
    }

    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    headless::HeadlessBackend headless_;
    int line_no_ = 0;
    bool started_ = false;
};

}  // namespace

int run_script(std::istream& script, std::ostream& out, std::ostream& err) {
    Driver d(script, out, err);
    return d.run();
}

}  // namespace kv::app
