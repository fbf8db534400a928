#include "model/plugins_module.h"

#include "model/plugin_questions.h"
#include "platform/host_hooks.h"
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

}  // namespace

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
    // Real plug-ins start their configure and about windows as programs of their own and return at
    // once: a plug-in that answered leaves them running. One that crashed, hung or was stopped has
    // had its helper's whole group ended already.
    if (host.ask(plugin_client::PluginCall::effect, path, export_name, std::nullopt, ask_to_stop).outcome ==
        plugin_client::PluginOutcome::answered)
        host.finish();
    return "";
}

int32_t call_plugin_test(const std::string& path, const std::string& export_name,
                         const StopQuestion& ask_to_stop, std::chrono::milliseconds limit) {
    platform::BusyCursor busy;
    plugin_client::PluginHost host;
    const plugin_client::PluginAnswer answer =
        host.ask(plugin_client::PluginCall::number, path, export_name, limit, ask_to_stop);
    switch (answer.outcome) {
        // A test has no window to leave open: what it started ends with its helper, whatever the
        // answer, when `host` goes.
        case plugin_client::PluginOutcome::answered:
            return number(answer.reply);
        case plugin_client::PluginOutcome::crashed:
        case plugin_client::PluginOutcome::hung:
        case plugin_client::PluginOutcome::stopped:
            return -1;
        case plugin_client::PluginOutcome::refused:
        case plugin_client::PluginOutcome::no_helper:
            break;
    }
    return 0;
}

}  // namespace kv::model
