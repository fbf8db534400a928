#pragma once
// The emulator catalogue and its file Data.kvl: ten section blocks of emulator records, an about
// block and a switches block. Plain data and the file format only; the main window shows it.
#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::model {

// The ten sections in section order: the id kept in memory and the header line of the file.
struct SectionInfo {
    std::string_view id;
    std::string_view header;
};
inline constexpr std::size_t section_count = 10;
inline constexpr std::array<SectionInfo, section_count> sections{{
    {"PSX", "[PSX]"},
    {"PS2", "[PS2]"},
    {"NDS", "[NDS]"},
    {"GBA", "[GB/GBA]"},
    {"N64", "[N64]"},
    {"DC", "[DC]"},
    {"GC", "[GC]"},
    {"Saturn", "[Saturn]"},
    {"SNES", "[S/NES]"},
    {"Misc", "[Misc]"},
}};
inline constexpr std::string_view about_header = "[About]";
inline constexpr std::string_view switches_header = "[Switches]";
inline constexpr std::string_view about_end = "end";

// Position of a section id in section order; nothing for an unknown id (exact comparison).
std::optional<std::size_t> section_index(std::string_view section_id);

// Records are fields joined by "|", counted from 0; field 0 is the emulator's name. A blank record
// has the empty name.
std::string_view record_name(std::string_view record);
// Field n, or nothing when the record has fewer fields.
std::optional<std::string_view> record_field(std::string_view record, std::size_t n);

// Position of the first record of the emulator named exactly so. An empty name (an empty section, a
// blank row) owns no record, even where a record has no name.
std::optional<std::size_t> find_record(const std::vector<std::string>& records, std::string_view name);
// Removes that record, when there is one.
void erase_record(std::vector<std::string>& records, std::string_view name);

struct Catalogue {
    // The emulator records of each section, in file order.
    std::vector<std::string> PSX_emu, PS2_emu, NDS_emu, GBA_emu, N64_emu, DC_emu, GC_emu, Saturn_emu,
        SNES_emu, Misc_emu;
    // About records (a name, "|" and a text that may hold CR LF) and switch records of all sections.
    std::vector<std::string> about_list;
    std::vector<std::string> switches_list;

    // The list of section k in section order.
    std::vector<std::string>& section(std::size_t k);
    const std::vector<std::string>& section(std::size_t k) const;
    // The list of a section id; nullptr for an unknown id.
    std::vector<std::string>* section_list(std::string_view section_id);
};

// Appends what the lines hold to the lists. The first line is taken for the "[PSX]" header whatever
// it says. Reading stops quietly at a missing header, keeping what was read: the block before it then
// holds every following line. Inside the about block "end" closes a record; blank lines before a
// record's first text and text after the last "end" are not kept.
void read_catalogue(std::vector<std::string> lines, Catalogue& into);

// The file's bytes: all twelve headers, every record, each about record followed by "end", every
// line ending in CR LF.
std::string catalogue_bytes(const Catalogue& catalogue);

enum class CatalogueFile {
    missing,     // no file: the lists stay empty and the next save creates it
    read,        // read (perhaps only up to a missing header)
    unreadable,  // the file is there but could not be read: it must not be overwritten
};

// Reads the file (lines ending in CR LF, LF or CR) into the lists. For an unreadable file, why it could
// not be read goes to `unreadable_why` when one is given.
CatalogueFile load_catalogue(const std::filesystem::path& file, Catalogue& into,
                             std::string* unreadable_why = nullptr);

// Replaces the file atomically; fails (kv::Failure) and leaves the old file whole when it cannot.
void save_catalogue(const std::filesystem::path& file, const Catalogue& catalogue);

}  // namespace kv::model
