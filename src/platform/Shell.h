#pragma once

#include <chrono>
#include <string>

namespace quill::platform {

// What became of a request to open a file: whether the desktop's opener
// started and took it, and if not, why.
struct TOpenResult {
    bool Opened = false;
    // Why the file could not be opened; empty when it was.
    std::string Reason;
};

// How long ShellOpen waits for the opener's answer. An opener still busy
// by then has started the handler and counts as having opened the file.
inline constexpr std::chrono::milliseconds kOpenerWait{3000};

// Asks the desktop to open a file with its default handler, the way a user
// double-clicking it would. The file name is handed over as one argument,
// never through a command line. Waits at most `wait` for the opener to
// answer, never raises, and tells what it learned.
TOpenResult ShellOpen(const std::string& fileName, std::chrono::milliseconds wait = kOpenerWait);

}  // namespace quill::platform
