// The page check's helper: reads a page as UTF-8 on its standard input, lets HTML Tidy's
// library check it and writes the messages on its standard output. It runs in a process of its
// own, so that the library crashing or hanging on some page never takes the editor with it.

#include "html/check_protocol.h"

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <cstdio>

namespace {

QByteArray answer;
qsizetype messageCount = 0;

CheckLevel levelOf(TidyReportLevel level)
{
    switch (level) {
    case TidyWarning:
        return CheckLevel::Warning;
    case TidyError:
    case TidyBadDocument:
    case TidyFatal:
        return CheckLevel::Error;
    default:
        return CheckLevel::Hint;
    }
}

QByteArray argumentText(TidyMessage message, TidyMessageArgument *argument)
{
    switch (tidyGetArgType(message, argument)) {
    case tidyFormatType_INT:
        return QByteArray::number(tidyGetArgValueInt(message, argument));
    case tidyFormatType_UINT: {
        // Character codes come as hexadecimal (U+%04X).
        const QByteArrayView format(tidyGetArgFormat(message, argument));
        const uint value = tidyGetArgValueUInt(message, argument);
        if (format.contains('X'))
            return QByteArray::number(value, 16).toUpper().rightJustified(4, '0');
        return QByteArray::number(value);
    }
    case tidyFormatType_DOUBLE:
        return QByteArray::number(tidyGetArgValueDouble(message, argument));
    case tidyFormatType_STRING:
        return QByteArray(tidyGetArgValueString(message, argument));
    default:
        return QByteArray();
    }
}

Bool TIDY_CALL collect(TidyMessage tidyMessage)
{
    const TidyReportLevel level = tidyGetMessageLevel(tidyMessage);
    const uint code = tidyGetMessageCode(tidyMessage);
    // Summaries and footnotes speak about the run, and the version tidy took the page for is
    // no problem of the page.
    if (level > TidyFatal || code <= REPORT_MESSAGE_FIRST || code == STRING_CONTENT_LOOKS
        || code == STRING_DOCTYPE_GIVEN || code == STRING_NO_SYSID)
        return no;
    QList<QByteArray> arguments;
    TidyIterator it = tidyGetMessageArguments(tidyMessage);
    while (it) {
        TidyMessageArgument argument = tidyGetNextMessageArgument(tidyMessage, &it);
        arguments.append(argumentText(tidyMessage, &argument));
    }
    // Tidy reads the page as UTF-8, whatever its <meta charset> says; the page itself is right.
    if (code == ATTRIBUTE_VALUE_REPLACED && arguments.value(1) == "charset")
        return no;
    // The alignment buttons write <left> and <right>, which no HTML ever had and browsers
    // pass over; a page of the program's own snippets is never called wrong.
    CheckLevel ours = levelOf(level);
    if (code == UNKNOWN_ELEMENT
        && (arguments.value(0) == "<left>" || arguments.value(0) == "<right>"))
        ours = CheckLevel::Warning;
    appendCheckMessage(answer, tidyGetMessageKey(tidyMessage),
                       qMax(0, tidyGetMessageLine(tidyMessage)),
                       qMax(0, tidyGetMessageColumn(tidyMessage)), 0, ours,
                       {arguments.cbegin(), arguments.cend()});
    ++messageCount;
    return no; // tidy itself prints nothing
}

// The folder the page's relative links and pictures are looked up in ("--ordner FOLDER"), or
// an empty string when none is given.
QString pageFolderArgument(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--ordner") == 0)
            return QString::fromLocal8Bit(argv[i + 1]);
    }
    return QString();
}

} // namespace

int main(int argc, char **argv)
{
    // Tidy looks no links up; the standard check takes the folder as ConformanceOptions.
    const QString pageFolder = pageFolderArgument(argc, argv);
    Q_UNUSED(pageFolder);

    QByteArray page;
    char chunk[65536];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, stdin)) > 0;)
        page.append(chunk, qsizetype(n));
    answer.reserve(1 << 16);

    TidyDoc doc = tidyCreate();
    TidyBuffer errors;
    tidyBufInit(&errors);
    tidySetErrorBuffer(doc, &errors);
    tidySetMessageCallback(doc, collect);
    tidySetInCharEncoding(doc, "utf8");
    // Every message, not only the first six errors; a tab counts as one column, as the editor
    // counts it.
    tidyOptSetInt(doc, TidyShowErrors, 1000000);
    tidyOptSetBool(doc, TidyShowWarnings, yes);
    tidyOptSetBool(doc, TidyShowInfo, yes);
    tidyOptSetInt(doc, TidyTabSize, 1);

    TidyBuffer input;
    tidyBufInit(&input);
    tidyBufAttach(&input, reinterpret_cast<byte *>(page.data()), uint(page.size()));
    if (tidyParseBuffer(doc, &input) >= 0 && tidyCleanAndRepair(doc) >= 0)
        tidyRunDiagnostics(doc);
    tidyBufDetach(&input);

    answer += encodeCheckEnd(messageCount);
    std::fwrite(answer.data(), 1, answer.size(), stdout);
    std::fflush(stdout);
    tidyBufFree(&errors);
    tidyRelease(doc);
    return 0;
}
