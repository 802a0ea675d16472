// Labels of page-feature values.
#include "PageFeatureLabels.h"

#include "FoundationValues.h"

namespace {

constexpr int kJobSetting = 13014;

}  // namespace

int Pick(int value, std::initializer_list<std::pair<int, int>> labels, int otherwise) {
    for (const auto& [listed, label] : labels) {
        if (listed == value) return label;
    }
    return otherwise;
}

int DeviceLabel(int device) {
    return Pick(device, {{1, 10045}, {2, 10046}, {3, 10047}, {4, 10048}, {5, 10117}}, kJobSetting);
}

int StapleLabel(int position) { return Pick(position, {{2, 10050}, {3, 10051}, {4, 10052}, {5, 12093}}, 10049); }

int PrintModeLabel(int mode) { return Pick(mode, {{1, 10030}, {2, 10031}, {3, 10032}}, kJobSetting); }

int RotationLabel(int rotation) { return rotation == 3 ? 12079 : kJobSetting; }

int ChapterLabel(int chapter) { return chapter == 1 ? 13075 : 10118; }

std::string ImageShiftText(float x1, float y1, float x2, float y2, const LabelText& label) {
    return label(13106) + platform::Format(": x (%.2f) y (%.2f), ", x1, y1) + label(13107) +
           platform::Format(": x (%.2f) y (%.2f)", x2, y2);
}
