#include "model/plugins_module.h"

#include <mutex>

#include "model/plugin_questions.h"
#include "platform/host_hooks.h"
#include "platform/standard_error.h"
#include "plugin_client/plugin_library.h"

namespace kv::model {

namespace {

// The text as the 256-character buffer held it: the text, then NULs; "" when there was none.
std::string text_buffer(const plugin_client::PluginReply& reply) {
    if (reply.status != plugin_client::PluginStatus::done) return "";
    std::string buffer = reply.text.substr(0, text_buffer_size - 1);
    buffer.resize(text_buffer_size, '\0');
    return buffer;
}

int32_t number(const plugin_client::PluginReply& reply) {
    return reply.status == plugin_client::PluginStatus::done ? reply.value : 0;
}

const QuestionLimits scan_limits{query_limit};

// One question to one library, under the same rules as a folder scan.
std::optional<plugin_client::PluginReply> ask_one(const std::string& path, plugin_client::PluginCall call,
                                                  const char* export_name) {
    auto replies = ask_libraries({path}, {{call, export_name}}, scan_limits);
    if (!replies.front()) return std::nullopt;
    return replies.front()->front();
}

std::mutex limits_mutex;
PluginLimits limits;

// "30 s", "1500 ms": the limit as it was set.
std::string limit_text(std::chrono::milliseconds limit) {
    if (limit.count() % 1000 == 0) return std::to_string(limit.count() / 1000) + " s";
    return std::to_string(limit.count()) + " ms";
}

void tell(const std::string& path, const std::string& export_name, const std::string& what) {
    platform::print_failure("plug-in " + path + ": " + export_name + " " + what);
}

}  // namespace

void set_plugin_limits(const PluginLimits& given) {
    std::lock_guard<std::mutex> lock(limits_mutex);
    limits = given;
}

PluginLimits plugin_limits() {
    std::lock_guard<std::mutex> lock(limits_mutex);
    return limits;
}

std::string get_plugin_name(const std::string& path) {
    const auto reply = ask_one(path, plugin_client::PluginCall::text, "PSEgetLibName");
    return reply ? text_buffer(*reply) : "";
}

int32_t get_plugin_version(const std::string& path) {
    const auto reply = ask_one(path, plugin_client::PluginCall::number, "PSEgetLibVersion");
    return reply ? number(*reply) : 0;
}

int32_t get_plugin_type(const std::string& path) {
    const auto reply = ask_one(path, plugin_client::PluginCall::number, "PSEgetLibType");
    return reply ? number(*reply) : 0;
}

std::vector<std::optional<LibraryFacts>> ask_plugin_libraries(const std::vector<std::string>& paths) {
    static const std::vector<Question> questions{
        {plugin_client::PluginCall::text, "PSEgetLibName"},
        {plugin_client::PluginCall::number, "PSEgetLibVersion"},
        {plugin_client::PluginCall::number, "PSEgetLibType"},
        {plugin_client::PluginCall::number, "PSEgetLibType"},
        {plugin_client::PluginCall::number, "PSEgetLibType"},
        {plugin_client::PluginCall::number, "PSEgetLibType"},
    };
    std::vector<std::optional<LibraryFacts>> facts;
    for (const auto& replies : ask_libraries(paths, questions, scan_limits)) {
        if (!replies) {
            facts.emplace_back();
            continue;
        }
        const auto& r = *replies;
        facts.push_back(LibraryFacts{
            text_buffer(r[0]), number(r[1]), {number(r[2]), number(r[3]), number(r[4]), number(r[5])}});
    }
    return facts;
}

std::string call_plugin_function(const std::string& path, const std::string& export_name,
                                 const StopQuestion& ask_to_stop) {
    platform::BusyCursor busy;
    plugin_client::PluginHost host;
    const auto limit = plugin_limits().call;
    // Real plug-ins start their configure and about windows as programs of their own and return at
    // once: a plug-in that answered leaves them running. One that crashed, hung or was stopped has
    // had what it started ended already.
    const auto outcome =
        host.ask(plugin_client::PluginCall::effect, path, export_name, limit, ask_to_stop).outcome;
    if (outcome == plugin_client::PluginOutcome::answered) host.finish();
    if (outcome == plugin_client::PluginOutcome::hung)
        tell(path, export_name,
             "gave no answer within " + limit_text(*limit) + ": stopped, as the user stops it");
    return "";
}

int32_t call_plugin_test(const std::string& path, const std::string& export_name,
                         const StopQuestion& ask_to_stop, std::optional<std::chrono::milliseconds> limit) {
    platform::BusyCursor busy;
    plugin_client::PluginHost host;
    const auto given = limit.value_or(plugin_limits().test);
    const plugin_client::PluginAnswer answer =
        host.ask(plugin_client::PluginCall::number, path, export_name, given, ask_to_stop);
    // The message box says only that the plug-in is not working; standard error says why.
    const auto not_working = [&](const std::string& why) {
        tell(path, export_name, "is not working: " + why);
        return -1;
    };
    switch (answer.outcome) {
        // A test has no window to leave open: what it started ends with its helper, whatever the
        // answer, when `host` goes.
        case plugin_client::PluginOutcome::answered: {
            const int32_t result = number(answer.reply);
            if (result < 0)
                tell(path, export_name, "is not working: the test returned " + std::to_string(result));
            return result;
        }
        case plugin_client::PluginOutcome::crashed:
            return not_working(answer.helper_exit
                                   ? "its helper " + plugin_client::describe(*answer.helper_exit)
                                   : std::string("its helper broke off the exchange"));
        case plugin_client::PluginOutcome::hung:
            return not_working("no answer within " + limit_text(given));
        case plugin_client::PluginOutcome::stopped:
            return not_working("stopped by the user");
        case plugin_client::PluginOutcome::refused:
        case plugin_client::PluginOutcome::no_helper:
            break;
    }
    return 0;
}

}  // namespace kv::model
