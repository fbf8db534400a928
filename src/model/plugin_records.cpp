#include "model/plugin_records.h"

#include "platform/folder.h"

namespace kv::model {

namespace {

// Whether the name ends in `ending`, its letters in any case.
bool ends_in_ignoring_case(const std::string& name, std::string_view ending) {
    return name.size() >= ending.size() &&
           platform::equal_ignoring_case(name.substr(name.size() - ending.size()), std::string(ending));
}

}  // namespace

std::string make_record(const std::string& file, const std::string& display) {
    return file + std::string(record_separator) + display;
}

std::string file_part(const std::string& record) {
    return record.substr(0, record.find(record_separator));
}

std::string display_part(const std::string& record) {
    const size_t at = record.find(record_separator);
    return at == std::string::npos ? std::string() : record.substr(at + record_separator.size());
}

std::string format_plugin_version(int32_t version) {
    const auto low = static_cast<uint32_t>(version) & 0xFFFFu;
    return std::to_string(low >> 8) + "." + std::to_string(low & 0xFFu);
}

bool is_plugin_file_name(const std::string& name) {
    constexpr std::string_view ending = ".so";
    if (name.size() <= ending.size() || name.front() == '.') return false;
    if (name.find(record_separator) != std::string::npos) return false;
    return ends_in_ignoring_case(name, ending);
}

std::string cut_at_nul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

PluginRecords file_records(const std::string& folder, std::string_view ending) {
    PluginRecords records;
    for (const std::string& name : platform::list_folder(folder, platform::EntryKind::files)) {
        if (!name.starts_with('.') && ends_in_ignoring_case(name, ending))
            records.push_back(make_record(name, name));
    }
    return records;
}

}  // namespace kv::model
