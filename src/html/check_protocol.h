#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// How bad a message of the page check is, as the check window names it.
enum class CheckLevel { Error, Warning, Hint };

// One message of the page check: what tidy's message callback hands over. Line and column
// count from 1; the arguments are element and attribute names and values, as tidy fills them in.
struct CheckMessage
{
    QString key; // tidy's stable name of the message code, e.g. "MISSING_ATTRIBUTE"
    int line = 0;
    int column = 0;
    CheckLevel level = CheckLevel::Hint;
    QStringList arguments;
    QString english; // tidy's own text, shown where we have no German for the key

    friend bool operator==(const CheckMessage &, const CheckMessage &) = default;
};

// The check helper reads the page as UTF-8 on its standard input and answers on its standard
// output with one line per message and an end line that counts them; an answer without it was
// cut off (the helper crashed or was stopped).
QByteArray encodeCheckMessage(const CheckMessage &message);
// The same from UTF-8 pieces, as the helper has them from tidy, appended to `answer`.
void appendCheckMessage(QByteArray &answer, QByteArrayView key, int line, int column,
                        CheckLevel level, QByteArrayView english,
                        const QList<QByteArrayView> &arguments);
QByteArray encodeCheckEnd(qsizetype count);

// The messages of a whole answer, or none when the answer is cut off or malformed.
std::optional<QList<CheckMessage>> decodeCheckAnswer(const QByteArray &answer);

// Sorted by line and column, tidy's order kept among equals.
void sortByPosition(QList<CheckMessage> &messages);

// Where a message's column (counted in characters from 1, as tidy counts them) falls in a line
// of UTF-16 text; a character outside the basic plane counts once, and columns beyond the end
// of the line give its end.
qsizetype offsetOfColumn(QStringView line, int column);
