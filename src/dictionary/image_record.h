#pragma once

#include "dictionary/language.h"
#include "dictionary/value_stream.h"

namespace vantelo {

// A language's flag picture as stored in a dictionary file: the streamed
// record of an image component ("TPF0", class "TImage", its properties, no
// children). The picture travels in "Picture.Data" as the graphic's class
// name followed by its data, never decoded here.
void WriteImageRecord(ValueWriter& out, const TImage& image);
// Reads one record into `image`, taking the frame and the picture from
// whatever properties are stored and stepping over the others. A damaged
// record raises EValueReadError and leaves `image` untouched.
void ReadImageRecord(ValueReader& in, TImage& image);

} // namespace vantelo
