#include "dictionary/code_page.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <map>

#include "dictionary/lang_exception.h"

namespace vantelo {
namespace {

constexpr size_t QuotedBytes = 40;

// The Unicode side of a conversion.
enum Form { Utf8 = 0, Utf16 = 1 };

const char* iconvName(Form form) {
    if (form == Utf8)
        return "UTF-8";
    return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
}

// One iconv descriptor, opened on first use and closed when the process ends.
class Descriptor {
public:
    Descriptor() = default;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (open_)
            iconv_close(cd_);
    }

    // False when iconv has no such conversion.
    bool Open(const char* to, const char* from) {
        if (!open_) {
            cd_ = iconv_open(to, from);
            open_ = cd_ != reinterpret_cast<iconv_t>(-1);
        }
        return open_;
    }
    iconv_t Get() const { return cd_; }

private:
    iconv_t cd_{};
    bool open_ = false;
};

struct Page {
    std::string name;
    bool utf8 = false;        // towards UTF-8 only validation is needed
    bool windows1252 = false; // fills in the five bytes iconv leaves undefined
    bool keepsAscii = false;  // ASCII bytes are the ASCII characters, both ways
    Descriptor decoders[2];   // code page -> UTF-8, UTF-16
    Descriptor encoders[2];   // UTF-8, UTF-16 -> code page
};

struct Registry {
    std::map<std::string, Page, std::less<>> pages;
    std::string current{CodePage::Default};
    Page* currentPage = nullptr;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

ELangException error(std::string_view templ, std::initializer_list<std::string_view> args) {
    return ELangException::Format(templ, args);
}

bool isUndefinedIn1252(char32_t c) {
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

bool isAscii(std::string_view text) {
    // No early exit: this form vectorizes and texts are mostly short.
    unsigned char all = 0;
    for (char c : text)
        all |= static_cast<unsigned char>(c);
    return all < 0x80;
}

bool isAscii(std::u16string_view text) {
    char16_t all = 0;
    for (char16_t c : text)
        all |= c;
    return all < 0x80;
}

// Length of the well-formed UTF-8 character at `at` (overlong forms,
// surrogates and values above U+10FFFF are not), or 0.
size_t decodeUtf8(std::string_view text, size_t at, char32_t& c) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    size_t length;
    unsigned char low = 0x80, high = 0xBF; // range of the second byte
    if (lead < 0x80) {
        c = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() - at < length || byte(1) < low || byte(1) > high)
        return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    return length;
}

char16_t unitAt(std::string_view bytes, size_t at) {
    char16_t unit;
    std::memcpy(&unit, bytes.data() + at, sizeof unit);
    return unit;
}

// Length in bytes of the character at `at` of a UTF-8 or host-order UTF-16
// text, or 0 when the text is malformed there.
size_t decodeAt(Form form, std::string_view bytes, size_t at, char32_t& c) {
    if (form == Utf8)
        return decodeUtf8(bytes, at, c);
    if (bytes.size() - at < 2)
        return 0;
    const char16_t unit = unitAt(bytes, at);
    if (unit < 0xD800 || unit > 0xDFFF) {
        c = unit;
        return 2;
    }
    if (unit >= 0xDC00 || bytes.size() - at < 4)
        return 0;
    const char16_t next = unitAt(bytes, at + 2);
    if (next < 0xDC00 || next > 0xDFFF)
        return 0;
    c = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(next) - 0xDC00);
    return 4;
}

void appendHex(std::string& out, const char* format, unsigned value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, value);
    out += buffer;
}

void appendQuoted(std::string& out, char32_t c) {
    if (c == '\\')
        out += "\\\\";
    else if (c >= 0x20 && c < 0x7F)
        out += char(c);
    else if (c < 0x80)
        appendHex(out, "\\x%02X", unsigned(c));
    else
        appendHex(out, c <= 0xFFFF ? "\\u%04X" : "\\U%08X", unsigned(c));
}

