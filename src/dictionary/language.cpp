#include "dictionary/language.h"

#include <algorithm>

namespace vantelo {

void TLanguage::SetImage(const TImage& image) {
    if (&image == &Image)
        return;
    Image.Picture = image.Picture;
    Image.Height = std::min(Image.Height, TImage::MaxSide);
    Image.Width = std::min(Image.Width, TImage::MaxSide);
}

void TLanguage::Assign(const TLanguage& other) {
    if (&other == this)
        return;
    Name = other.Name;
    ExportStr = other.ExportStr;
    Title = other.Title;
    Shown = other.Shown;
    IsRemark = other.IsRemark;
    Index = other.Index;
    ShownNumber = other.ShownNumber;
    SetImage(other.Image);
}

} // namespace vantelo
