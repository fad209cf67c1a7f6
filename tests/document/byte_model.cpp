#include "document/byte_model.h"

QByteArray normalizeLineBreaks(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size() + text.size() / 16 + 2);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = text[i];
        if (c == '\r') {
            out.append("\r\n", 2);
            if (i + 1 < n && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out.append("\r\n", 2);
        } else {
            out.append(c);
        }
    }
    return out;
}

std::optional<QByteArray> appendRaw(QByteArrayView current, QByteArrayView s)
{
    if (s.isEmpty())
        return std::nullopt;
    QByteArray result;
    result.reserve(current.size() + s.size());
    result.append(current).append(s);
    return result;
}

std::optional<QByteArray> appendLines(QByteArrayView current, QByteArrayView s)
{
    QByteArray joined;
    joined.reserve(current.size() + s.size());
    joined.append(current).append(s);
    QByteArray normalized = normalizeLineBreaks(joined);
    if (normalized == current)
        return std::nullopt;
    return normalized;
}

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
