#include "platform/io_errors.h"

#include "foundation/error.h"

#include <cerrno>

using namespace Qt::StringLiterals;

namespace Platform {

QString ioErrorMessage(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
        return u"File not found"_s;
    case ENOTDIR:
        return u"Invalid filename"_s;
    case EMFILE:
    case ENFILE:
        return u"Too many open files"_s;
    case EACCES:
    case EPERM:
        return u"File access denied"_s;
    default:
        return u"I/O error %1"_s.arg(errorNumber);
    }
}

void throwIoError(int errorNumber)
{
    throw Error(ioErrorMessage(errorNumber));
}

} // namespace Platform
