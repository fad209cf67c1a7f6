// The page check's rules on any page: they end, every message has German, lies on a line and
// column of the page and covers characters of it, and the messages come sorted by place.

#include "html/conformance/conformance_texts.h"
#include "html/conformance/page_conformance.h"
#include "html/parser/source_lines.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString page = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<CheckMessage> messages = checkPage(page);
    int lines = 1;
    for (qsizetype i = 0; i < page.size(); ++i) {
        if (page[i] == u'\n' || (page[i] == u'\r' && (i + 1 == page.size() || page[i + 1] != u'\n')))
            ++lines;
    }
    int line = 1;
    int column = 1;
    for (const CheckMessage &message : messages) {
        require(!ConformanceTexts::pattern(message.key).isEmpty());
        require(message.line >= 1 && message.line <= lines);
        require(message.column >= 1 && message.length >= 0);
        require(message.line > line || (message.line == line && message.column >= column));
        line = message.line;
        column = message.column;
    }
    return 0;
}
