#include "support/temp_folder.h"

#include <cstdlib>
#include <stdexcept>

namespace kvtest {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvalin-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    // Read-only folders made by a test must not keep their contents alive.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
        std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

}  // namespace kvtest