// Messages must be showable whatever the current code page is, so quotes are
// plain ASCII: code-page bytes and malformed Unicode appear as \xNN, valid
// characters beyond ASCII as \uNNNN.
std::string quoteBytes(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size() && i < QuotedBytes; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80)
            appendQuoted(out, byte);
        else
            appendHex(out, "\\x%02X", byte);
    }
    if (text.size() > QuotedBytes)
        out += "...";
    return out;
}

std::string quoteUnicode(Form form, std::string_view bytes) {
    std::string out;
    const size_t end = std::min(bytes.size(), QuotedBytes);
    size_t at = 0;
    while (at < end) {
        char32_t c;
        const size_t length = decodeAt(form, bytes, at, c);
        if (length != 0 && at + length > end)
            break;
        if (length != 0) {
            appendQuoted(out, c);
            at += length;
        } else if (form == Utf8) {
            appendHex(out, "\\x%02X", static_cast<unsigned char>(bytes[at]));
            ++at;
        } else if (bytes.size() - at >= 2) {
            appendHex(out, "\\u%04X", unitAt(bytes, at)); // a lone surrogate
            at += 2;
        } else {
            break;
        }
    }
    if (at < bytes.size())
        out += "...";
    return out;
}

std::string position(size_t index) {
    return std::to_string(index + 1);
}

ELangException notSupported(std::string_view name) {
    return error(messages::CodePageNotSupported, {quoteBytes(name)});
}

bool convertsAsciiAsIs(iconv_t cd) {
    char ascii[128];
    for (int i = 0; i < 128; ++i)
        ascii[i] = char(i);
    char out[1024];
    char* in = ascii;
    size_t inLeft = sizeof ascii;
    char* to = out;
    size_t toLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &inLeft, &to, &toLeft) != 0 ||
        iconv(cd, nullptr, nullptr, &to, &toLeft) != 0)
        return false;
    return sizeof out - toLeft == sizeof ascii && std::memcmp(out, ascii, sizeof ascii) == 0;
}

// Upper case without '-' and '_', enough to tell the spellings iconv accepts.
std::string canonical(std::string_view name) {
    std::string out;
    for (char c : name) {
        if (c >= 'a' && c <= 'z')
            out += char(c - 'a' + 'A');
        else if (c != '-' && c != '_')
            out += c;
    }
    return out;
}

Page& findPage(std::string_view name) {
    auto& pages = registry().pages;
    if (auto it = pages.find(name); it != pages.end())
        return it->second;
    // "//TRANSLIT" and "//IGNORE" would make iconv substitute or drop
    // characters, so no suffixes.
    if (name.empty())
        throw notSupported(name);
    for (char c : name) {
        if (c <= ' ' || c > '~' || c == '/')
            throw notSupported(name);
    }
    auto it = pages.try_emplace(std::string(name)).first;
    Page& page = it->second;
    page.name = it->first;
    if (!page.decoders[Utf8].Open("UTF-8", page.name.c_str()) ||
        !page.encoders[Utf8].Open(page.name.c_str(), "UTF-8")) {
        pages.erase(it);
        throw notSupported(name);
    }
    const std::string key = canonical(name);
    page.utf8 = key == "UTF8";
    page.windows1252 = key == "WINDOWS1252" || key == "CP1252" || key == "MSANSI";
    page.keepsAscii = convertsAsciiAsIs(page.decoders[Utf8].Get()) &&
                      convertsAsciiAsIs(page.encoders[Utf8].Get());
    return page;
}

Page& currentPage() {
    Registry& r = registry();
    if (r.currentPage == nullptr)
        r.currentPage = &findPage(r.current);
    return *r.currentPage;
}

