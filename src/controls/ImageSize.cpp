#include "controls/ImageSize.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "framework/Exception.h"
#include "platform/RegularFile.h"

// Only the header readers of the three formats are wanted, and no file
// access of the library's own: the file comes through the callbacks.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace quill {

namespace {

// The library's reads, which must not raise through its C code: a failure
// ends the file early, and is reported afterwards.
struct TReader {
    platform::TRegularFile& File;
    std::string Error;

    static int Read(void* user, char* data, int size) {
        auto& self = *static_cast<TReader*>(user);
        try {
            return size > 0 ? static_cast<int>(self.File.Read(data, static_cast<size_t>(size))) : 0;
        } catch (const Exception& e) {
            self.Fail(e.Message());
            return 0;
        }
    }
    static void Skip(void* user, int bytes) {
        auto& self = *static_cast<TReader*>(user);
        try {
            // Going back is never needed for a header: end the file instead.
            self.File.Skip(bytes < 0 ? UINT64_MAX : static_cast<uint64_t>(bytes));
        } catch (const Exception& e) {
            self.Fail(e.Message());
        }
    }
    static int AtEnd(void* user) {
        auto& self = *static_cast<TReader*>(user);
        return self.File.AtEnd() || !self.Error.empty();
    }
    void Fail(const std::string& message) {
        if (Error.empty()) Error = message;
        try {
            File.Skip(UINT64_MAX);
        } catch (const Exception&) {
        }
    }
};

}  // namespace

TImageSize ReadImageSize(const std::string& path) {
    std::unique_ptr<platform::TRegularFile> file = platform::TRegularFile::Open(path, kMaxImageFileBytes);
    TReader reader{*file, {}};
    const stbi_io_callbacks callbacks{&TReader::Read, &TReader::Skip, &TReader::AtEnd};
    int width = 0, height = 0, channels = 0;
    const bool known = stbi_info_from_callbacks(&callbacks, &reader, &width, &height, &channels) != 0;
    if (!reader.Error.empty()) throw Exception(reader.Error);
    if (!known) {
        const char* reason = stbi_failure_reason();
        throw Exception(path + ": not a readable PNG, JPEG or GIF image" +
                        (reason ? std::string(" (") + reason + ")" : std::string()));
    }
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide)
        throw Exception(path + ": the image states a size of " + std::to_string(width) + "x" + std::to_string(height) +
                        " pixels, beyond the " + std::to_string(kMaxImageSide) + " a side this reads");
    return {width, height};
}

}  // namespace quill
