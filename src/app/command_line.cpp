#include "app/command_line.h"

#include "app/main_window.h"
#include "foundation/error.h"
#include "foundation/error_display.h"
#include "platform/working_folder.h"

#include <QCommandLineParser>
#include <QDir>
#include <QTimer>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

CommandLine answer(CommandLine::Action action, const QString &text)
{
    CommandLine result;
    result.action = action;
    result.answer = text;
    return result;
}

CommandLine refusal(const QString &why)
{
    return answer(CommandLine::Action::Refuse,
                  u"tagschmied: "_s + why
                      + u"\nAufruf: tagschmied [--eigener-ordner] [SEITE]"
                        u" oder tagschmied --check SEITE...; mehr mit tagschmied --help\n"_s);
}

} // namespace

CommandLine readCommandLine(const QStringList &arguments, const QString &startFolder)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Tagschmied 2.0, ein HTML-Editor zum Schreiben von "
                                     u"Webseiten von Hand."_s);
    // Our own help option: Qt's would also offer --help-all, for Qt options we do not list.
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Zeigt diese Hilfe an."_s);
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption ownFolderOption(
        u"eigener-ordner"_s,
        u"Arbeitet im Ordner ~/Tagschmied (legt ihn an, wenn er fehlt); dort liegen "
        u"look.html und eigene.lst. So startet der Menüeintrag."_s);
    parser.addOption(ownFolderOption);
    const QCommandLineOption checkOption(
        u"check"_s,
        u"Prüft die genannten Seiten nach dem HTML-Standard, ohne Fenster, und gibt je Meldung "
        u"eine Zeile SEITE:ZEILE:SPALTE: Fehler|Warnung|Hinweis: Meldung aus. Rückgabewert 0 "
        u"ohne Fehler, 1 bei Fehlern, 2 wenn eine Seite nicht lesbar ist."_s);
    parser.addOption(checkOption);
    parser.addPositionalArgument(u"SEITE"_s, u"Die Seite, die nach dem Start geöffnet wird."_s,
                                 u"[SEITE]"_s);

    if (!parser.parse(arguments))
        return refusal(parser.errorText());
    // The parser's headings come translated with Qt's texts.
    if (parser.isSet(help))
        return answer(CommandLine::Action::Answer, parser.helpText());
    if (parser.isSet(version))
        return answer(CommandLine::Action::Answer, u"Tagschmied 2.0\n"_s);
    const QStringList pages = parser.positionalArguments();
    if (parser.isSet(checkOption)) {
        if (pages.isEmpty())
            return refusal(u"--check braucht mindestens eine Seite."_s);
        CommandLine result;
        result.action = CommandLine::Action::Check;
        result.checkPages = pages;
        return result;
    }
    if (pages.size() > 1)
        return refusal(u"Nur eine Seite kann geöffnet werden, angegeben sind %1."_s.arg(
            pages.size()));

    CommandLine result;
    result.ownFolder = parser.isSet(ownFolderOption);
    if (!pages.isEmpty())
        result.page = QDir::cleanPath(QDir(startFolder).absoluteFilePath(pages.constFirst()));
    return result;
}

bool asksForCheckOnly(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0)
            return true;
        if (std::strcmp(argv[i], "--") == 0)
            break;
    }
    return false;
}

QString ownFolder()
{
    return QDir::homePath() + u"/Tagschmied"_s;
}

void enterOwnFolder()
{
    const QString folder = ownFolder();
    if (!QDir().mkpath(folder))
        throw Error(u"Cannot create folder "_s + folder);
    Platform::changeFolder(folder);
}

void openNamedPage(Form1 *form1, const QString &page)
{
    form1->OpenDialog1.setFileName(page);
    QTimer::singleShot(0, form1, [form1, page] { runGuarded([&] { form1->openPage(page); }); });
}
