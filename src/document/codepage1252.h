#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows code page 1252, the byte form of every file this program reads or writes.
// Every byte decodes to one character and encodes back to itself: 0x80-0x9F follow the Windows
// table, and its five unassigned bytes stand for the control characters of the same number.
namespace CodePage1252 {

QString decode(QByteArrayView bytes);

// A character the code page cannot hold is written as its numeric character reference
// ("&#322;"), so nothing typed is lost on the way to a page file.
QByteArray encode(QStringView text);

// The byte form of an editor's raw text, whose lines are separated by U+2029: each separator
// becomes CR LF, everything else is encoded as above.
QByteArray encodeDocument(QStringView rawText);

// The code page's character for one byte.
char16_t toUnicode(unsigned char byte);

} // namespace CodePage1252
