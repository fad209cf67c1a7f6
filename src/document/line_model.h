#pragma once

#include <QByteArrayView>

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
