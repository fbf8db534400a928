#include "model/plugin_questions.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <map>

#include "platform/host_hooks.h"
#include "plugin_client/plugin_library.h"

namespace kv::model {

namespace {

using Clock = std::chrono::steady_clock;
using Replies = std::vector<plugin_client::PluginReply>;

// What tells that a library file was changed or replaced since it was given up.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    int64_t modified_ns = 0;
    bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> stamp_of(const std::string& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return std::nullopt;
    return FileStamp{st.st_dev, st.st_ino, st.st_size,
                     static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

// The libraries given up during this run, by the file they resolved to.
std::map<std::string, FileStamp>& given_up() {
    static std::map<std::string, FileStamp> files;
    return files;
}

struct Library {
    size_t index = 0;
    std::string file;
    Replies replies;
    Clock::time_point deadline;
    int helper_start = -1;       // the start of its worker's helper the library was first asked on
    bool shared_helper = false;  // that helper had answered other libraries before
};

struct Worker {
    plugin_client::PluginHost host;
    std::optional<Library> library;
    Clock::time_point question_sent;
    Clock::time_point question_deadline;
};

// The most a question waits on a helper shared with other libraries, as a share of the budget.
constexpr int shared_wait_share = 10;

class Asking {
  public:
    Asking(const std::vector<std::string>& paths, const std::vector<Question>& questions,
           const QuestionLimits& limits)
        : paths_(paths),
          questions_(questions),
          limits_(limits),
          not_loaded_(questions.size(),
                      plugin_client::PluginReply{plugin_client::PluginStatus::not_loaded, 0, {}}),
          out_(paths.size()),
          workers_(std::clamp<size_t>(limits.helpers, 1, std::max<size_t>(paths.size(), 1))) {}

    std::vector<std::optional<Replies>> run() {
        for (Worker& w : workers_) take_next(w);
        std::optional<platform::BusyCursor> busy;
        while (any_busy()) {
            if (!busy) busy.emplace();
            std::vector<plugin_client::PluginHost*> asking;
            auto earliest = Clock::time_point::max();
            for (Worker& w : workers_) {
                if (!w.library) continue;
                asking.push_back(&w.host);
                earliest = std::min(earliest, w.question_deadline);
            }
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(earliest - Clock::now()).count();
            plugin_client::wait_for_helpers(asking, static_cast<int>(std::clamp<int64_t>(left, 0, INT_MAX)),
                                            false);
            const auto now = Clock::now();
            for (Worker& w : workers_) {
                if (!w.library) continue;
                if (auto answer = w.host.collect()) {
                    if (answer->outcome == plugin_client::PluginOutcome::answered)
                        take_answer(w, answer->reply);
                    else
                        take_failure(w);
                } else if (now >= w.question_deadline) {
                    take_failure(w);  // hung
                }
                if (!w.library) take_next(w);
            }
        }
        return std::move(out_);
    }

  private:
    bool any_busy() const {
        return std::any_of(workers_.begin(), workers_.end(),
                           [](const Worker& w) { return w.library.has_value(); });
    }

    // Gives the worker the next library that is to be asked at all.
    void take_next(Worker& w) {
        while (!w.library && next_ < paths_.size()) {
            const size_t i = next_++;
            const auto file = plugin_client::resolve_plugin_path(paths_[i]);
            if (!file || file->string().size() > plugin_client::max_plugin_path) {
                out_[i] = not_loaded_;
                continue;
            }
            const std::string name = file->string();
            if (auto it = given_up().find(name); it != given_up().end()) {
                if (stamp_of(name) == it->second) continue;  // out_[i] stays empty: given up
                given_up().erase(it);
            }
            w.library = Library{i, name, {}, Clock::now() + limits_.budget};
            put_question(w);
        }
    }

    void put_question(Worker& w) {
        Library& library = *w.library;
        const Question& q = questions_[library.replies.size()];
        w.question_sent = Clock::now();
        const auto failed = w.host.send(plugin_client::PluginRequest{q.call, library.file, q.export_name});
        // After send, which starts a helper when none runs: one started for this library has
        // answered none of another's questions.
        if (w.host.starts() != library.helper_start) {
            library.helper_start = w.host.starts();
            library.shared_helper = w.host.answered() > 0;
        }
        if (failed && failed->outcome == plugin_client::PluginOutcome::no_helper) {
            // Nothing can be asked: as a library that could not be loaded, and not held against it.
            out_[library.index] = not_loaded_;
            w.library.reset();
            return;
        }
        if (failed) {
            take_failure(w);
            return;
        }
        const auto now = Clock::now();
        const auto left = std::max(library.deadline - now, Clock::duration::zero());
        const auto wait = library.shared_helper
                              ? std::min<Clock::duration>(left / 2, limits_.budget / shared_wait_share)
                              : left;
        w.question_deadline = now + wait;
    }

    void take_answer(Worker& w, const plugin_client::PluginReply& reply) {
        Library& library = *w.library;
        library.replies.push_back(reply);
        if (library.replies.size() < questions_.size()) {
            put_question(w);
            return;
        }
        out_[library.index] = std::move(library.replies);
        w.library.reset();
    }

    // A crash or a hang: on a helper that served other libraries, once more on a fresh one with the
    // time the failed question took given back; on the library's own helper, the library is given up.
    void take_failure(Worker& w) {
        Library& library = *w.library;
        w.host.stop();
        if (library.shared_helper) {
            const auto now = Clock::now();
            library.deadline += now - w.question_sent;
            if (now < library.deadline) {
                put_question(w);
                return;
            }
        }
        if (const auto stamp = stamp_of(library.file)) given_up()[library.file] = *stamp;
        w.library.reset();  // out_ stays empty: given up
    }

    const std::vector<std::string>& paths_;
    const std::vector<Question>& questions_;
    QuestionLimits limits_;
    const Replies not_loaded_;
    std::vector<std::optional<Replies>> out_;
    std::vector<Worker> workers_;
    size_t next_ = 0;
};

}  // namespace

std::vector<std::optional<std::vector<plugin_client::PluginReply>>> ask_libraries(
    const std::vector<std::string>& paths, const std::vector<Question>& questions,
    const QuestionLimits& limits) {
    if (questions.empty()) return std::vector<std::optional<Replies>>(paths.size(), Replies{});
    return Asking(paths, questions, limits).run();
}

}  // namespace kv::model
