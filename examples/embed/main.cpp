// Serves pages the way a server would, without tying itself to an HTTP
// library: the design is loaded once, and worker threads each make a fresh
// page per incoming value, set it and render it.
//
//   embed_pages DESIGN NAME.PROPERTY OUTDIR [THREADS] < values
//
// Every line of standard input is one incoming value; the page for line N
// (from 0) is written to OUTDIR/page-N.html.
#include <quill/quill.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace {

// One worker: takes the next value until none is left.
void Serve(const quill::Design& design, const std::string& property, const std::vector<std::string>& values,
           const std::string& folder, std::atomic<size_t>& next, std::atomic<int>& failures) {
    for (size_t i = next++; i < values.size(); i = next++) {
        try {
            quill::Page page = design.NewPage();
            page.Set(property, values[i]);
            std::ofstream out(folder + "/page-" + std::to_string(i) + ".html", std::ios::binary);
            page.Render(out);
            if (!out) throw quill::Exception("page " + std::to_string(i) + ": could not be written");
        } catch (const quill::Exception& e) {
            std::cerr << "embed_pages: " << e.what() << "\n";
            ++failures;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int threads = argc == 5 ? std::atoi(argv[4]) : 4;
    if (argc < 4 || argc > 5 || threads < 1 || threads > 64) {
        std::cerr << "usage: embed_pages DESIGN NAME.PROPERTY OUTDIR [THREADS 1-64] < values\n";
        return 2;
    }
    std::vector<std::string> values;
    for (std::string line; std::getline(std::cin, line);) values.push_back(line);
    try {
        // Loaded and checked once; every thread makes its pages from it.
        const quill::Design design = quill::Design::FromFile(argv[1]);
        std::atomic<size_t> next{0};
        std::atomic<int> failures{0};
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t)
            workers.emplace_back(Serve, std::cref(design), std::string(argv[2]), std::cref(values),
                                 std::string(argv[3]), std::ref(next), std::ref(failures));
        for (std::thread& worker : workers) worker.join();
        return failures == 0 ? 0 : 1;
    } catch (const quill::Exception& e) {
        std::cerr << "embed_pages: " << e.what() << "\n";
        return 1;
    }
}
