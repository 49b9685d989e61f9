#include "dictionary/image_record.h"

namespace vantelo {

namespace {
constexpr std::string_view Signature = "TPF0";
constexpr std::string_view ClassName = "TImage";
constexpr std::string_view PictureData = "Picture.Data";
} // namespace

void WriteImageRecord(ValueWriter& out, const TImage& image) {
    out.WriteRaw(Signature);
    out.WriteShortName(ClassName);
    out.WriteShortName("");
    out.WriteShortName("Left");
    out.WriteInteger(image.Left);
    out.WriteShortName("Top");
    out.WriteInteger(image.Top);
    out.WriteShortName("Width");
    out.WriteInteger(image.Width);
    out.WriteShortName("Height");
    out.WriteInteger(image.Height);
    if (!image.Picture.GraphicClass.empty()) {
        std::string data;
        ValueWriter picture(data);
        picture.WriteShortName(image.Picture.GraphicClass);
        picture.WriteRaw(std::string_view(reinterpret_cast<const char*>(image.Picture.Data.data()),
                                          image.Picture.Data.size()));
        out.WriteShortName(PictureData);
        out.WriteBinary(data);
    }
    if (image.Transparent) {
        out.WriteShortName("Transparent");
        out.WriteBoolean(true);
    }
    out.WriteByte(TagEndOfList); // properties
    out.WriteByte(TagEndOfList); // child components
}

void ReadImageRecord(ValueReader& in, TImage& image) {
    if (in.ReadBytes(Signature.size()) != Signature)
        throw EValueReadError("image record signature expected");
    in.ReadShortName(); // class name
    in.ReadShortName(); // component name
    TImage read = image;
    read.Picture = TPicture{};
    read.Transparent = false;
    while (!in.EndOfList()) {
        const std::string_view name = in.ReadShortName();
        const uint8_t tag = in.PeekByte();
        if ((name == "Left" || name == "Top" || name == "Width" || name == "Height") &&
            (tag == TagInt8 || tag == TagInt16 || tag == TagInt32)) {
            const int32_t value = in.ReadInteger();
            (name == "Left" ? read.Left : name == "Top" ? read.Top : name == "Width" ? read.Width : read.Height) =
                value;
        } else if (name == PictureData && tag == TagBinary) {
            in.ReadByte();
            ValueReader picture(in.ReadBytes(in.ReadUInt32()));
            read.Picture.GraphicClass = std::string(picture.ReadShortName());
            const auto data = picture.ReadBytes(picture.Remaining());
            read.Picture.Data.assign(data.begin(), data.end());
        } else if (name == "Transparent" && (tag == TagTrue || tag == TagFalse)) {
            read.Transparent = in.ReadBoolean();
        } else {
            in.SkipValue();
        }
    }
    in.ReadListEnd();
    // Child components: none are written; any stored are skipped.
    while (!in.EndOfList())
        in.SkipValue();
    in.ReadListEnd();
    image = std::move(read);
}

} // namespace vantelo
