#include "model/skin_settings.h"

#include "platform/folder.h"
#include "platform/runtime.h"
#include "platform/text_file.h"

namespace kv::model {

namespace {
constexpr std::string_view separator = " = ";
// No sound settings line comes near this; a longer one is refused rather than held in memory.
constexpr std::size_t max_line_length = 64 * 1024;
}  // namespace

std::filesystem::path skin_settings_file(const std::string& skin_name) {
    if (!platform::is_plain_entry_name(skin_name)) throw platform::Failure("not a skin name: " + skin_name);
    const std::filesystem::path relative = std::filesystem::path("Skins") / skin_name / "Config.ini";
    if (auto found = platform::resolve_ignoring_case(platform::program_folder(), relative)) return *found;
    throw platform::Failure("skin settings not found: " + relative.string());
}

SkinSettingsReader::SkinSettingsReader(const std::filesystem::path& file, int line_limit)
    // The lines allowed at their longest, with their line ends: nothing further is ever looked at.
    : bytes_(platform::read_bytes(file, static_cast<std::size_t>(line_limit) * (max_line_length + 2))),
      line_limit_(line_limit) {}

SkinSettingsReader SkinSettingsReader::from_bytes(std::string bytes, int line_limit) {
    SkinSettingsReader reader;
    reader.bytes_ = std::move(bytes);
    reader.line_limit_ = line_limit;
    return reader;
}

std::string SkinSettingsReader::physical_line() {
    // Lines end in CR LF, LF or CR; a last line without an end counts.
    if (position_ >= bytes_.size()) throw platform::Failure("the skin settings end early");
    std::string line;
    while (position_ < bytes_.size()) {
        const char c = bytes_[position_++];
        if (c == '\n') break;
        if (c == '\r') {
            if (position_ < bytes_.size() && bytes_[position_] == '\n') ++position_;
            break;
        }
        if (line.size() == max_line_length) throw platform::Failure("a skin settings line is too long");
        line += c;
    }
    return line;
}

std::string SkinSettingsReader::next_line() {
    if (lines_read_ == line_limit_) throw platform::Failure("no line is read past the file's last used line");
    std::string line;
    if (carried_) {
        line = std::move(*carried_);
        carried_.reset();
    } else {
        line = physical_line();
    }
    if (lines_read_ == 0) {
        if (auto comma = line.find(','); comma != std::string::npos) {
            carried_ = line.substr(comma + 1);
            line.resize(comma);
        }
    }
    ++lines_read_;
    return line;
}

std::string line_value(std::string_view line) {
    const auto at = line.find(separator);
    if (at == std::string_view::npos)
        throw platform::Failure("no \" = \" in the skin settings line: " + std::string(line));
    std::string_view rest = line.substr(at + separator.size());
    return std::string(rest.substr(0, rest.find(separator)));
}

}  // namespace kv::model
