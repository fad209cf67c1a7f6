// Code page 1252 both ways on arbitrary bytes and on arbitrary UTF-16 text.

#include "document/byte_model.h"
#include "document/codepage1252.h"
#include "document/line_breaks.h"

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
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    // Every byte string survives the way into the editor and back.
    const QString text = CodePage1252::decode(bytes);
    require(text.size() == bytes.size());
    require(CodePage1252::encode(text) == bytes);

    // Any text, however foreign, gives bytes; what the code page holds comes back unchanged,
    // the rest is written as references, never dropped.
    const QString foreign(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    const QByteArray encoded = CodePage1252::encode(foreign);
    require(encoded.size() >= foreign.size() / 2);
    QString representable;
    for (QChar c : foreign) {
        if (!c.isSurrogate() && CodePage1252::encode(QStringView(&c, 1)).size() == 1)
            representable.append(c);
    }
    require(CodePage1252::decode(CodePage1252::encode(representable)) == representable);

    // In the editor's form every line break is one separator, written as CR LF.
    QString raw = toEditorLineBreaks(foreign);
    require(!raw.contains(u'\r'));
    raw.replace(u'\n', QChar(QChar::ParagraphSeparator));
    const QByteArray document = CodePage1252::encodeDocument(raw);
    require(normalizeLineBreaks(document) == document);
    return 0;
}
