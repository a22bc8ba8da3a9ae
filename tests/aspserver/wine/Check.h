#pragma once

#include <windows.h>

#include <cstdio>

namespace quill::asp::test {

// Failed checks so far; the host's exit code.
extern int gFailures;

inline void Check(bool ok, const char* what, const char* file, int line) {
    if (ok) return;
    ++gFailures;
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
}

inline void CheckResult(HRESULT expected, HRESULT actual, const char* what, const char* file, int line) {
    if (expected == actual) return;
    ++gFailures;
    std::fprintf(stderr, "%s:%d: %s returned 0x%08lX, expected 0x%08lX\n", file, line, what,
                 static_cast<unsigned long>(actual), static_cast<unsigned long>(expected));
}

}  // namespace quill::asp::test

#define CHECK(condition) ::quill::asp::test::Check((condition), #condition, __FILE__, __LINE__)
#define CHECK_HR(expected, call) ::quill::asp::test::CheckResult((expected), (call), #call, __FILE__, __LINE__)
