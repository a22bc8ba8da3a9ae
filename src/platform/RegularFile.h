#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace quill::platform {

// A regular file opened for reading a little at a time. Opening looks at
// what the name leads to before touching any content: a folder, a device,
// a pipe or a socket is refused, and so is a file larger than the limit,
// so a name the user gives can never block the program or make it read
// without end.
class TRegularFile {
public:
    // Raises Exception naming the file and saying why it was refused.
    static std::unique_ptr<TRegularFile> Open(const std::string& path, uint64_t limit);
    virtual ~TRegularFile() = default;

    // Reads up to `size` bytes; answers how many, 0 at the end. Raises
    // Exception when the system fails.
    virtual size_t Read(char* buffer, size_t size) = 0;
    // Moves `bytes` ahead; past the end reads give nothing.
    virtual void Skip(uint64_t bytes) = 0;
    // Whether no byte is left to read.
    bool AtEnd() const { return FPosition >= FSize; }
    uint64_t Size() const { return FSize; }

protected:
    explicit TRegularFile(uint64_t size) : FSize(size) {}
    uint64_t FPosition = 0;

private:
    uint64_t FSize;
};

}  // namespace quill::platform
