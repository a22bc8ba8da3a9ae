#pragma once

#include <cstdint>
#include <string>

// Image files as bytes, made up to the point their size readers look at.
namespace quill::test {

inline std::string BigEndian32(uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

// A PNG whose header states `width` x `height`, with an empty end chunk.
inline std::string PngBytes(uint32_t width, uint32_t height) {
    std::string ihdr = "IHDR" + BigEndian32(width) + BigEndian32(height) + std::string("\x08\x02\x00\x00\x00", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + BigEndian32(13) + ihdr + BigEndian32(0) + BigEndian32(0) + "IEND" +
           BigEndian32(0xAE426082);
}

inline std::string GifBytes(uint16_t width, uint16_t height) {
    return std::string("GIF89a") + static_cast<char>(width & 0xFF) + static_cast<char>(width >> 8) +
           static_cast<char>(height & 0xFF) + static_cast<char>(height >> 8) + std::string("\x00\x00\x00", 3) + ";";
}

// A JPEG whose frame header follows a comment segment of `padding` bytes.
inline std::string JpegBytes(uint16_t width, uint16_t height, uint16_t padding = 0) {
    auto be16 = [](uint16_t v) { return std::string{static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)}; };
    std::string bytes("\xFF\xD8", 2);
    bytes += std::string("\xFF\xFE", 2) + be16(static_cast<uint16_t>(padding + 2)) + std::string(padding, 'c');
    bytes += std::string("\xFF\xC0", 2) + be16(17) + std::string("\x08", 1) + be16(height) + be16(width) +
             std::string("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 10);
    return bytes + std::string("\xFF\xD9", 2);
}

}  // namespace quill::test
