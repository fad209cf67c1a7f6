// Line breaks on the program's own way: any bytes into the editor's form and back out as the
// document's bytes, checked against the byte model of the document.

#include "document/byte_model.h"
#include "document/codepage1252.h"
#include "document/line_breaks.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The editor's raw text for a text in its editor form: lines separated by U+2029.
QString editorRaw(const QString &editorForm)
{
    QString raw = editorForm;
    raw.replace(u'\n', QChar(QChar::ParagraphSeparator));
    return raw;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.isEmpty() ? 0 : qsizetype(data[0]) % (input.size() + 1);

    // Into the editor no CR is left, and the form is stable.
    const QString editorForm = toEditorLineBreaks(CodePage1252::decode(input));
    require(!editorForm.contains(u'\r'));
    require(toEditorLineBreaks(editorForm) == editorForm);

    // Out again, the editor's lines joined by CR LF are exactly the model's normalised bytes.
    const QByteArray normalized = normalizeLineBreaks(input);
    require(CodePage1252::encodeDocument(editorRaw(editorForm)) == normalized);

    // Appending lines to a document in the editor gives what the model's append gives.
    const QByteArray current = normalizeLineBreaks(input.first(split));
    const QByteArrayView appended = input.sliced(split);
    const QString afterAppend = toEditorLineBreaks(CodePage1252::decode(current))
                                + toEditorLineBreaks(CodePage1252::decode(appended));
    require(CodePage1252::encodeDocument(editorRaw(afterAppend))
            == appendLines(current, appended).value_or(current));
    return 0;
}
