// The command filter killed while it stores a ticket, as a crash or an
// operator's kill would: it runs the command filter, hands its messages on
// and, once the first "PPD:" line has gone to the scheduler, kills it and
// then itself. The tests run it where the scheduler runs the real one.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "CommandFilter.h"

int main(int argc, char* argv[]) {
    int messages[2];
    if (pipe(messages) != 0) return 1;
    const pid_t filter = fork();
    if (filter == 0) {
        dup2(messages[1], STDERR_FILENO);
        close(messages[0]);
        return RunCommandFilter(argc, argv);
    }
    close(messages[1]);
    char line[4096];
    for (std::FILE* lines = fdopen(messages[0], "r"); std::fgets(line, sizeof line, lines);) {
        std::fputs(line, stderr);
        std::fflush(stderr);
        if (std::strncmp(line, "PPD:", 4) == 0) {
            kill(filter, SIGKILL);
            raise(SIGKILL);
        }
    }
    int status = 0;
    waitpid(filter, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
