#pragma once

#include <cstdint>
#include <string>

namespace quill {

// The pixel size a PNG, JPEG or GIF file states in its header.
struct TImageSize {
    int Width = 0;
    int Height = 0;
};

// The most bytes an image file may hold, and the longest side it may
// state: far beyond any picture of a page, small enough that a broken or
// hostile file cannot make a page of absurd size.
constexpr uint64_t kMaxImageFileBytes = 64 * 1024 * 1024;
constexpr int kMaxImageSide = 32768;

// Reads the size of the image in the named file, looking only at as much of
// the file as its header needs. Raises Exception naming the file and
// saying why when it is not a readable regular file of a known format
// within the limits.
TImageSize ReadImageSize(const std::string& path);

}  // namespace quill
