#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantelo {

// Reads a text wholly as a signed 32-bit integer the way the dictionary does
// for numbers it leaves untranslated and for usage counters: optional leading
// blanks, an optional sign, then decimal digits or a hexadecimal number after
// "$", "x", "X", "0x" or "0X". Anything left over, or a value outside the
// signed 32-bit range, means the text is not an integer.
std::optional<int32_t> ParseInteger(std::string_view text);

} // namespace vantelo
