#include "dictionary/line_breaks.h"

namespace vantelo {

namespace {
constexpr char Pilcrow = char(0xB6);
}

std::string EscapeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (i + 1 < text.size() &&
            ((c == '\r' && text[i + 1] == '\n') || (c == '\n' && text[i + 1] == '\r'))) {
            out += Pilcrow;
            out += Pilcrow;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::string UnescapeLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (i + 1 < text.size() && text[i] == Pilcrow && text[i + 1] == Pilcrow) {
            out += "\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace vantelo
