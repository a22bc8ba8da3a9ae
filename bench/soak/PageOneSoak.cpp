// Makes per-request PageOne pages, as GetBody does minus the COM write, and
// prints a line after each 100,000 with the process's resident memory, read
// by the process itself so that the last line has it too.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "aspserver/PageOne.h"

namespace {

// VmRSS from /proc (Linux); "?" where there is none.
std::string ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::to_string(std::atol(line.c_str() + 6));
    return "?";
}

}  // namespace

int main(int argc, char** argv) {
    const long pages = argc > 1 ? std::atol(argv[1]) : 1'000'000;
    size_t bytes = 0;
    for (long i = 1; i <= pages; ++i) {
        auto form = quill::TPageOneForm::Create();
        bytes += form->QuillHtmlGenerator1->Generate()->Text().size();
        if (i % 100'000 == 0 || i == pages) {
            std::printf("pages=%ld bytes=%zu rss_kb=%s\n", i, bytes, ResidentKilobytes().c_str());
            std::fflush(stdout);
        }
    }
    return 0;
}
