// The page check's helper: reads a page as UTF-8 on its standard input, lets HTML Tidy's
// library check it and writes the messages on its standard output. It runs in a process of its
// own, so that the library crashing or hanging on some page never takes the editor with it.

#include "html/check_protocol.h"

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

namespace {

std::string answer;
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

QString argumentText(TidyMessage message, TidyMessageArgument *argument)
{
    switch (tidyGetArgType(message, argument)) {
    case tidyFormatType_INT:
        return QString::number(tidyGetArgValueInt(message, argument));
    case tidyFormatType_UINT: {
        // Character codes come as hexadecimal (U+%04X).
        const QByteArray format(tidyGetArgFormat(message, argument));
        const uint value = tidyGetArgValueUInt(message, argument);
        if (format.contains('X'))
            return QString::number(value, 16).toUpper().rightJustified(4, u'0');
        return QString::number(value);
    }
    case tidyFormatType_DOUBLE:
        return QString::number(tidyGetArgValueDouble(message, argument));
    case tidyFormatType_STRING:
        return QString::fromUtf8(tidyGetArgValueString(message, argument));
    default:
        return QString();
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
    CheckMessage message;
    message.key = QString::fromUtf8(tidyGetMessageKey(tidyMessage));
    message.line = qMax(0, tidyGetMessageLine(tidyMessage));
    message.column = qMax(0, tidyGetMessageColumn(tidyMessage));
    message.level = levelOf(level);
    message.english = QString::fromUtf8(tidyGetMessageDefault(tidyMessage));
    TidyIterator it = tidyGetMessageArguments(tidyMessage);
    while (it) {
        TidyMessageArgument argument = tidyGetNextMessageArgument(tidyMessage, &it);
        message.arguments.append(argumentText(tidyMessage, &argument));
    }
    // Tidy reads the page as UTF-8, whatever its <meta charset> says; the page itself is right.
    if (code == ATTRIBUTE_VALUE_REPLACED && message.arguments.value(1) == u"charset")
        return no;
    answer += encodeCheckMessage(message).toStdString();
    ++messageCount;
    return no; // tidy itself prints nothing
}

} // namespace

int main()
{
    std::string page{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};

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

    answer += encodeCheckEnd(messageCount).toStdString();
    std::fwrite(answer.data(), 1, answer.size(), stdout);
    std::fflush(stdout);
    tidyBufFree(&errors);
    tidyRelease(doc);
    return 0;
}
