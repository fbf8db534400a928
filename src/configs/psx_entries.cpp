#include "configs/psx_entries.h"

#include <filesystem>

#include "model/catalogue.h"

namespace kv::configs {

bool is_entry_of(std::string_view record, std::string_view emulator) {
    return model::record_name(record).starts_with(emulator);
}

std::optional<std::string> usable_folder(std::string_view record) {
    const std::string folder(model::record_field(record, 1).value_or(""));
    if (folder.empty() || !std::filesystem::path(folder).is_absolute()) return std::nullopt;
    return folder;
}

}  // namespace kv::configs
