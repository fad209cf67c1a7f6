#include "document/tag_list.h"

#include "document/codepage1252.h"
#include "document/page_files.h"
#include "foundation/error.h"

#include <cstring>

using namespace Qt::StringLiterals;

namespace TagList {

Contents parse(QByteArrayView bytes)
{
    Contents contents;
    const char *const data = bytes.data();
    const char *const nul = bytes.isEmpty()
        ? nullptr
        : static_cast<const char *>(std::memchr(data, '\0', size_t(bytes.size())));
    const qsizetype end = nul ? nul - data : bytes.size();

    qsizetype pos = 0;
    while (pos < end) {
        qsizetype stop = pos;
        while (stop < end && data[stop] != '\r' && data[stop] != '\n')
            ++stop;
        qsizetype length = stop - pos;
        if (length > maxEntryLength) {
            contents.cutLines.append(contents.entries.size() + 1);
            length = maxEntryLength;
        }
        contents.entries.append(CodePage1252::decode(bytes.sliced(pos, length)));
        if (stop == end)
            break;
        // CR LF is one break; LF CR is two, with an empty entry between them.
        pos = stop + 1;
        if (data[stop] == '\r' && pos < end && data[pos] == '\n')
            ++pos;
    }
    return contents;
}

QByteArray serialize(const QStringList &entries)
{
    QByteArray bytes;
    qsizetype size = 0;
    for (const QString &entry : entries)
        size += entry.size() + 2;
    bytes.reserve(size);
    for (const QString &entry : entries) {
        bytes += CodePage1252::encode(entry);
        bytes += "\r\n";
    }
    return bytes;
}

void checkEntry(const QString &entry)
{
    for (QChar c : entry) {
        if (c == u'\r' || c == u'\n')
            throw Error(u"An entry cannot hold a line break"_s);
        if (c == u'\0')
            throw Error(u"An entry cannot hold a NUL character"_s);
    }
    // Characters outside the code page are stored as references, so the stored form counts.
    if (entry.size() > maxEntryLength || CodePage1252::encode(entry).size() > maxEntryLength)
        throw Error(u"An entry cannot be longer than %1 characters"_s.arg(maxEntryLength));
}

QString cutLinesMessage(const QList<qsizetype> &cutLines)
{
    constexpr qsizetype named = 10;
    QStringList numbers;
    for (qsizetype i = 0; i < cutLines.size() && i < named; ++i)
        numbers.append(QString::number(cutLines.at(i)));
    if (cutLines.size() > named)
        numbers.append(u"..."_s);
    const QString file = QString::fromLatin1(fileName);
    if (cutLines.size() == 1) {
        return u"Line %1 of %2 is longer than %3 characters; only its first %3 were loaded"_s
            .arg(numbers.constFirst(), file)
            .arg(maxEntryLength);
    }
    return u"Lines %1 of %2 are longer than %3 characters; only their first %3 were loaded"_s
        .arg(numbers.join(u", "_s), file)
        .arg(maxEntryLength);
}

Contents load()
{
    return parse(readWholeFile(QString::fromLatin1(fileName)));
}

void save(const QStringList &entries)
{
    writeWholeFile(QString::fromLatin1(fileName), serialize(entries));
}

} // namespace TagList
