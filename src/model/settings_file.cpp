#include "model/settings_file.h"

#include <string_view>

#include "platform/runtime.h"
#include "platform/text_file.h"

namespace kv::model {

namespace {

constexpr std::string_view separator = " = ";
constexpr std::array<const char*, settings_section_count> title_keys{
    "PSX = ", "PS2 = ", "NDS = ",    "GB/GBA = ", "N64 = ",
    "DC = ",  "GC = ",  "Saturn = ", "S/NES = ",  "Misc = "};

std::vector<std::string> split(std::string_view text, char delimiter) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(delimiter, start);
        fields.emplace_back(text.substr(start, end == std::string_view::npos ? text.npos : end - start));
        if (end == std::string_view::npos) return fields;
        start = end + 1;
    }
}

// Takes the lines in order; asking past the end, or for the value of a line without " = ", fails.
class LineCursor {
  public:
    explicit LineCursor(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    const std::string& next() {
        if (position_ >= lines_.size()) throw platform::Failure("Config.ini ends early");
        return lines_[position_++];
    }
    // Everything after the first " = ": a title, a skin or a picture path may itself hold " = ".
    std::string value() {
        const std::string& line = next();
        const std::size_t first = line.find(separator);
        if (first == std::string::npos) throw platform::Failure("no value on a line of Config.ini");
        return line.substr(first + separator.size());
    }

  private:
    std::vector<std::string> lines_;
    std::size_t position_ = 0;
};

SettingsPosition position(const std::string& value) {
    if (value == "Center") return {true, 0};
    return {false, platform::text_to_single(value)};
}

}  // namespace

SettingsReading read_settings_lines(const std::vector<std::string>& file_lines) {
    std::vector<std::string> lines = file_lines;
    // The first line is read as one field: a comma ends it, and what follows counts as the next line.
    if (!lines.empty()) {
        const std::size_t comma = lines.front().find(',');
        if (comma != std::string::npos) {
            std::string after = lines.front().substr(comma + 1);
            lines.front().resize(comma);
            lines.insert(lines.begin() + 1, std::move(after));
        }
    }
    SettingsReading r;
    LineCursor in(std::move(lines));
    platform::stop_at_failure([&] {
        in.next();
        in.next();
        r.left = position(in.value());
        r.top = position(in.value());
        r.skin = in.value();
        r.language = in.value();
        const auto font = split(in.value(), '|');
        if (font.size() < 4) throw platform::Failure("font setting with fewer than four fields");
        r.font =
            SettingsFont{font[0], font[1], platform::text_to_bool(font[2]), platform::text_to_bool(font[3])};
        const auto flags = split(in.value(), '|');
        for (std::size_t k = 0; k < flags.size() && k < settings_section_count; ++k)
            r.section_flags.push_back(flags[k]);
        if (flags.size() < settings_section_count) throw platform::Failure("fewer than ten section flags");
        r.launcher_state = platform::text_to_int16(in.value());
        r.path_override = in.value() == "True";
        r.opacity = platform::text_to_int32(in.value());
        for (std::size_t k = 0; k < settings_section_count; ++k) r.section_titles.push_back(in.value());
        r.misc_image = in.value() == "True";
        r.misc_image_location = in.value();
    });
    return r;
}

std::vector<std::string> settings_lines(const SettingsValues& v) {
    std::vector<std::string> lines{"// Korvalin 1.2 config", ""};
    lines.push_back("Main Window X (Twips) = " + platform::number_text(v.left));
    lines.push_back("Main Window Y (Twips) = " + platform::number_text(v.top));
    lines.push_back("Skin = " + v.skin);
    lines.push_back("Language = " + v.language);
    lines.push_back("Font = " + v.font_name + "|" +
                    platform::number_text(platform::round_half_even(v.font_size)) + "|" +
                    platform::bool_text(v.font_bold) + "|" + platform::bool_text(v.font_italic));
    std::string flags;
    for (std::size_t k = 0; k < settings_section_count; ++k)
        flags += std::string(k ? "|" : "") + (v.section_visible[k] ? "1" : "0");
    lines.push_back("Sections = " + flags);
    lines.push_back("Launcher state = " + std::to_string(v.launcher_state));
    lines.push_back("Path override = " + platform::bool_text(v.path_override));
    lines.push_back("Opacity = " + std::to_string(v.opacity));
    for (std::size_t k = 0; k < settings_section_count; ++k)
        lines.push_back(title_keys[k] + v.section_titles[k]);
    lines.push_back("Misc image = " + platform::bool_text(v.misc_image));
    lines.push_back("Misc image location = " + v.misc_image_location);
    return lines;
}

void save_settings(const std::filesystem::path& file, const SettingsValues& values) {
    platform::write_lines_atomically(file, settings_lines(values));
}

}  // namespace kv::model
