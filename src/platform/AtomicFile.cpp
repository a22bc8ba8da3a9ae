#include "platform/AtomicFile.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "framework/Exception.h"

namespace quill::platform {

namespace {

std::filesystem::path TemporaryBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path name = target.filename();
    name += ".tmp-" + std::to_string(stamp) + "-" + std::to_string(counter++);
    return target.parent_path() / name;
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::filesystem::path target(path);
    const std::filesystem::path temporary = TemporaryBeside(target);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw Exception("Cannot create \"" + temporary.string() + "\"");
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw Exception("Cannot write \"" + temporary.string() + "\"");
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw Exception("Cannot replace \"" + path + "\": " + error.message());
    }
}

}  // namespace quill::platform
