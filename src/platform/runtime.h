#pragma once
// Conversions and failures that follow the forms runtime's rules: integers round half to even, text
// converts in the "C" locale, overflow and non-numbers fail.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kv::platform {

// The one failure type. Anything that "fails a step" throws this.
class Failure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Round half to even, as the forms runtime's integer conversions did.
double round_half_even(double value);

// To a 16-bit or 32-bit integer, rounding half to even; out of range (or NaN) fails.
int16_t to_int16(double value);
int32_t to_int32(double value);

// Text to number in the "C" locale. Leading and trailing blanks are allowed; anything else that is
// not part of the number, or an empty text, fails. "&H..." hexadecimal is accepted as the forms runtime
// accepted it: up to four digits as a 16-bit number, more as a 32-bit one, except that text_to_int32
// reads every "&H" form as a 32-bit number ("&HFFFF" is 65535 there, -1 elsewhere).
double text_to_double(std::string_view text);
float text_to_single(std::string_view text);
int16_t text_to_int16(std::string_view text);
int32_t text_to_int32(std::string_view text);

// "True"/"False" as the forms runtime wrote truth values; reading also accepts any letter case and numbers
// (0 false, anything else true). Anything else fails.
std::string bool_text(bool value);
bool text_to_bool(std::string_view text);

// A number as the forms runtime printed it: shortest form, "2370", "757.5", "-0.25".
std::string number_text(double value);
std::string number_text(float value);

// The two failure styles the program uses.
// Skip the failing step and go on: every step runs, each failure is dropped. Running out of memory
// (std::bad_alloc) counts as a failure here too. Returns true when the step failed.
bool skip_failure(const std::function<void()>& step);

// Stop at the first failure and keep what was done: the body runs until something fails.
// Returns true when it stopped early.
bool stop_at_failure(const std::function<void()>& body);

}  // namespace kv::platform
