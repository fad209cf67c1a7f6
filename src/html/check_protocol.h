#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// How bad a message of the page check is, as the check window names it.
enum class CheckLevel { Error, Warning, Hint };

// One message of the page check. Line and column count from 1, the column and the length in
// characters as the editor counts them (one for a character outside the basic plane); the
// length covers what the message is about (a tag, an attribute, a character) and may be 0. The
// arguments are element and attribute names and values for the message's German text.
struct CheckMessage
{
    QString key; // the check's stable name of the message, e.g. "img-without-alt"
    int line = 0;
    int column = 0;
    int length = 0;
    CheckLevel level = CheckLevel::Hint;
    QStringList arguments;

    friend bool operator==(const CheckMessage &, const CheckMessage &) = default;
};

// The check helper reads the page as UTF-8 on its standard input and answers on its standard
// output with one line per message and an end line that counts them; an answer without it was
// cut off (the helper crashed or was stopped).
QByteArray encodeCheckMessage(const CheckMessage &message);
// The same from UTF-8 pieces, appended to `answer`.
void appendCheckMessage(QByteArray &answer, QByteArrayView key, int line, int column, int length,
                        CheckLevel level, const QList<QByteArrayView> &arguments);
QByteArray encodeCheckEnd(qsizetype count);

// The messages of a whole answer, or none when the answer is cut off or malformed.
std::optional<QList<CheckMessage>> decodeCheckAnswer(const QByteArray &answer);

// Sorted by line and column, the check's order kept among equals.
void sortByPosition(QList<CheckMessage> &messages);

// Where a message's column (counted in characters from 1) falls in a line
// of UTF-16 text; a character outside the basic plane counts once, and columns beyond the end
// of the line give its end.
qsizetype offsetOfColumn(QStringView line, int column);
