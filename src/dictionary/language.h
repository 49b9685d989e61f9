#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantelo {

// A flag picture as the dictionary keeps it: the graphic's class name and its
// stored data, never decoded by the core. A "TBitmap" picture's data is a
// 4-byte little-endian length followed by a BMP file (length 0 = empty
// bitmap); a "TIcon" picture's data is an .ico file.
struct TPicture {
    std::string GraphicClass;
    std::vector<uint8_t> Data;

    static TPicture EmptyBitmap() { return TPicture{"TBitmap", {0, 0, 0, 0}}; }
    bool operator==(const TPicture&) const = default;
};

// The image component of a language: its frame and its picture.
struct TImage {
    static constexpr int32_t MaxSide = 32;

    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = MaxSide;
    int32_t Height = MaxSide;
    bool Transparent = false;
    TPicture Picture = TPicture::EmptyBitmap();

    bool operator==(const TImage&) const = default;
};

// Descriptor of one column of a dictionary: a language or a remark.
class TLanguage {
public:
    static constexpr int32_t DefaultColumnWidth = 140;

    TLanguage() = default;
    virtual ~TLanguage() = default;
    TLanguage(const TLanguage&) = delete;
    TLanguage& operator=(const TLanguage&) = delete;

    std::string Name;
    std::string ExportStr;
    std::string Title;
    int32_t Index = 0;
    TImage Image;
    bool Shown = false;
    bool IsRemark = false;
    int32_t ShownNumber = 0;
    int32_t ColumnWidth = DefaultColumnWidth;
    bool ReadOnly = false;

    virtual TImage& GetImage() { return Image; }
    // Copies the other image's picture and keeps the frame within 32 x 32.
    virtual void SetImage(const TImage& image);
    // Copies everything but ColumnWidth and ReadOnly.
    virtual void Assign(const TLanguage& other);
};

} // namespace vantelo
