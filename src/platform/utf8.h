#pragma once
// Text is kept as bytes: UTF-8 when it is valid UTF-8, otherwise Windows-1252, one character a byte.
#include <cstddef>
#include <string>

namespace kv::platform {

// Length of the UTF-8 sequence starting at byte i, or 0 when none starts there.
std::size_t utf8_sequence(const std::string& s, std::size_t i);
bool is_valid_utf8(const std::string& bytes);

}  // namespace kv::platform
