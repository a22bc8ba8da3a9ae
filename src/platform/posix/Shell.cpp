#include "platform/Shell.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace quill::platform {

bool ShellOpen(const std::string& fileName) {
    // Everything the children need is prepared before forking.
    std::string program = "xdg-open";
    // A name starting with "-" would read as an option to the opener.
    std::string argument = !fileName.empty() && fileName[0] == '-' ? "./" + fileName : fileName;
    char* argv[] = {program.data(), argument.data(), nullptr};
    // Fork twice so the opener is nobody's child to wait for: the middle
    // process ends at once and the opener is adopted by init.
    pid_t middle = fork();
    if (middle < 0) return false;
    if (middle == 0) {
        pid_t opener = fork();
        if (opener == 0) {
            execvp(argv[0], argv);
            _exit(127);
        }
        _exit(opener < 0 ? 1 : 0);
    }
    int status = 0;
    pid_t waited;
    do {
        waited = waitpid(middle, &status, 0);
    } while (waited < 0 && errno == EINTR);
    // A host that ignores SIGCHLD, or reaps its children itself, leaves
    // nothing to wait for: the request was made all the same.
    if (waited < 0) return errno == ECHILD;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace quill::platform
