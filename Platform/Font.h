// Stand-in for the platform's system fonts, as far as the panes measure
// texts with them: the size of the label font.
#pragma once

namespace platform {

// The point size of the font that labels and table cells are drawn in.
double LabelFontSize();

}  // namespace platform
