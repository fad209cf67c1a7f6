#include "document/personal_words.h"

#include "foundation/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

QString personalWordsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
           + u"/eigene-woerter.txt"_s;
}

QStringList readPersonalWords(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList words;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const QString word = QString::fromUtf8(line).trimmed();
        if (!word.isEmpty())
            words.append(word);
    }
    return words;
}

void writePersonalWords(const QString &path, const QStringList &words)
{
    QSaveFile file(path);
    const bool written = QDir().mkpath(QFileInfo(path).absolutePath())
                         && file.open(QIODevice::WriteOnly)
                         && file.write((words.join(u'\n') + u'\n').toUtf8()) >= 0 && file.commit();
    if (!written)
        throw Error(u"Die Wortliste %1 kann nicht geschrieben werden"_s.arg(QDir::toNativeSeparators(path)));
}
