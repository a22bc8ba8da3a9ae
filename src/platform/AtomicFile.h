#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quill::platform {

// Receives a file's content piece by piece and hands it to the system in
// large writes, so that a big page never needs a second copy in memory.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    void Write(std::string_view bytes);
    // Hands the buffered bytes to the system; raises Exception on failure.
    void Flush();

protected:
    explicit FileWriter(std::string path);
    // Writes all of `bytes` or raises Exception naming the file and reason.
    virtual void WriteOut(const char* bytes, size_t size) = 0;
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
    std::unique_ptr<char[]> FBuffer;
    size_t FUsed = 0;
};

// Fills a file through the writer it is given.
using FileContent = std::function<void(FileWriter&)>;

// Saves a file the safe way for what sits at `path`:
// - a regular file, or nothing, is written to a temporary file beside it
//   and put in its place in one step, keeping the old file's permission
//   bits; a failure leaves the old file exactly as it was, and a killed
//   save leaves no temporary behind where the system allows it;
// - a symbolic link is followed, and the file it points to is replaced;
// - a device, a pipe or a link to an open stream is written in place;
// - an existing writable file whose folder takes no new file is
//   written in place.
// Raises Exception naming the file and the system's reason.
void SaveFile(const std::string& path, const FileContent& content);

// SaveFile with the whole content at hand.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

// Whether both names lead to the same existing file (through links, other
// spellings or hard links). False when either does not exist.
bool SameFile(const std::string& a, const std::string& b);

// The whole content of a file. Raises Exception naming the file and the
// system's reason, also when it is a folder or holds more than `limit`
// bytes.
std::string ReadWholeFile(const std::string& path, size_t limit = static_cast<size_t>(-1));

}  // namespace quill::platform
