#include "platform/runtime.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <new>
#include <optional>

namespace kv::platform {

double round_half_even(double value) {
    // nearbyint honours the current rounding mode, which is round-to-nearest-even by default.
    return std::nearbyint(value);
}

namespace {

template <typename Int>
Int to_integer(double value, const char* type) {
    if (std::isnan(value)) throw Failure(std::string("not a number for ") + type);
    double r = round_half_even(value);
    if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max()))
        throw Failure(std::string("overflow converting to ") + type);
    return static_cast<Int>(r);
}

std::string_view trim_blanks(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    return t;
}

}  // namespace

int16_t to_int16(double value) {
    return to_integer<int16_t>(value, "Integer");
}
int32_t to_int32(double value) {
    return to_integer<int32_t>(value, "Long");
}

namespace {

// "&H" and hexadecimal digits, as a number `bits` wide: the top bit gives the sign. Nothing for other
// text.
std::optional<double> hexadecimal_value(std::string_view text, int bits) {
    if (text.size() <= 2 || text[0] != '&' || (text[1] != 'H' && text[1] != 'h')) return std::nullopt;
    std::string_view hex = text.substr(2);
    uint64_t v = 0;
    auto [ptr, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), v, 16);
    if (ec != std::errc() || ptr != hex.data() + hex.size() || v > 0xFFFFFFFFull)
        throw Failure("bad hexadecimal number: " + std::string(text));
    if (bits == 16) return static_cast<double>(static_cast<int16_t>(static_cast<uint16_t>(v)));
    return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(v)));
}

}  // namespace

double text_to_double(std::string_view text) {
    std::string_view t = trim_blanks(text);
    if (t.empty()) throw Failure("empty text is not a number");
    // Up to four digits read as a 16-bit value, more as 32-bit, both signed, as the forms runtime read
    // them.
    if (auto hex = hexadecimal_value(t, t.size() <= 6 ? 16 : 32)) return *hex;
    if (t.front() == '+') t.remove_prefix(1);
    double v = 0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
    if (ec != std::errc() || ptr != t.data() + t.size() || !std::isfinite(v))
        throw Failure("not a number: " + std::string(text));
    return v;
}

float text_to_single(std::string_view text) {
    double v = text_to_double(text);
    if (std::fabs(v) > std::numeric_limits<float>::max()) throw Failure("overflow converting to Single");
    return static_cast<float>(v);
}

int16_t text_to_int16(std::string_view text) {
    return to_int16(text_to_double(text));
}
int32_t text_to_int32(std::string_view text) {
    // A 32-bit target reads every "&H" form as a 32-bit value, so "&HFF00" and "65280" are one number.
    if (auto hex = hexadecimal_value(trim_blanks(text), 32)) return static_cast<int32_t>(*hex);
    return to_int32(text_to_double(text));
}

std::string bool_text(bool value) {
    return value ? "True" : "False";
}

bool text_to_bool(std::string_view text) {
    std::string_view t = trim_blanks(text);
    std::string lower;
    for (char c : t) lower += static_cast<char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    if (lower == "true") return true;
    if (lower == "false") return false;
    return text_to_double(t) != 0.0;
}

std::string number_text(double value) {
    if (value == 0) return "0";
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.0f", value);
        return buf;
    }
    // Single-precision values print with the digits they really hold.
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec != std::errc()) return "0";
    return std::string(buf, ptr);
}

std::string number_text(float value) {
    if (value == std::floor(value) && std::fabs(value) < 1e15f)
        return number_text(static_cast<double>(value));
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    if (ec != std::errc()) return "0";
    return std::string(buf, ptr);
}

bool skip_failure(const std::function<void()>& step) {
    try {
        step();
        return false;
    } catch (const Failure&) {
        return true;
    } catch (const std::bad_alloc&) {
        // A file too large for the memory there is (a picture, a settings file) is one more step
        // that failed, not the end of the program.
        return true;
    }
}

// The same catch: the styles differ only in what the caller wraps, one step or a whole body.
bool stop_at_failure(const std::function<void()>& body) {
    return skip_failure(body);
}

}  // namespace kv::platform
