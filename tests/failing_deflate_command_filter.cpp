// The command filter with a compression step that fails part way. The tests
// run it where the scheduler runs the real one, to see that such a job fails
// and the queue keeps the ticket it held.
#include "CommandFilter.h"
#include "failing_deflate.h"
#include "ppdx.h"

int main(int argc, char* argv[]) {
    ppdxSetDeflateCall(filter_test::DeflateFailingPartWay);
    return RunCommandFilter(argc, argv);
}
