#include "document/page_files.h"

#include "app/error.h"

#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

QByteArray readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(u"Cannot open file %1"_s.arg(path));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(u"Cannot open file %1"_s.arg(path));
    return bytes;
}

void writeWholeFile(const QString &path, QByteArrayView bytes)
{
    QSaveFile file(path);
    // Where no temporary file can be made beside it, a writable file is still written in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), bytes.size()) != bytes.size()
        || !file.commit())
        throw Error(u"Cannot create file %1"_s.arg(path));
}

void writePreviewCopy(QByteArrayView bytes)
{
    const QString name = QString::fromLatin1(previewCopyName);
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Error(u"Cannot create file %1"_s.arg(name));
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush())
        throw Error(u"Stream write error"_s);
}
