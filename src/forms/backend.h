#pragma once
// The seam between the window model and a display. The headless backend serves tests and the driver;
// the Qt backend shows real windows. Everything the model needs of the outside world goes through here.
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "forms/control.h"
#include "platform/host_hooks.h"

namespace kv::forms {

class Form;
class Timer;

struct TextSize {
    float width = 0;   // twips
    float height = 0;  // twips
};

struct FileDialogRequest {
    std::string title;
    std::string filter_description;  // "Executable files"
    std::string filter_pattern;      // "*.exe" ; several separated by ';'
    std::filesystem::path start_folder;
    std::filesystem::path preselected;  // the file last chosen, when there is one
    const Form* owner = nullptr;
};

struct FolderDialogRequest {
    std::string title;
    std::filesystem::path start_folder;
    const Form* owner = nullptr;
};

enum class MessageIcon { none, information, exclamation, critical };

// How a wait for something outside the program ended.
using WaitEnd = platform::WaitEnd;

// A screen's place on the desktop, in twips.
struct ScreenArea {
    float left = 0, top = 0, width = 0, height = 0;
};

class Backend {
  public:
    virtual ~Backend() = default;

    // Window lifecycle and drawing. form_changed asks for a repaint after any change of the model.
    virtual void form_created(Form& form) = 0;
    virtual void form_destroyed(Form& form) = 0;
    virtual void form_changed(Form& form) = 0;
    virtual void form_shown(Form& form) = 0;
    virtual void form_hidden(Form& form) = 0;
    // Runs events until the form is hidden, as a nested message loop would.
    virtual void run_modal(Form& form) = 0;
    // Waits until one of the descriptors has something to read or timeout_ms pass (negative: no limit),
    // as a caller waits for a plug-in's answer: the windows stay painted, but what the user clicks or
    // types meanwhile is dropped, never run afterwards. With input_ends_wait, a mouse button or key
    // pressed on a window of the program once the wait has lasted a second ends it with
    // WaitEnd::input (earlier ones belong to the click that started the wait). Without a display this
    // is a plain wait.
    virtual WaitEnd wait_readable(std::span<const int> fds, int timeout_ms, bool input_ends_wait = false);
    // The busy cursor over the program's windows, while the program waits for something outside it.
    // Calls nest: the cursor goes back once every set_busy(true) has had its set_busy(false).
    virtual void set_busy(bool /*busy*/) {}

    // Timers: called whenever a timer is switched on or off or its interval changes.
    virtual void timer_changed(Timer& timer) = 0;
    virtual void timer_destroyed(Timer& timer) = 0;
    // A wheel turn has arrived in the form's inbox: its sleeping wheel timers have work again.
    virtual void wheel_arrived(Form& /*form*/) {}

    // Text and fonts.
    virtual TextSize measure_text(const Font& font, const std::string& text) = 0;
    // The same text broken at blanks into lines no wider than max_width (twips), as a label that
    // wraps its words draws it; a word wider than that has a line of its own.
    virtual TextSize measure_wrapped_text(const Font& font, const std::string& text, float max_width) = 0;
    virtual std::vector<std::string> installed_fonts() = 0;

    // Dialogs and the screen. Dialogs return nothing when cancelled.
    virtual std::optional<std::filesystem::path> open_file(const FileDialogRequest& request) = 0;
    virtual std::optional<std::filesystem::path> choose_folder(const FolderDialogRequest& request) = 0;
    // The system's message box, over the window it belongs to (owner; nullptr: none).
    virtual void system_message(const Form* owner, const std::string& caption, const std::string& text,
                                MessageIcon icon) = 0;
    // A question with Yes and No in the system's message box; true for Yes.
    virtual bool system_question(const Form* owner, const std::string& caption, const std::string& text) = 0;
    virtual void beep() = 0;
    virtual float screen_width() = 0;   // twips
    virtual float screen_height() = 0;  // twips
    // Every screen of the desktop; a display of one screen has only the primary one.
    virtual std::vector<ScreenArea> screen_areas() { return {{0, 0, screen_width(), screen_height()}}; }
    // The clipboard's text, as text boxes copy and paste it. Without a display it is the program's own.
    virtual std::string clipboard_text() { return clipboard_; }
    virtual void set_clipboard_text(const std::string& text) { clipboard_ = text; }

  private:
    std::string clipboard_;
};

// The display in use, set by whoever starts the program (the Qt program, the script driver, the
// tests); asking for it while none is set ends the process with a message. Setting it also sets the
// host hooks (platform/host_hooks.h) through which the layers below the windows wait and show the
// busy cursor.
Backend& backend();
void set_backend(Backend* b);
// The display, or nullptr while none is set: a window torn down after its display was unset (a
// test's teardown) has nothing left to tell it.
Backend* backend_if_set();

// Ends the program at once, as the forms runtime's End statement did: nothing after it runs.
struct ProgramEnded {};
[[noreturn]] void end_program();

}  // namespace kv::forms
