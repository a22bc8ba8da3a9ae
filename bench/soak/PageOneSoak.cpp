// Makes per-request PageOne pages, as GetBody does minus the COM write, and
// prints a line after each 100,000 so scripts/soak-pageone.sh can read the
// process's resident memory beside the count.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "aspserver/PageOne.h"

int main(int argc, char** argv) {
    const long pages = argc > 1 ? std::atol(argv[1]) : 1'000'000;
    size_t bytes = 0;
    for (long i = 1; i <= pages; ++i) {
        auto form = quill::TPageOneForm::Create();
        bytes += form->QuillHtmlGenerator1->Generate()->Text().size();
        if (i % 100'000 == 0 || i == pages) {
            std::printf("pages=%ld bytes=%zu\n", i, bytes);
            std::fflush(stdout);
        }
    }
    return 0;
}
