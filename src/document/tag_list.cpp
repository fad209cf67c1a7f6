#include "document/tag_list.h"

#include "document/codepage1252.h"
#include "document/page_files.h"

namespace TagList {

QStringList parse(QByteArrayView bytes)
{
    Q_UNUSED(bytes);
    return {};
}

QByteArray serialize(const QStringList &entries)
{
    QByteArray bytes;
    for (const QString &entry : entries)
        bytes += CodePage1252::encode(entry) + "\r\n";
    return bytes;
}

void checkEntry(const QString &entry)
{
    Q_UNUSED(entry);
}

QStringList load()
{
    return parse(readWholeFile(QString::fromLatin1(fileName)));
}

void save(const QStringList &entries)
{
    writeWholeFile(QString::fromLatin1(fileName), serialize(entries));
}

} // namespace TagList
