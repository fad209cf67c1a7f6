#include "app/command_line_check.h"

#include "document/page_encoding.h"
#include "html/check_texts.h"
#include "html/conformance/page_conformance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// Why a page could not be read, in German: the system's own texts here are English.
QString unreadableReason(const QFileInfo &file)
{
    if (!file.exists())
        return u"Die Datei gibt es nicht"_s;
    if (file.isDir())
        return u"Das ist ein Ordner"_s;
    if (!file.isReadable())
        return u"Keine Leseberechtigung"_s;
    return u"Lesefehler"_s;
}

void appendMessages(QByteArray &output, const QString &page, const QList<CheckMessage> &messages)
{
    for (const CheckMessage &message : messages) {
        output += u"%1:%2:%3: %4: %5\n"_s
                      .arg(page)
                      .arg(message.line)
                      .arg(message.column)
                      .arg(CheckTexts::levelName(message.level), CheckTexts::text(message))
                      .toUtf8();
    }
}

} // namespace

PageCheckRun checkPageFiles(const QStringList &pages, const QString &startFolder)
{
    PageCheckRun run;
    bool anyError = false;
    bool anyUnreadable = false;
    for (const QString &page : pages) {
        const QFileInfo file(QDir(startFolder), page);
        QFile reader(file.absoluteFilePath());
        QByteArray bytes;
        if (!file.isDir() && reader.open(QIODevice::ReadOnly))
            bytes = reader.readAll();
        if (file.isDir() || !reader.isOpen() || reader.error() != QFileDevice::NoError) {
            run.errors += u"tagschmied: %1 lässt sich nicht lesen: %2\n"_s
                              .arg(page, unreadableReason(file))
                              .toUtf8();
            anyUnreadable = true;
            continue;
        }
        const DecodedPage decoded = decodePage(bytes);
        const QList<CheckMessage> messages =
            checkPage(decoded.text, ConformanceOptions{file.absolutePath()});
        appendMessages(run.output, page, messages);
        for (const CheckMessage &message : messages)
            anyError = anyError || message.level == CheckLevel::Error;
    }
    run.exitStatus = anyUnreadable ? 2 : anyError ? 1 : 0;
    return run;
}