// iconv refused the input at `at`: say why.
[[noreturn]] void refused(const Page& page, Form form, bool toUnicode, std::string_view input,
                          size_t at) {
    if (toUnicode)
        throw error(messages::TextNotValid, {quoteBytes(input), page.name, position(at)});
    char32_t c;
    if (decodeAt(form, input, at, c) == 0)
        throw error(messages::TextNotValid,
                    {quoteUnicode(form, input), form == Utf8 ? "UTF-8" : "UTF-16",
                     position(form == Utf8 ? at : at / 2)});
    std::string character;
    appendHex(character, "U+%04X", unsigned(c));
    throw error(messages::CharacterNotInCodePage,
                {quoteUnicode(form, input), character, page.name});
}

// Where the next of the five Windows-1252 holes is, at or after `from`: a
// byte on the way to Unicode, a U+0081 ... U+009D on the way back. Each takes
// two bytes in UTF-8 and in UTF-16.
size_t nextHole(Form form, bool toUnicode, std::string_view input, size_t from) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(input[i]); };
    if (toUnicode) {
        for (size_t i = from; i < input.size(); ++i) {
            if (isUndefinedIn1252(byte(i)))
                return i;
        }
    } else if (form == Utf8) {
        // 0xC2 only ever starts a character; whatever malformed text comes
        // before it is refused before we get here.
        for (size_t i = from; i + 1 < input.size(); ++i) {
            if (byte(i) == 0xC2 && isUndefinedIn1252(byte(i + 1)))
                return i;
        }
    } else {
        for (size_t i = from; i + 1 < input.size(); i += 2) {
            if (isUndefinedIn1252(unitAt(input, i)))
                return i;
        }
    }
    return input.size();
}

// What a Windows-1252 hole at `at` converts to.
std::string holeFill(Form form, bool toUnicode, std::string_view input, size_t at) {
    if (!toUnicode)
        return std::string(1, form == Utf8 ? input[at + 1] : char(unitAt(input, at)));
    const auto byte = static_cast<unsigned char>(input[at]);
    if (form == Utf8)
        return {char(0xC0 | (byte >> 6)), char(0x80 | (byte & 0x3F))};
    const char16_t unit = byte;
    return std::string(reinterpret_cast<const char*>(&unit), sizeof unit);
}

// Converts the whole input between the code page and a Unicode form; the
// result is UTF-8 or host-order UTF-16 bytes, or code-page bytes.
std::string convert(Page& page, Form form, bool toUnicode, std::string_view input,
                    size_t capacity) {
    Descriptor& descriptor = toUnicode ? page.decoders[form] : page.encoders[form];
    const char* from = toUnicode ? page.name.c_str() : iconvName(form);
    const char* to = toUnicode ? iconvName(form) : page.name.c_str();
    if (!descriptor.Open(to, from))
        throw notSupported(page.name);
    const iconv_t cd = descriptor.Get();

    std::string out(capacity + 16, '\0');
    size_t used = 0;
    size_t at = 0;
    // Converts input[at, end); with `flush`, writes what a stateful code
    // page needs to return to its initial state.
    const auto run = [&](size_t end, bool flush) {
        char* in = const_cast<char*>(input.data()) + at;
        size_t inLeft = end - at;
        for (;;) {
            char* next = out.data() + used;
            size_t outLeft = out.size() - used;
            const size_t done = flush ? iconv(cd, nullptr, nullptr, &next, &outLeft)
                                      : iconv(cd, &in, &inLeft, &next, &outLeft);
            used = out.size() - outLeft;
            at = end - inLeft;
            if (done == 0)
                return;
            if (done == size_t(-1) && errno == E2BIG)
                out.resize(out.size() * 2);
            else if (done == size_t(-1) && (errno == EILSEQ || errno == EINVAL) && !flush)
                refused(page, form, toUnicode, input, at);
            else // only a substituting iconv counts irreversible conversions
                throw error(messages::TextNotExact,
                            {toUnicode ? quoteBytes(input) : quoteUnicode(form, input), page.name});
        }
    };

    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    // iconv refuses the Windows-1252 holes; rather than restart it at each
    // refusal, which costs it a lot in multi-step conversions, convert the
    // stretches between them.
    while (at < input.size()) {
        const size_t hole = page.windows1252 ? nextHole(form, toUnicode, input, at) : input.size();
        run(hole, false);
        if (hole < input.size()) {
            const std::string fill = holeFill(form, toUnicode, input, hole);
            if (out.size() - used < fill.size())
                out.resize(out.size() * 2);
            out.replace(used, fill.size(), fill);
            used += fill.size();
            at = hole + (toUnicode ? 1 : 2);
        }
    }
    run(at, true);
    out.resize(used);
    return out;
}

