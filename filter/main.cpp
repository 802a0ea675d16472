// Lumaprex: the queue's PostScript filter.
#include "PostScriptFilter.h"

int main(int argc, char* argv[]) {
    return RunPostScriptFilter(argc, argv);
}
