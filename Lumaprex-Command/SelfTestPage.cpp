// The self-test page: one 360 x 72 raster page with a black, a cyan, a
// magenta and a yellow block, each with edge lines and a stepping run.
#include <cstring>

#include "CommandFilter.h"
#include "SchedulerLines.h"

namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 72;
constexpr int kBlockWidth = 72;
constexpr int kBlockStep = 96;
constexpr int kRunLength = 9;

constexpr unsigned char kBlockColours[4][3] = {
    {0, 0, 0}, {0, 255, 255}, {255, 0, 255}, {255, 255, 0}};

void paint(unsigned char* row, int x, const unsigned char (&colour)[3]) {
    std::memcpy(row + 3 * x, colour, 3);
}

void fillRow(unsigned char (&row)[3 * kWidth], int r) {
    std::memset(row, 255, sizeof row);
    for (int block = 0; block < 4; ++block) {
        int start = block * kBlockStep;
        paint(row, start, kBlockColours[block]);
        paint(row, start + kBlockWidth - 1, kBlockColours[block]);
        int run = start + kRunLength * (r % 8);
        for (int x = run; x < run + kRunLength; ++x) {
            paint(row, x, kBlockColours[block]);
        }
    }
}

}  // namespace

void print_self_test_page(const char* author, const FilterOutput& output) {
    std::fprintf(output.printer, "DOCUMENT\nAUTHOR %s\nTITLE Self-Test Page\n", author);
    std::fprintf(output.printer, "PAGE 0 0 %d %d\nRASTER %d %d 3\n", kWidth, kHeight, kWidth,
                 kHeight);
    unsigned char row[3 * kWidth];
    for (int r = 0; r < kHeight; ++r) {
        fillRow(row, r);
        std::fprintf(output.printer, "LINE %d\n", static_cast<int>(sizeof row));
        std::fwrite(row, 1, sizeof row, output.printer);
    }
    std::fputs("ENDPAGE\nENDDOCUMENT\n", output.printer);
    if (PrinterTookEverything(output.printer)) {
        WriteSchedulerMessage(output.messages, "PAGE", "1 1");
    }
}
