#pragma once

#include <QString>

namespace Platform {

// The framework's message for a failed file-system call, by its errno: "File not found",
// "Invalid filename", "Too many open files", "File access denied", or "I/O error <number>".
QString ioErrorMessage(int errorNumber);

// Throws the program's error with the message for errorNumber.
[[noreturn]] void throwIoError(int errorNumber);

} // namespace Platform
