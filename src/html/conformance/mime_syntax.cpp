#include "html/conformance/mime_syntax.h"

#include "html/conformance/value_syntax.h"

namespace {

// The characters of an HTTP token.
bool isTokenCharacter(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0x80 || u <= 0x20 || u == 0x7F)
        return false;
    return !QStringView(u"\"(),/:;<=>?@[\\]{}").contains(c);
}

qsizetype tokenEnd(QStringView value, qsizetype from)
{
    while (from < value.size() && isTokenCharacter(value[from]))
        ++from;
    return from;
}

qsizetype skipSpace(QStringView value, qsizetype from)
{
    while (from < value.size() && (value[from] == u' ' || value[from] == u'\t'))
        ++from;
    return from;
}

ValueCheck expectToken(QStringView value, qsizetype at, qsizetype *end)
{
    *end = tokenEnd(value, at);
    if (*end == at)
        return valueProblem("mime-token", at, at < value.size() ? 1 : 0);
    return {};
}

// type "/" subtype, and where `parameters` allows, (";" name "=" value)* with blanks around ";".
ValueCheck readMimeType(QStringView value, bool parameters)
{
    if (value.isEmpty())
        return valueProblem("mime-empty");
    qsizetype i = 0;
    if (ValueCheck problem = expectToken(value, 0, &i))
        return problem;
    if (i == value.size())
        return valueProblem("mime-subtype-missing", 0, i);
    if (value[i] != u'/')
        return valueProblem("mime-token", i, 1);
    const qsizetype subtypeStart = i + 1;
    i = tokenEnd(value, subtypeStart);
    if (i == subtypeStart)
        return valueProblem(i == value.size() ? "mime-subtype-missing" : "mime-token", i, i < value.size() ? 1 : 0);
    while (i < value.size()) {
        const qsizetype semicolon = skipSpace(value, i);
        if (semicolon == value.size() || value[semicolon] != u';')
            return valueProblem("mime-token", semicolon, semicolon < value.size() ? 1 : 0);
        if (!parameters)
            return valueProblem("mime-parameters", semicolon, value.size() - semicolon);
        const qsizetype nameStart = skipSpace(value, semicolon + 1);
        if (nameStart == value.size())
            return valueProblem("mime-parameter-missing", semicolon, 1);
        qsizetype nameEnd = 0;
        if (ValueCheck problem = expectToken(value, nameStart, &nameEnd))
            return problem;
        if (nameEnd == value.size() || value[nameEnd] != u'=')
            return valueProblem("mime-parameter-value-missing", nameStart, nameEnd - nameStart);
        i = nameEnd + 1;
        if (i < value.size() && value[i] == u'"') {
            // A quoted string: any character but a lone quote, "\" escaping the next.
            ++i;
            for (;;) {
                if (i >= value.size())
                    return valueProblem("mime-quote-unfinished", nameEnd + 1, value.size() - nameEnd - 1);
                if (value[i] == u'\\')
                    i += 2;
                else if (value[i++] == u'"')
                    break;
            }
        } else {
            const qsizetype valueStart = i;
            i = tokenEnd(value, i);
            if (i == valueStart)
                return valueProblem("mime-parameter-value-missing", nameStart, nameEnd - nameStart + 1);
        }
    }
    return {};
}

} // namespace

ValueCheck checkMimeType(QStringView value)
{
    return readMimeType(value, true);
}

ValueCheck checkMimeTypeWithoutParameters(QStringView value)
{
    return readMimeType(value, false);
}

ValueCheck checkAcceptList(QStringView value)
{
    qsizetype start = 0;
    for (;;) {
        const qsizetype comma = value.indexOf(u',', start);
        const qsizetype end = comma < 0 ? value.size() : comma;
        qsizetype offset = 0;
        const QStringView item = trimHtmlSpace(value.sliced(start, end - start), &offset);
        if (item.startsWith(u'.')) {
            if (item.size() == 1)
                return valueProblem("mime-accept-ending", start + offset, 1);
        } else if (item.endsWith(u"/*")) {
            const QString group = item.first(item.size() - 2).toString().toLower();
            if (group != u"audio" && group != u"video" && group != u"image")
                return valueProblem("mime-accept-wildcard", start + offset, item.size());
        } else if (ValueCheck problem = checkMimeType(item)) {
            return shifted(problem, start + offset);
        }
        if (comma < 0)
            return {};
        start = comma + 1;
    }
}

bool isJavaScriptMimeType(QStringView value)
{
    static const QStringList types = {
        QStringLiteral("application/ecmascript"), QStringLiteral("application/javascript"),
        QStringLiteral("application/x-ecmascript"), QStringLiteral("application/x-javascript"),
        QStringLiteral("text/ecmascript"), QStringLiteral("text/javascript"),
        QStringLiteral("text/javascript1.0"), QStringLiteral("text/javascript1.1"),
        QStringLiteral("text/javascript1.2"), QStringLiteral("text/javascript1.3"),
        QStringLiteral("text/javascript1.4"), QStringLiteral("text/javascript1.5"),
        QStringLiteral("text/jscript"), QStringLiteral("text/livescript"),
        QStringLiteral("text/x-ecmascript"), QStringLiteral("text/x-javascript")};
    return types.contains(trimHtmlSpace(value).toString().toLower());
}
