#pragma once

#include "html/parser/encoding_prescan.h" // declaredEncodingName, which choosing the encoding starts from

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The encoding of a page file: code page 1252 (the program's own, and the default), UTF-8,
// UTF-16 or UTF-32, or any other encoding the platform's converters know by name. A page keeps
// the encoding it came in, so that saving it changes no byte but line breaks and what was edited.
class PageEncoding
{
public:
    // Code page 1252, without a byte-order mark.
    PageEncoding() = default;

    // The encoding a label names, read as browsers read labels ("latin1" is windows-1252,
    // "sjis" is Shift_JIS); an invalid encoding when the label is unknown or the platform has
    // no converter for it. A UTF-16 label stands for UTF-8, as in an HTML page.
    static PageEncoding fromLabel(QByteArrayView label);

    bool isValid() const { return m_valid; }
    bool isCodePage1252() const { return m_kind == Kind::CodePage1252; }
    // The encoding's name: "windows-1252", "UTF-8", "UTF-16LE", "Shift_JIS", ...
    QString name() const;
    bool hasByteOrderMark() const { return m_byteOrderMark; }

    // The page's text from its bytes, a byte-order mark (when the encoding has one) left out.
    QString decode(QByteArrayView bytes) const;
    // The byte form of an editor's raw text, whose lines are separated by U+2029: line breaks
    // become CR LF (in UTF-16 and UTF-32 as code units), the byte-order mark is written first
    // when the page had one, and a character the encoding cannot hold becomes its numeric
    // character reference ("&#322;").
    QByteArray encodeDocument(QStringView rawText) const;
    // The length of that byte form for a piece of editor text, whose line breaks ("\n" or
    // U+2029) count as CR LF; a character the encoding cannot hold counts as its substitute.
    qsizetype byteLength(QStringView text) const;

    friend bool operator==(const PageEncoding &, const PageEncoding &) = default;

private:
    enum class Kind { CodePage1252, Utf8, Utf16LE, Utf16BE, Utf32LE, Utf32BE, Named };

    PageEncoding(Kind kind, QByteArray name = {}) : m_kind(kind), m_name(std::move(name)) {}
    PageEncoding withByteOrderMark() const;
    QByteArray byteOrderMark() const;
    // True when decoding the bytes and encoding the text again gives back exactly these bytes.
    bool roundTrips(QByteArrayView bytes, QString *text) const;

    friend PageEncoding choosePageEncoding(QByteArrayView, QString *);

    Kind m_kind = Kind::CodePage1252;
    QByteArray m_name; // for Named: the converter's name
    bool m_byteOrderMark = false;
    bool m_valid = true;
};


// The encoding of a page's bytes, by the first rule that applies: a byte-order mark; a
// declaration in the first 1024 bytes (declaredEncodingName) whose encoding gives back the
// same bytes; valid UTF-8 holding a byte above
// 127; else code page 1252, which keeps every byte. Where the choice needed decoding the page,
// the text is handed out in `text` (else it is left empty).
PageEncoding choosePageEncoding(QByteArrayView bytes, QString *text = nullptr);

// A page file's encoding and its text.
struct DecodedPage
{
    PageEncoding encoding;
    QString text;
};
DecodedPage decodePage(QByteArrayView bytes);
