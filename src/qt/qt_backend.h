#pragma once
// The display on Qt 6 Widgets: every form a real frameless top-level window, its timers QTimers,
// its modal showing a nested event loop, its dialogs Qt's own (not the desktop's).
#include <QImage>
#include <QObject>
#include <QWidget>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "forms/backend.h"

class QEventLoop;
class QTimer;

namespace kv::qt {

class FormWindow;

class QtBackend : public forms::Backend {
  public:
    // Needs a QApplication. Installs the substitutes for Windows font names.
    QtBackend();
    ~QtBackend() override;
    QtBackend(const QtBackend&) = delete;
    QtBackend& operator=(const QtBackend&) = delete;

    // The form's window as it looks now, pending model changes applied first.
    QImage grab_form(const forms::Form& form);
    // The window of a form, and the native widget of a text or list box (nullptr when there is none).
    QWidget* window_of(const forms::Form& form) const;
    QWidget* widget_of(const forms::Control& control) const;
    // Applies every model change that is still waiting for the event loop.
    void sync_all();

    void form_created(forms::Form& form) override;
    void form_destroyed(forms::Form& form) override;
    void form_changed(forms::Form& form) override;
    void form_shown(forms::Form& form) override;
    void form_hidden(forms::Form& form) override;
    void run_modal(forms::Form& form) override;
    forms::WaitEnd wait_readable(std::span<const int> fds, int timeout_ms,
                                 bool input_ends_wait = false) override;
    void set_busy(bool busy) override;
    void timer_changed(forms::Timer& timer) override;
    void timer_destroyed(forms::Timer& timer) override;
    void wheel_arrived(forms::Form& form) override;
    // Another window came up or took the focus: the timers that keep a window on top have work.
    void windows_restacked();
    // Puts the visible top-most windows above the others again.
    void raise_top_most();
    forms::TextSize measure_text(const forms::Font& font, const std::string& text) override;
    forms::TextSize measure_wrapped_text(const forms::Font& font, const std::string& text,
                                         float max_width) override;
    std::vector<std::string> installed_fonts() override;
    std::optional<std::filesystem::path> open_file(const forms::FileDialogRequest& request) override;
    std::optional<std::filesystem::path> choose_folder(const forms::FolderDialogRequest& request) override;
    void system_message(const forms::Form* owner, const std::string& caption, const std::string& text,
                        forms::MessageIcon icon) override;
    bool system_question(const forms::Form* owner, const std::string& caption,
                         const std::string& text) override;
    void beep() override;
    float screen_width() override;
    float screen_height() override;
    std::vector<forms::ScreenArea> screen_areas() override;
    std::string clipboard_text() override;
    void set_clipboard_text(const std::string& text) override;

  private:
    FormWindow* find_window(const forms::Form* form) const;
    // The visible window a dialog is centred on and owned by.
    QWidget* dialog_parent(const forms::Form* owner) const;

    std::map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
    QObject timer_owner_;
    // Starts a running timer's Qt timer, or lets it sleep while the timer has nothing to do.
    void arm(const forms::Timer& timer, QTimer& qt_timer);
    std::map<const forms::Timer*, QTimer*> timers_;  // children of timer_owner_
    // Modal loops running, innermost last, with the form whose hiding ends each.
    std::vector<std::pair<const forms::Form*, QEventLoop*>> modal_loops_;
    // While waiting for a plug-in nothing of the program runs: its timers hold their ticks.
    bool waiting_ = false;
    int busy_depth_ = 0;
};

}  // namespace kv::qt
