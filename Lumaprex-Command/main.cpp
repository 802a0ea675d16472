// Lumaprex-Command: the queue's command filter.
#include "CommandFilter.h"

int main(int argc, char* argv[]) {
    return RunCommandFilter(argc, argv);
}
