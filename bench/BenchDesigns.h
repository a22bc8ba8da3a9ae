// Designs and the direct writer the benchmarks compare against.
#pragma once

#include <string>
#include <vector>

#include "framework/Strings.h"

namespace quillbench {

// A form of `count` labels of the given size, `columns` to a row, each
// `step` pixels from the next; AutoSize off so no text is measured.
std::string LabelGridDesign(int count, int columns, int step, int size);

// `count` labels of `size` x `size` corner to corner on a diagonal of a
// form just large enough: the page table then has a row and a column per
// label, so the page grows with the square of the count.
std::string DiagonalLabelsDesign(int count, int size);

// Like the demo's design area: one 415 x 27 label in a client-aligned
// panel, a centred page and a header.
std::string DemoLikeDesign();

// The bytes of a page as precomputed pieces: each line, then CR LF.
class TDirectWriter {
public:
    explicit TDirectWriter(const quill::TStrings& lines);
    // Appends the pieces into one reserved string, as a hand-written writer
    // of the same bytes would.
    std::string Write() const;
    size_t Bytes() const { return FBytes; }

private:
    std::vector<std::string> FLines;
    size_t FBytes = 0;
};

}  // namespace quillbench
