// The labels that name the values of page features, shared by the
// page-exception pane's tables, its group titles and its confirmations, so
// that a value reads the same wherever the pane shows it.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

using LabelText = std::function<std::string(int)>;

// The label listed for the value; otherwise for any value not listed.
int Pick(int value, std::initializer_list<std::pair<int, int>> labels, int otherwise);

// A subset's output device: top tray, stapler, stacker, booklet maker,
// other; the job's setting for any other value.
int DeviceLabel(int device);
// A staple position: top, bottom, both, saddle; no staple for any other.
int StapleLabel(int position);
// A print mode: simplex, duplex long edge, duplex short edge; the job's
// setting for any other.
int PrintModeLabel(int mode);
// Rotation 3 is 180 degrees; any other the job's setting.
int RotationLabel(int rotation);
// Chapter start 1 starts a new chapter; any other none.
int ChapterLabel(int chapter);

// "Side 1: x (0.00) y (0.00), Side 2: x (0.00) y (0.00)", the offsets of an
// image shift in points.
std::string ImageShiftText(float x1, float y1, float x2, float y2, const LabelText& label);
