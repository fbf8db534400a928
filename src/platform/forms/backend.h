#pragma once
// The seam between the window model and a display. The headless backend serves tests and the driver;
// the Qt backend shows real windows. Everything the model needs of the outside world goes through here.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/control.h"

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
    // Waits until the descriptor has something to read or timeout_ms pass (negative: no limit), as a
    // caller waits for a plug-in's answer: no input is taken meanwhile, but the windows stay painted.
    // True when it became readable. Without a display this is a plain wait.
    virtual bool wait_readable(int fd, int timeout_ms);

    // Timers: called whenever a timer is switched on or off or its interval changes.
    virtual void timer_changed(Timer& timer) = 0;
    virtual void timer_destroyed(Timer& timer) = 0;
    // A wheel turn has arrived in the form's inbox: its sleeping wheel timers have work again.
    virtual void wheel_arrived(Form& /*form*/) {}

    // Text and fonts.
    virtual TextSize measure_text(const Font& font, const std::string& text) = 0;
    virtual std::vector<std::string> installed_fonts() = 0;

    // Dialogs and the screen. Dialogs return nothing when cancelled.
    virtual std::optional<std::filesystem::path> open_file(const FileDialogRequest& request) = 0;
    virtual std::optional<std::filesystem::path> choose_folder(const FolderDialogRequest& request) = 0;
    virtual void system_message(const std::string& caption, const std::string& text, MessageIcon icon) = 0;
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

// The display in use. Tests that install none get a headless one.
Backend& backend();
void set_backend(Backend* b);

// Ends the program at once, as the forms runtime's End statement did: nothing after it runs.
struct ProgramEnded {};
[[noreturn]] void end_program();

}  // namespace kv::forms
