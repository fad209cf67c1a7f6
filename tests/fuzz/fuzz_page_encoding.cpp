// Any bytes opened as a page and saved again: the chosen encoding gives the bytes back up to
// line breaks, and a save after the umlaut conversion differs only at the seven letters.

#include "document/byte_model.h"
#include "document/line_breaks.h"
#include "document/page_encoding.h"
#include "document/umlaut_conversion.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

const UmlautRow *umlautRow(QChar c)
{
    for (const UmlautRow &row : umlautRows) {
        if (row.character == c.unicode())
            return &row;
    }
    return nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const DecodedPage page = decodePage(bytes);
    require(choosePageEncoding(bytes) == page.encoding);
    const PageEncoding &encoding = page.encoding;
    // The editor could not hold its own frame marks; such a page stays in code page 1252.
    require(!page.text.contains(QChar(0xFDD0)) && !page.text.contains(QChar(0xFDD1)));

    QString raw = toEditorLineBreaks(page.text);
    raw.replace(u'\n', QChar(QChar::ParagraphSeparator));
    const QByteArray saved = encoding.encodeDocument(raw);

    // Line breaks are the only difference: exactly so where they are single bytes.
    const bool byteWide = !encoding.name().startsWith(u"UTF-16") && !encoding.name().startsWith(u"UTF-32");
    if (!page.text.contains(QChar(QChar::ParagraphSeparator)) && byteWide)
        require(saved == normalizeLineBreaks(bytes));
    if (!page.text.contains(u'\r') && !page.text.contains(u'\n')
        && !page.text.contains(QChar(QChar::ParagraphSeparator)))
        require(saved == bytes);
    require(encoding.decode(saved) == QString(raw).replace(QChar(QChar::ParagraphSeparator), QStringLiteral("\r\n")));

    // The converted text, piece by piece: every piece between the letters keeps its bytes.
    const qsizetype markLength = encoding.encodeDocument(QString()).size();
    const auto piece = [&](QStringView text) { return encoding.encodeDocument(text).sliced(markLength); };
    QString converted;
    QByteArray expectedSaved = saved.first(markLength);
    QByteArray expectedConverted = expectedSaved;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= raw.size(); ++i) {
        const UmlautRow *row = i < raw.size() ? umlautRow(raw[i]) : nullptr;
        if (i < raw.size() && !row)
            continue;
        const QByteArray before = piece(QStringView(raw).sliced(start, i - start));
        expectedSaved += before;
        expectedConverted += before;
        converted += QStringView(raw).sliced(start, i - start);
        if (row) {
            const QString entity = QString::fromUtf16(row->entity);
            expectedSaved += piece(QStringView(raw).sliced(i, 1));
            expectedConverted += piece(entity);
            converted += entity;
        }
        start = i + 1;
    }
    require(expectedSaved == saved);
    require(encoding.encodeDocument(converted) == expectedConverted);
    return 0;
}
