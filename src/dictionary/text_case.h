#pragma once

#include <string>
#include <string_view>

namespace vantelo {

// Letter case for names and switches. Only a to z are folded: dictionary
// texts are 8-bit bytes in the dictionary's code page, which may be UTF-8,
// so folding bytes above 127 could join unrelated characters.
inline char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
inline char LowerChar(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

inline std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (auto& c : r)
        c = UpperChar(c);
    return r;
}

inline std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (auto& c : r)
        c = LowerChar(c);
    return r;
}

inline bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (UpperChar(a[i]) != UpperChar(b[i]))
            return false;
    return true;
}

// True when `text` begins with `prefix`, both upper-cased as above.
inline bool StartsWithText(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

} // namespace vantelo
