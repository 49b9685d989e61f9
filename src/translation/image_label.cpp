#include "translation/image_label.h"

namespace vantelo {

ImageLabel::ImageLabel(QWidget* parent) : QLabel(parent) {}

} // namespace vantelo
