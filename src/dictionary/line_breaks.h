#pragma once

#include <string>
#include <string_view>

namespace vantelo {

// Stored and exchanged texts keep a line break (CR LF or LF CR) as the two
// bytes 0xB6 0xB6, so that every text fits on one line of a file.
std::string EscapeLineBreaks(std::string_view text);
// Turns every 0xB6 0xB6 pair back into CR LF. Texts come back whole,
// however long they are.
std::string UnescapeLineBreaks(std::string_view text);

} // namespace vantelo
