// The label font's size: the desktop's standard label size in points.
#include "Font.h"

namespace platform {

double LabelFontSize() { return 10.0; }

}  // namespace platform
