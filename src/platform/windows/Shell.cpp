#include "platform/Shell.h"

#include <windows.h>
#include <shellapi.h>

namespace quill::platform {

namespace {

// The shell's answers below 33 are error codes of its own.
std::string ShellReason(INT_PTR code) {
    switch (code) {
    case 0:
        return "the system is out of memory or resources";
    case ERROR_FILE_NOT_FOUND:
        return "the file was not found";
    case ERROR_PATH_NOT_FOUND:
        return "its folder was not found";
    case ERROR_BAD_FORMAT:
        return "the program to open it with is no valid program";
    case SE_ERR_ACCESSDENIED:
        return "access was denied";
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE:
        return "no program is set to open this kind of file";
    case SE_ERR_OOM:
        return "there was not enough memory";
    case SE_ERR_SHARE:
        return "the file is in use";
    case SE_ERR_DDEBUSY:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDETIMEOUT:
        return "the program to open it with did not answer";
    default:
        return "the shell refused with code " + std::to_string(code);
    }
}

}  // namespace

// The shell starts the handler and returns; the wait has nothing to wait for.
TOpenResult ShellOpen(const std::string& fileName, std::chrono::milliseconds) {
    auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", fileName.c_str(), nullptr, nullptr, SW_SHOW));
    if (result > 32) return {true, {}};
    return {false, ShellReason(result)};
}

}  // namespace quill::platform
