#pragma once

#include <stdexcept>
#include <string>

namespace quill {

// The error every expected failure raises: a message that says what went
// wrong and where. Hosts catch it by this class; other exceptions (out of
// memory, broken invariants) are not theirs to swallow.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Raised when one object cannot take over another's values.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace quill
