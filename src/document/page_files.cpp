#include "document/page_files.h"

#include "foundation/error.h"

#include <QFile>
#include <QFileInfo>
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

namespace {

// A device or pipe is written to, never replaced by a file of the same name.
void writeInPlace(const QString &path, QByteArrayView bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), bytes.size()) != bytes.size()
        || !file.flush())
        throw Error(u"Cannot create file %1"_s.arg(path));
}

} // namespace

void writeWholeFile(const QString &path, QByteArrayView bytes)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        writeInPlace(path, bytes);
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // No temporary file can be made beside it: a file that is there is still written in
        // place, as the user may expect of a file they can write.
        if (target.isFile() && target.isWritable()) {
            writeInPlace(path, bytes);
            return;
        }
        throw Error(u"Cannot create file %1"_s.arg(path));
    }
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.commit())
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
