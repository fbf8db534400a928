#include "headless/headless_backend.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "forms/form.h"

namespace kv::headless {

HeadlessBackend::HeadlessBackend()
    : fonts_{"Arial",  "Courier New",     "DejaVu Sans", "DejaVu Sans Mono", "Microsoft Sans Serif",
             "Tahoma", "Times New Roman", "Verdana"} {}

HeadlessBackend::~HeadlessBackend() = default;

void HeadlessBackend::set_screen_size(float width_twips, float height_twips) {
    screen_width_ = width_twips;
    screen_height_ = height_twips;
}

void HeadlessBackend::form_created(forms::Form& form) {
    forms_.push_back(&form);
}

void HeadlessBackend::form_destroyed(forms::Form& form) {
    std::erase(forms_, &form);
}

bool HeadlessBackend::run_one_input() {
    if (input_source_) return input_source_();
    if (actions_.empty()) return false;
    auto action = std::move(actions_.front());
    actions_.pop_front();
    action();
    return true;
}

void HeadlessBackend::run_modal(forms::Form& form) {
    while (form.visible()) {
        if (!run_one_input()) throw InputEnded{};
    }
}

forms::WaitEnd HeadlessBackend::wait_readable(std::span<const int> fds, int timeout_ms,
                                              bool input_ends_wait) {
    if (busy_depth_ > 0) ++waits_while_busy_;
    if (input_ends_wait && presses_during_wait_ > 0) {
        --presses_during_wait_;
        return forms::WaitEnd::input;
    }
    return Backend::wait_readable(fds, timeout_ms, input_ends_wait);
}

void HeadlessBackend::timer_changed(forms::Timer& timer) {
    timers_.erase(&timer);
    if (timer.running()) timers_[&timer] = Due{now_ + timer.interval(), seq_++};
}

void HeadlessBackend::timer_destroyed(forms::Timer& timer) {
    timers_.erase(&timer);
}

void HeadlessBackend::advance(int64_t ms) {
    const int64_t end = now_ + ms;
    for (;;) {
        forms::Timer* next = nullptr;
        Due best{end + 1, 0};
        for (auto& [t, due] : timers_) {
            if (due.at < best.at || (due.at == best.at && due.seq < best.seq)) {
                best = due;
                next = t;
            }
        }
        if (!next) break;
        now_ = best.at;
        // Re-arm before firing, so a handler that changes the timer has the last word.
        timers_[next] = Due{now_ + next->interval(), seq_++};
        if (next->on_timer) next->on_timer();
    }
    now_ = end;
}

forms::TextSize HeadlessBackend::fixed_text_size(const forms::Font& font, const std::string& text) {
    float scale = font.size / 8.25f;
    // Count characters, not bytes, so UTF-8 text measures like what a person sees.
    int chars = 0, lines = 1, longest = 0;
    for (unsigned char c : text) {
        if (c == '\n') {
            ++lines;
            longest = std::max(longest, chars);
            chars = 0;
        } else if (c != '\r' && (c & 0xC0) != 0x80) {
            ++chars;
        }
    }
    longest = std::max(longest, chars);
    return forms::TextSize{std::round(90.0f * scale * static_cast<float>(longest)),
                           std::round(195.0f * scale) * static_cast<float>(lines)};
}

forms::TextSize HeadlessBackend::fixed_wrapped_size(const forms::Font& font, const std::string& text,
                                                    float max_width) {
    const forms::TextSize one_line = fixed_text_size(font, "");
    forms::TextSize size{0, 0};
    // Each line of the text is filled word by word; a blank where a line breaks is not drawn.
    auto end_line = [&](const std::string& line) {
        size.width = std::max(size.width, fixed_text_size(font, line).width);
        size.height += one_line.height;
    };
    std::string rest = text;
    std::erase(rest, '\r');
    size_t start = 0;
    while (true) {
        const size_t stop = rest.find('\n', start);
        const std::string line =
            rest.substr(start, stop == std::string::npos ? std::string::npos : stop - start);
        std::string current;
        size_t word_start = 0;
        while (word_start <= line.size()) {
            size_t word_end = line.find(' ', word_start);
            if (word_end == std::string::npos) word_end = line.size();
            const std::string word = line.substr(word_start, word_end - word_start);
            const std::string joined = current.empty() ? word : current + " " + word;
            if (!current.empty() && fixed_text_size(font, joined).width > max_width) {
                end_line(current);
                current = word;
            } else {
                current = joined;
            }
            word_start = word_end + 1;
        }
        end_line(current);
        if (stop == std::string::npos) break;
        start = stop + 1;
    }
    return size;
}

forms::TextSize HeadlessBackend::measure_text(const forms::Font& font, const std::string& text) {
    return fixed_text_size(font, text);
}

forms::TextSize HeadlessBackend::measure_wrapped_text(const forms::Font& font, const std::string& text,
                                                      float max_width) {
    return fixed_wrapped_size(font, text, max_width);
}

std::optional<std::filesystem::path> HeadlessBackend::open_file(const forms::FileDialogRequest& request) {
    file_requests_.push_back(request);
    if (file_answers_.empty()) return std::nullopt;
    auto a = file_answers_.front();
    file_answers_.pop_front();
    if (!a) return std::nullopt;
    return std::filesystem::path(*a);
}

std::optional<std::filesystem::path> HeadlessBackend::choose_folder(const forms::FolderDialogRequest&) {
    if (folder_answers_.empty()) return std::nullopt;
    auto a = folder_answers_.front();
    folder_answers_.pop_front();
    if (!a) return std::nullopt;
    return std::filesystem::path(*a);
}

void HeadlessBackend::system_message(const forms::Form* /*owner*/, const std::string& caption,
                                     const std::string& text, forms::MessageIcon) {
    system_messages_.push_back(caption + ": " + text);
    if (on_system_message) on_system_message(caption, text);
}

bool HeadlessBackend::system_question(const forms::Form* /*owner*/, const std::string& caption,
                                      const std::string& text) {
    system_questions_.push_back(caption + ": " + text);
    if (question_answers_.empty()) return false;
    const bool yes = question_answers_.front();
    question_answers_.pop_front();
    return yes;
}

}  // namespace kv::headless
