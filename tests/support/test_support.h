#pragma once
// Helpers shared by the tests: real temporary folders and small file utilities.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "support/temp_folder.h"

namespace kvtest {

// Runs body in a forked child and answers the code it returned; -1 when the child did not exit on its
// own, so a crash there fails the test instead of ending the test program.
int exit_code_in_child(const std::function<int()>& body);
// In a child running as root, becomes "nobody" so that permission bits apply as they do for users;
// false when that fails.
bool give_up_root();

// Sets the program folder for one scope and puts the one before back.
class ProgramFolderScope {
  public:
    explicit ProgramFolderScope(const std::filesystem::path& folder);
    ~ProgramFolderScope();
    ProgramFolderScope(const ProgramFolderScope&) = delete;
    ProgramFolderScope& operator=(const ProgramFolderScope&) = delete;

  private:
    std::filesystem::path before_;
};

// Whether the build runs under AddressSanitizer, which changes how crashes end a process.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool address_sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool address_sanitized = true;
#else
inline constexpr bool address_sanitized = false;
#endif
#else
inline constexpr bool address_sanitized = false;
#endif
// AddressSanitizer reserves terabytes of address space, so a limit on it cannot be tried there.
inline constexpr bool address_space_can_be_limited = !address_sanitized;
// In a child: lets the process use only `more` bytes of address space beyond what it uses now, as on
// a machine short of memory, so a larger allocation fails. False when that cannot be set.
bool limit_address_space(size_t more);

// Writes bytes exactly as given (creating parent folders).
void write_file(const std::filesystem::path& file, const std::string& bytes);
// Reads a whole file's bytes; empty when it does not exist.
std::string read_file(const std::filesystem::path& file);

// Append v's low 16 or all 32 bits, least significant byte first, as picture headers store them.
void put16(std::string& bytes, uint32_t v);
void put32(std::string& bytes, uint32_t v);

// The bytes of a 24-bit BMP; pixels are 0xRRGGBB row by row from the top (none: black). A negative
// height stores the rows from the top.
std::string bmp(int width, int height, const std::vector<uint32_t>& pixels = {});

// An 8 x 8 JPEG, all blue (as close as JPEG gets).
std::string blue_jpeg();

}  // namespace kvtest
