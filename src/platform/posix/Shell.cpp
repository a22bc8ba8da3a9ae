#include "platform/Shell.h"

#include <sys/wait.h>
#include <unistd.h>

namespace quill::platform {

bool ShellOpen(const std::string& fileName) {
    // Everything the children need is prepared before forking.
    std::string program = "xdg-open";
    std::string argument = fileName;
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
    while (waitpid(middle, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace quill::platform
