#include "dictionary/value_stream.h"

#include <cstring>

namespace vantelo {

void ValueWriter::WriteUInt32(uint32_t value) {
    for (int i = 0; i < 4; ++i)
        WriteByte(uint8_t(value >> (8 * i)));
}

void ValueWriter::WriteInteger(int32_t value) {
    if (value >= -128 && value <= 127) {
        WriteByte(TagInt8);
        WriteByte(uint8_t(value));
    } else if (value >= -32768 && value <= 32767) {
        WriteByte(TagInt16);
        WriteByte(uint8_t(value));
        WriteByte(uint8_t(uint32_t(value) >> 8));
    } else {
        WriteByte(TagInt32);
        WriteUInt32(uint32_t(value));
    }
}

void ValueWriter::WriteString(std::string_view text) {
    if (text.size() <= 255) {
        WriteByte(TagString);
        WriteByte(uint8_t(text.size()));
    } else {
        WriteByte(TagLongString);
        WriteUInt32(uint32_t(text.size()));
    }
    WriteRaw(text);
}

void ValueWriter::WriteWideString(std::u16string_view text) {
    WriteByte(TagWideString);
    WriteUInt32(uint32_t(text.size()));
    for (const char16_t unit : text) {
        WriteByte(uint8_t(unit));
        WriteByte(uint8_t(unit >> 8));
    }
}

void ValueWriter::WriteBinary(std::string_view bytes) {
    WriteByte(TagBinary);
    WriteUInt32(uint32_t(bytes.size()));
    WriteRaw(bytes);
}

void ValueWriter::WriteShortName(std::string_view name) {
    WriteByte(uint8_t(name.size() > 255 ? 255 : name.size()));
    WriteRaw(name.substr(0, 255));
}

void ValueReader::fail(const char* what) const {
    throw EValueReadError(std::string(what) + " at offset " + std::to_string(at_));
}

uint8_t ValueReader::ReadByte() {
    if (at_ >= data_.size())
        fail("unexpected end of data");
    return uint8_t(data_[at_++]);
}

uint8_t ValueReader::PeekByte() const {
    if (at_ >= data_.size())
        fail("unexpected end of data");
    return uint8_t(data_[at_]);
}

std::string_view ValueReader::ReadBytes(size_t count) {
    if (count > Remaining())
        fail("length beyond the end of data");
    auto bytes = data_.substr(at_, count);
    at_ += count;
    return bytes;
}

uint32_t ValueReader::ReadUInt32() {
    auto b = ReadBytes(4);
    return uint32_t(uint8_t(b[0])) | uint32_t(uint8_t(b[1])) << 8 | uint32_t(uint8_t(b[2])) << 16 |
           uint32_t(uint8_t(b[3])) << 24;
}

void ValueReader::expectTag(uint8_t tag) {
    if (ReadByte() != tag)
        fail("unexpected value");
}

int32_t ValueReader::ReadInteger() {
    switch (ReadByte()) {
    case TagInt8:
        return int8_t(ReadByte());
    case TagInt16: {
        auto b = ReadBytes(2);
        return int16_t(uint16_t(uint8_t(b[0]) | uint8_t(b[1]) << 8));
    }
    case TagInt32:
        return int32_t(ReadUInt32());
    default:
        fail("integer expected");
    }
}

std::string_view ValueReader::ReadString() {
    switch (ReadByte()) {
    case TagString:
        return ReadBytes(ReadByte());
    case TagLongString:
        return ReadBytes(ReadUInt32());
    default:
        fail("string expected");
    }
}

std::string_view ValueReader::ReadShortName() { return ReadBytes(ReadByte()); }

void ValueReader::SkipValue() { skip(0); }

void ValueReader::skip(int depth) {
    // Nesting is shallow in every real file; a deep one is hostile.
    if (depth > 32)
        fail("values nested too deeply");
    switch (ReadByte()) {
    case TagEndOfList:
    case TagFalse:
    case TagTrue:
    case TagNil:
        return;
    case TagList:
        while (!EndOfList())
            skip(depth + 1);
        ReadByte();
        return;
    case TagInt8:
        ReadBytes(1);
        return;
    case TagInt16:
        ReadBytes(2);
        return;
    case TagInt32:
    case TagSingle:
        ReadBytes(4);
        return;
    case TagInt64:
    case TagCurrency:
    case TagDate:
        ReadBytes(8);
        return;
    case TagExtended:
        ReadBytes(10);
        return;
    case TagString:
    case TagIdent:
        ReadBytes(ReadByte());
        return;
    case TagBinary:
    case TagLongString:
    case TagUtf8String:
        ReadBytes(ReadUInt32());
        return;
    case TagWideString: {
        const uint32_t units = ReadUInt32();
        if (units > Remaining() / 2)
            fail("length beyond the end of data");
        ReadBytes(size_t(units) * 2);
        return;
    }
    case TagSet:
        // Names until an empty one.
        while (ReadByte() != 0)
            ReadBytes(uint8_t(data_[at_ - 1]));
        return;
    case TagCollection:
        // Items, each an optional order value and a property list.
        while (!EndOfList()) {
            if (PeekByte() == TagInt8 || PeekByte() == TagInt16 || PeekByte() == TagInt32)
                ReadInteger();
            ReadListBegin();
            while (!EndOfList()) {
                ReadShortName();
                skip(depth + 1);
            }
            ReadByte();
        }
        ReadByte();
        return;
    default:
        fail("unknown value");
    }
}

} // namespace vantelo
