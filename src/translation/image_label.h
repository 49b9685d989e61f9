#pragma once

#include <QLabel>

namespace vantelo {

// A label that shows a picture (a flag, a logo). It is a class of its own so
// that translation knows it: only its tool tip is translated, never its text,
// and writing a label's text would drop its picture.
class ImageLabel : public QLabel {
    Q_OBJECT
public:
    explicit ImageLabel(QWidget* parent = nullptr);
};

} // namespace vantelo
