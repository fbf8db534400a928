#include "plugins/plugins_module.h"

namespace kv::plugins_module {

namespace {

// The text as the 256-character buffer held it: the text, then NULs; "" when there was none.
std::string text_buffer(const PluginReply& reply) {
    if (reply.status != PluginStatus::done) return "";
    std::string buffer = reply.text.substr(0, text_buffer_size - 1);
    buffer.resize(text_buffer_size, '\0');
    return buffer;
}

int32_t number(const PluginReply& reply) {
    return reply.status == PluginStatus::done ? reply.value : 0;
}

}  // namespace

std::optional<PluginReply> ScanSession::query(PluginCall call, const std::string& path,
                                              const char* export_name) {
    const PluginAnswer answer = host_.ask(call, path, export_name, query_limit);
    switch (answer.outcome) {
        case PluginOutcome::answered:
            return answer.reply;
        case PluginOutcome::refused:
        case PluginOutcome::no_helper: {
            // Nothing was loaded: the empty result, as for a file that is no library.
            PluginReply none;
            none.status = PluginStatus::not_loaded;
            return none;
        }
        case PluginOutcome::crashed:
        case PluginOutcome::hung:
            break;
    }
    return std::nullopt;
}

std::optional<std::string> ScanSession::name(const std::string& path) {
    auto reply = query(PluginCall::text, path, "PSEgetLibName");
    if (!reply) return std::nullopt;
    return text_buffer(*reply);
}

std::optional<int32_t> ScanSession::version(const std::string& path) {
    auto reply = query(PluginCall::number, path, "PSEgetLibVersion");
    if (!reply) return std::nullopt;
    return number(*reply);
}

std::optional<int32_t> ScanSession::type(const std::string& path) {
    auto reply = query(PluginCall::number, path, "PSEgetLibType");
    if (!reply) return std::nullopt;
    return number(*reply);
}

std::string get_plugin_name(const std::string& path) {
    return ScanSession().name(path).value_or("");
}

int32_t get_plugin_version(const std::string& path) {
    return ScanSession().version(path).value_or(0);
}

int32_t get_plugin_type(const std::string& path) {
    return ScanSession().type(path).value_or(0);
}

std::string call_plugin_function(const std::string& path, const std::string& export_name) {
    PluginHost host;
    host.ask(PluginCall::effect, path, export_name, std::nullopt);
    return "";
}

int32_t call_plugin_test(const std::string& path, const std::string& export_name) {
    PluginHost host;
    const PluginAnswer answer = host.ask(PluginCall::number, path, export_name, std::nullopt);
    switch (answer.outcome) {
        case PluginOutcome::answered:
            return number(answer.reply);
        case PluginOutcome::crashed:
        case PluginOutcome::hung:
            return -1;
        case PluginOutcome::refused:
        case PluginOutcome::no_helper:
            break;
    }
    return 0;
}

}  // namespace kv::plugins_module
