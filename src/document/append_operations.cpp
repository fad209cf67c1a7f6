#include "document/append_operations.h"

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

QString toEditorLineBreaks(QStringView text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out.append(u'\n');
            if (i + 1 < n && text[i + 1] == u'\n')
                ++i;
        } else {
            out.append(c);
        }
    }
    return out;
}