size_t utf8Error(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        char32_t c;
        const size_t length = decodeUtf8(text, at, c);
        if (length == 0)
            return at;
        at += length;
    }
    return std::string::npos;
}

std::u16string toUtf16(Page& page, std::string_view text) {
    if (page.keepsAscii && isAscii(text))
        return std::u16string(text.begin(), text.end());
    const std::string bytes = convert(page, Utf16, true, text, text.size() * 2);
    std::u16string result(bytes.size() / 2, u'\0');
    std::memcpy(result.data(), bytes.data(), result.size() * 2);
    return result;
}

std::string fromUtf16(Page& page, std::u16string_view text) {
    if (page.keepsAscii && isAscii(text)) {
        std::string result(text.size(), '\0');
        for (size_t i = 0; i < text.size(); ++i)
            result[i] = char(text[i]);
        return result;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    return convert(page, Utf16, false, bytes, bytes.size());
}

std::string toUtf8(Page& page, std::string_view text) {
    if (page.utf8) {
        if (const size_t bad = utf8Error(text); bad != std::string::npos)
            throw error(messages::TextNotValid, {quoteBytes(text), page.name, position(bad)});
        return std::string(text);
    }
    if (page.keepsAscii && isAscii(text))
        return std::string(text);
    return convert(page, Utf8, true, text, text.size() * 2);
}

std::string fromUtf8(Page& page, std::string_view utf8) {
    if (page.utf8) {
        if (const size_t bad = utf8Error(utf8); bad != std::string::npos)
            throw error(messages::TextNotValid, {quoteUnicode(Utf8, utf8), "UTF-8", position(bad)});
        return std::string(utf8);
    }
    if (page.keepsAscii && isAscii(utf8))
        return std::string(utf8);
    return convert(page, Utf8, false, utf8, utf8.size());
}

} // namespace

const std::string& CodePage::Current() {
    return registry().current;
}

void CodePage::SetCurrent(std::string name) {
    Page& page = findPage(name);
    if (!page.keepsAscii)
        throw notSupported(name);
    Registry& r = registry();
    r.current = std::move(name);
    r.currentPage = &page;
}

std::u16string CodePage::ToUtf16(std::string_view text) {
    return toUtf16(currentPage(), text);
}

std::string CodePage::FromUtf16(std::u16string_view text) {
    return fromUtf16(currentPage(), text);
}

std::string CodePage::ToUtf8(std::string_view text) {
    return toUtf8(currentPage(), text);
}

std::string CodePage::FromUtf8(std::string_view utf8) {
    return fromUtf8(currentPage(), utf8);
}

std::u16string CodePage::ToUtf16(std::string_view codePage, std::string_view text) {
    return toUtf16(findPage(codePage), text);
}

std::string CodePage::FromUtf16(std::string_view codePage, std::u16string_view text) {
    return fromUtf16(findPage(codePage), text);
}

std::string CodePage::ToUtf8(std::string_view codePage, std::string_view text) {
    return toUtf8(findPage(codePage), text);
}

std::string CodePage::FromUtf8(std::string_view codePage, std::string_view utf8) {
    return fromUtf8(findPage(codePage), utf8);
}

} // namespace vantelo
