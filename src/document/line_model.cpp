#include "document/line_model.h"

namespace LineModel {
namespace {

constexpr QByteArrayView crlf("\r\n", 2);

qsizetype nextBreak(QByteArrayView text, qsizetype from)
{
    return text.indexOf(crlf, from);
}

} // namespace

qsizetype lineCount(QByteArrayView text)
{
    qsizetype count = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        ++count;
        const qsizetype end = nextBreak(text, start);
        if (end < 0)
            break;
        start = end + 2;
    }
    return count;
}

qsizetype lineStart(QByteArrayView text, qsizetype index)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < index; ++i) {
        const qsizetype end = nextBreak(text, start);
        if (end < 0)
            return text.size();
        start = end + 2;
    }
    return start;
}

QByteArrayView line(QByteArrayView text, qsizetype index)
{
    const qsizetype start = lineStart(text, index);
    if (start >= text.size())
        return {};
    const qsizetype end = nextBreak(text, start);
    return text.sliced(start, (end < 0 ? text.size() : end) - start);
}

} // namespace LineModel
