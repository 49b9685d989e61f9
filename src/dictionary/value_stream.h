#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vantelo {

// The tagged value encoding of dictionary files (.lgf) and column-set files
// (.lng): little-endian, one tag byte before each value.
enum ValueTag : uint8_t {
    TagEndOfList = 0x00,
    TagList = 0x01,
    TagInt8 = 0x02,
    TagInt16 = 0x03,
    TagInt32 = 0x04,
    TagExtended = 0x05,
    TagString = 0x06,
    TagIdent = 0x07,
    TagFalse = 0x08,
    TagTrue = 0x09,
    TagBinary = 0x0A,
    TagSet = 0x0B,
    TagLongString = 0x0C,
    TagNil = 0x0D,
    TagCollection = 0x0E,
    TagSingle = 0x0F,
    TagCurrency = 0x10,
    TagDate = 0x11,
    TagWideString = 0x12,
    TagInt64 = 0x13,
    TagUtf8String = 0x14,
};

// A value that is not where the reader expects it, or bytes that run out.
class EValueReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Appends encoded values to a byte string.
class ValueWriter {
public:
    explicit ValueWriter(std::string& out) : out_(out) {}

    void WriteListBegin() { WriteByte(TagList); }
    void WriteListEnd() { WriteByte(TagEndOfList); }
    // 0x02, 0x03 or 0x04, whichever is the smallest that holds the value.
    void WriteInteger(int32_t value);
    // 0x06 up to 255 bytes, 0x0C beyond.
    void WriteString(std::string_view text);
    void WriteBoolean(bool value) { WriteByte(value ? TagTrue : TagFalse); }
    // 0x12: count of UTF-16 code units, then the units little-endian.
    void WriteWideString(std::u16string_view text);
    // 0x0A: 4-byte length, then the bytes.
    void WriteBinary(std::string_view bytes);
    // A length byte and the characters, without a tag (names in image records).
    void WriteShortName(std::string_view name);

    void WriteByte(uint8_t b) { out_.push_back(char(b)); }
    void WriteRaw(std::string_view bytes) { out_.append(bytes); }
    void WriteUInt32(uint32_t value);

private:
    std::string& out_;
};

// Reads encoded values from a byte range it never leaves: every length is
// checked against the bytes that remain before anything is taken.
class ValueReader {
public:
    explicit ValueReader(std::string_view bytes) : data_(bytes) {}

    size_t Remaining() const { return data_.size() - at_; }
    bool AtEnd() const { return at_ >= data_.size(); }
    size_t Offset() const { return at_; }

    uint8_t ReadByte();
    uint8_t PeekByte() const;
    // True (without consuming it) when the next byte ends a list.
    bool EndOfList() const { return PeekByte() == TagEndOfList; }
    void ReadListBegin() { expectTag(TagList); }
    void ReadListEnd() { expectTag(TagEndOfList); }
    int32_t ReadInteger();
    // A string of tag 0x06 or 0x0C; the view points into the bytes read.
    std::string_view ReadString();
    // True exactly for tag 0x09; any other tag reads as false.
    bool ReadBoolean() { return ReadByte() == TagTrue; }
    std::string_view ReadShortName();
    std::string_view ReadBytes(size_t count);
    uint32_t ReadUInt32();
    // Steps over one tagged value of any kind.
    void SkipValue();

private:
    void expectTag(uint8_t tag);
    void skip(int depth);
    [[noreturn]] void fail(const char* what) const;

    std::string_view data_;
    size_t at_ = 0;
};

} // namespace vantelo
