#pragma once
// A display without a screen: a virtual clock that tests advance, fixed text metrics, dialogs
// answered from a script, and a modal loop that keeps taking scripted input until its form hides.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "forms/backend.h"

namespace kv::headless {

// Thrown by a modal loop that has no more input to run: the script ended while a dialog was open.
struct InputEnded {};

class HeadlessBackend : public forms::Backend {
  public:
    HeadlessBackend();
    ~HeadlessBackend() override;

    // Where a modal loop takes its next input from: runs one step and returns false when there is
    // none left. Without a source, queued actions are used.
    void set_input_source(std::function<bool()> source) { input_source_ = std::move(source); }
    void queue_action(std::function<void()> action) { actions_.push_back(std::move(action)); }

    // The virtual clock, in milliseconds.
    int64_t now() const { return now_; }
    // Moves the clock on, firing every timer that comes due on the way, in time order.
    void advance(int64_t ms);

    // Scripted dialog answers: a path, or nothing for Cancel. Unanswered dialogs are cancelled.
    void answer_file(std::optional<std::string> answer) { file_answers_.push_back(std::move(answer)); }
    void answer_folder(std::optional<std::string> answer) { folder_answers_.push_back(std::move(answer)); }
    const std::vector<forms::FileDialogRequest>& file_requests() const { return file_requests_; }
    // Scripted answers to system questions, Yes or No; unanswered questions are answered No.
    void answer_question(bool yes) { question_answers_.push_back(yes); }
    const std::vector<std::string>& system_questions() const { return system_questions_; }

    // A press on a window while the program waits for something outside it: the next wait that
    // lets input end it ends with WaitEnd::input.
    void press_during_wait() { ++presses_during_wait_; }
    // The busy cursor: how deep set_busy calls nest now, and how many waits ran while it showed.
    int busy_depth() const { return busy_depth_; }
    int waits_while_busy() const { return waits_while_busy_; }

    // What the program showed or asked for, for tests and the driver.
    std::function<void(const std::string& caption, const std::string& text)> on_system_message;
    int beeps() const { return beeps_; }
    const std::vector<std::string>& system_messages() const { return system_messages_; }
    const std::vector<forms::Form*>& forms() const { return forms_; }
    void set_screen_size(float width_twips, float height_twips);
    void set_fonts(std::vector<std::string> fonts) { fonts_ = std::move(fonts); }

    // Fixed metrics: 90 twips per character and 195 twips per line at 8.25 points, scaled by size.
    static forms::TextSize fixed_text_size(const forms::Font& font, const std::string& text);
    // The same metrics for text wrapped at blanks within max_width.
    static forms::TextSize fixed_wrapped_size(const forms::Font& font, const std::string& text,
                                              float max_width);

    void form_created(forms::Form& form) override;
    void form_destroyed(forms::Form& form) override;
    void form_changed(forms::Form&) override {}
    void form_shown(forms::Form&) override {}
    void form_hidden(forms::Form&) override {}
    void run_modal(forms::Form& form) override;
    forms::WaitEnd wait_readable(std::span<const int> fds, int timeout_ms,
                                 bool input_ends_wait = false) override;
    void set_busy(bool busy) override { busy_depth_ += busy ? 1 : -1; }
    void timer_changed(forms::Timer& timer) override;
    void timer_destroyed(forms::Timer& timer) override;
    forms::TextSize measure_text(const forms::Font& font, const std::string& text) override;
    forms::TextSize measure_wrapped_text(const forms::Font& font, const std::string& text,
                                         float max_width) override;
    std::vector<std::string> installed_fonts() override { return fonts_; }
    std::optional<std::filesystem::path> open_file(const forms::FileDialogRequest& request) override;
    std::optional<std::filesystem::path> choose_folder(const forms::FolderDialogRequest& request) override;
    void system_message(const forms::Form* owner, const std::string& caption, const std::string& text,
                        forms::MessageIcon icon) override;
    bool system_question(const forms::Form* owner, const std::string& caption,
                         const std::string& text) override;
    void beep() override { ++beeps_; }
    float screen_width() override { return screen_width_; }
    float screen_height() override { return screen_height_; }
    std::vector<forms::ScreenArea> screen_areas() override {
        return extra_screens_.empty() ? Backend::screen_areas() : extra_screens_;
    }
    // A desktop of several screens, the primary one first; none: the primary screen alone.
    void set_screen_areas(std::vector<forms::ScreenArea> areas) { extra_screens_ = std::move(areas); }

  private:
    bool run_one_input();

    std::function<bool()> input_source_;
    std::deque<std::function<void()>> actions_;
    int64_t now_ = 0;
    // Next due time of each running timer; the sequence number keeps equal times in start order.
    struct Due {
        int64_t at;
        uint64_t seq;
    };
    std::map<forms::Timer*, Due> timers_;
    uint64_t seq_ = 0;
    std::deque<std::optional<std::string>> file_answers_, folder_answers_;
    std::vector<forms::FileDialogRequest> file_requests_;
    std::vector<std::string> system_messages_;
    std::deque<bool> question_answers_;
    std::vector<std::string> system_questions_;
    int presses_during_wait_ = 0;
    int busy_depth_ = 0;
    int waits_while_busy_ = 0;
    std::vector<forms::Form*> forms_;
    std::vector<std::string> fonts_;
    int beeps_ = 0;
    float screen_width_ = 1920.0f * forms::twips_per_pixel;
    float screen_height_ = 1080.0f * forms::twips_per_pixel;
    std::vector<forms::ScreenArea> extra_screens_;
};

}  // namespace kv::headless
