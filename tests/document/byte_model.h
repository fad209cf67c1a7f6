#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The document's byte form as the appends and lines are defined on it, kept as the reference
// that the editor (which holds lines, not bytes) is checked against.

// Every CR LF pair stays; every CR not followed by LF and every LF not preceded by CR becomes
// CR LF. Code page 1252 has no double-byte characters, so every byte is looked at.
QByteArray normalizeLineBreaks(QByteArrayView text);

// The two ways a command appends text at the end: each gives the new text, or nothing when the
// text would stay as it is.
// The current text followed by s, unchanged.
std::optional<QByteArray> appendRaw(QByteArrayView current, QByteArrayView s);
// The current text followed by s, with all line breaks of the whole result normalised.
std::optional<QByteArray> appendLines(QByteArrayView current, QByteArrayView s);

// Lines of a text in its byte form: line i is the text between the i-th and the (i+1)-th
// CR LF. A lone CR or LF is an ordinary character of its line.
namespace LineModel {

// The number of lines; a final empty line (a text ending in CR LF, or an empty text) does not
// count.
qsizetype lineCount(QByteArrayView text);

// Line i, without its CR LF; empty when there is no such line.
QByteArrayView line(QByteArrayView text, qsizetype index);

// The offset of the first character of line i.
qsizetype lineStart(QByteArrayView text, qsizetype index);

} // namespace LineModel
