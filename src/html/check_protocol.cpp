#include "html/check_protocol.h"

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// Fields are separated by tabs and messages by line feeds; both may occur in the arguments
// (an attribute value), so they are escaped.
void appendEscaped(QByteArray &out, QByteArrayView utf8)
{
    // Runs between the characters to escape go in whole: a large answer holds many thousands
    // of messages.
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char *escape = nullptr;
        switch (utf8[i]) {
        case '\\': escape = "\\\\"; break;
        case '\t': escape = "\\t"; break;
        case '\n': escape = "\\n"; break;
        case '\r': escape = "\\r"; break;
        default: continue;
        }
        out.append(utf8.sliced(runStart, i - runStart)).append(escape);
        runStart = i + 1;
    }
    out.append(utf8.sliced(runStart));
}

std::optional<QString> unescaped(QByteArrayView field)
{
    if (!field.contains('\\'))
        return QString::fromUtf8(field);
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == field.size())
            return std::nullopt;
        switch (field[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return std::nullopt;
        }
    }
    return QString::fromUtf8(out);
}

char levelLetter(CheckLevel level)
{
    switch (level) {
    case CheckLevel::Error: return 'E';
    case CheckLevel::Warning: return 'W';
    case CheckLevel::Hint: break;
    }
    return 'H';
}

std::optional<CheckLevel> levelFromLetter(QByteArrayView letter)
{
    if (letter == "E")
        return CheckLevel::Error;
    if (letter == "W")
        return CheckLevel::Warning;
    if (letter == "H")
        return CheckLevel::Hint;
    return std::nullopt;
}

std::optional<int> naturalNumber(QByteArrayView text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

// A line's fields, as views into the answer: no copy of each.
QList<QByteArrayView> splitFields(QByteArrayView line)
{
    QList<QByteArrayView> fields;
    qsizetype fieldStart = 0;
    for (qsizetype tab; (tab = line.indexOf('\t', fieldStart)) >= 0; fieldStart = tab + 1)
        fields.append(line.sliced(fieldStart, tab - fieldStart));
    fields.append(line.sliced(fieldStart));
    return fields;
}

} // namespace

void appendCheckMessage(QByteArray &answer, QByteArrayView key, int line, int column, int length,
                        CheckLevel level, const QList<QByteArrayView> &arguments)
{
    answer += "M\t";
    appendEscaped(answer, key);
    answer += '\t' + QByteArray::number(line) + '\t' + QByteArray::number(column) + '\t'
        + levelLetter(level) + '\t' + QByteArray::number(length);
    for (const QByteArrayView argument : arguments) {
        answer += '\t';
        appendEscaped(answer, argument);
    }
    answer += '\n';
}

QByteArray encodeCheckMessage(const CheckMessage &message)
{
    QList<QByteArray> arguments;
    for (const QString &argument : message.arguments)
        arguments.append(argument.toUtf8());
    QByteArray answer;
    appendCheckMessage(answer, message.key.toUtf8(), message.line, message.column, message.length,
                       message.level, {arguments.cbegin(), arguments.cend()});
    return answer;
}

QByteArray encodeCheckEnd(qsizetype count)
{
    return "END\t" + QByteArray::number(count) + '\n';
}

std::optional<QList<CheckMessage>> decodeCheckAnswer(const QByteArray &answer)
{
    QList<CheckMessage> messages;
    qsizetype start = 0;
    while (start < answer.size()) {
        const qsizetype end = answer.indexOf('\n', start);
        if (end < 0)
            return std::nullopt; // cut off in the middle of a line
        const QList<QByteArrayView> fields = splitFields(QByteArrayView(answer).sliced(start, end - start));
        start = end + 1;
        if (fields.size() == 2 && fields[0] == "END") {
            const std::optional<int> count = naturalNumber(fields[1]);
            if (!count || *count != messages.size() || start != answer.size())
                return std::nullopt;
            return messages;
        }
        if (fields.size() < 6 || fields[0] != "M")
            return std::nullopt;
        CheckMessage message;
        const std::optional<QString> key = unescaped(fields[1]);
        const std::optional<int> line = naturalNumber(fields[2]);
        const std::optional<int> column = naturalNumber(fields[3]);
        const std::optional<CheckLevel> level = levelFromLetter(fields[4]);
        const std::optional<int> length = naturalNumber(fields[5]);
        if (!key || !line || !column || !level || !length)
            return std::nullopt;
        message.key = *key;
        message.line = *line;
        message.column = *column;
        message.level = *level;
        message.length = *length;
        for (qsizetype i = 6; i < fields.size(); ++i) {
            const std::optional<QString> argument = unescaped(fields[i]);
            if (!argument)
                return std::nullopt;
            message.arguments.append(*argument);
        }
        messages.append(message);
    }
    return std::nullopt; // no end line
}

void sortByPosition(QList<CheckMessage> &messages)
{
    std::stable_sort(messages.begin(), messages.end(),
                     [](const CheckMessage &a, const CheckMessage &b) {
                         return a.line != b.line ? a.line < b.line : a.column < b.column;
                     });
}

qsizetype offsetOfColumn(QStringView line, int column)
{
    qsizetype offset = 0;
    for (int c = 1; c < column && offset < line.size(); ++c) {
        const bool pair = line[offset].isHighSurrogate() && offset + 1 < line.size()
            && line[offset + 1].isLowSurrogate();
        offset += pair ? 2 : 1;
    }
    return offset;
}
