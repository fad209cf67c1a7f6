// The HTML lexer on any text, line after line with the state carried on: it ends, its pieces lie
// inside the line in order without overlapping, and the state it hands on is a valid one.

#include "html/html_lexer.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the state the text starts in, valid or not; the rest is the text as
    // UTF-16, so that any code unit, a lone surrogate or a NUL, can occur.
    int state = data[0];
    QString text(qsizetype((size - 1) / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data + 1, size_t(text.size()) * sizeof(QChar));
    QList<HtmlSpan> spans;
    for (const QStringView line : QStringView(text).tokenize(u'\n')) {
        spans.clear();
        state = lexHtmlLine(line, state, spans);
        require(state >= 0 && state < HtmlState::Count);
        int end = 0;
        for (const HtmlSpan &span : std::as_const(spans)) {
            require(span.start >= end && span.length > 0);
            require(int(span.kind) <= int(HtmlKind::Doctype));
            end = span.start + span.length;
            require(end <= line.size());
        }
    }
    return 0;
}
