#include "model/catalogue.h"

#include "platform/runtime.h"
#include "platform/text_file.h"

namespace kv::model {

namespace {

using List = std::vector<std::string> Catalogue::*;
constexpr std::array<List, section_count> section_members{
    &Catalogue::PSX_emu,  &Catalogue::PS2_emu,  &Catalogue::NDS_emu, &Catalogue::GBA_emu,
    &Catalogue::N64_emu,  &Catalogue::DC_emu,   &Catalogue::GC_emu,  &Catalogue::Saturn_emu,
    &Catalogue::SNES_emu, &Catalogue::Misc_emu,
};

// Hands out the lines one by one. The first line has always been read as one comma-separated field,
// so what follows a comma in it is read as the next line.
class LineReader {
  public:
    explicit LineReader(std::vector<std::string> lines) : lines_(std::move(lines)) {
        if (lines_.empty()) return;
        const auto comma = lines_[0].find(',');
        if (comma != std::string::npos) after_comma_ = lines_[0].substr(comma + 1);
        next_ = 1;
    }

    std::optional<std::string> next() {
        if (after_comma_) {
            std::optional<std::string> line = std::move(after_comma_);
            after_comma_.reset();
            return line;
        }
        if (next_ >= lines_.size()) return std::nullopt;
        return std::move(lines_[next_++]);
    }

  private:
    std::vector<std::string> lines_;
    std::optional<std::string> after_comma_;
    std::size_t next_ = 0;
};

}  // namespace

std::optional<std::size_t> section_index(std::string_view section_id) {
    for (std::size_t k = 0; k < section_count; ++k)
        if (sections[k].id == section_id) return k;
    return std::nullopt;
}

std::string_view record_name(std::string_view record) {
    return record.substr(0, record.find('|'));
}

std::optional<std::string_view> record_field(std::string_view record, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const auto bar = record.find('|');
        if (bar == std::string_view::npos) return std::nullopt;
        record.remove_prefix(bar + 1);
    }
    return record.substr(0, record.find('|'));
}

std::optional<std::size_t> find_record(const std::vector<std::string>& records, std::string_view name) {
    if (name.empty()) return std::nullopt;
    for (std::size_t i = 0; i < records.size(); ++i)
        if (record_name(records[i]) == name) return i;
    return std::nullopt;
}

void erase_record(std::vector<std::string>& records, std::string_view name) {
    if (const auto found = find_record(records, name))
        records.erase(records.begin() + static_cast<std::ptrdiff_t>(*found));
}

std::vector<std::string>& Catalogue::section(std::size_t k) {
    return this->*section_members.at(k);
}

const std::vector<std::string>& Catalogue::section(std::size_t k) const {
    return this->*section_members.at(k);
}

std::vector<std::string>* Catalogue::section_list(std::string_view section_id) {
    const auto k = section_index(section_id);
    return k ? &section(*k) : nullptr;
}

void read_catalogue(std::vector<std::string> lines, Catalogue& into) {
    if (lines.empty()) return;
    LineReader reader(std::move(lines));
    for (std::size_t k = 0; k < section_count; ++k) {
        const std::string_view until = k + 1 < section_count ? sections[k + 1].header : about_header;
        auto& list = into.section(k);
        for (;;) {
            auto line = reader.next();
            if (!line) return;
            if (*line == until) break;
            list.push_back(std::move(*line));
        }
    }
    std::string about_buffer;
    for (;;) {
        auto line = reader.next();
        if (!line) return;
        if (*line == switches_header) break;
        if (*line == about_end) {
            into.about_list.push_back(std::move(about_buffer));
            about_buffer.clear();
        } else if (about_buffer.empty()) {
            about_buffer = std::move(*line);
        } else {
            about_buffer += "\r\n";
            about_buffer += *line;
        }
    }
    while (auto line = reader.next()) into.switches_list.push_back(std::move(*line));
}

namespace {

// The file's lines in order: each section's header and records, the about texts each closed by its
// end line, then the switches.
template <typename Line>
void for_each_catalogue_line(const Catalogue& catalogue, Line line) {
    for (std::size_t k = 0; k < section_count; ++k) {
        line(sections[k].header);
        for (const auto& record : catalogue.section(k)) line(record);
    }
    line(about_header);
    for (const auto& about : catalogue.about_list) {
        line(about);
        line(about_end);
    }
    line(switches_header);
    for (const auto& record : catalogue.switches_list) line(record);
}

}  // namespace

std::string catalogue_bytes(const Catalogue& catalogue) {
    // Sized first: a catalogue of many emulators is megabytes, built once without regrowing.
    constexpr std::size_t line_end = 2;
    std::size_t size = 0;
    for_each_catalogue_line(catalogue, [&](std::string_view line) { size += line.size() + line_end; });

    std::string bytes;
    bytes.reserve(size);
    for_each_catalogue_line(catalogue, [&](std::string_view text) {
        bytes += text;
        bytes += "\r\n";
    });
    return bytes;
}

CatalogueFile load_catalogue(const std::filesystem::path& file, Catalogue& into,
                             std::string* unreadable_why) {
    std::error_code ec;
    if (std::filesystem::status(file, ec).type() == std::filesystem::file_type::not_found)
        return CatalogueFile::missing;
    std::vector<std::string> lines;
    try {
        lines = platform::read_lines(file);
    } catch (const platform::Failure& failure) {
        if (unreadable_why) *unreadable_why = failure.what();
        return CatalogueFile::unreadable;
    }
    read_catalogue(std::move(lines), into);
    return CatalogueFile::read;
}

void save_catalogue(const std::filesystem::path& file, const Catalogue& catalogue) {
    platform::write_bytes_atomically(file, catalogue_bytes(catalogue));
}

}  // namespace kv::model
