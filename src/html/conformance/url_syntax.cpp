#include "html/conformance/url_syntax.h"

#include "html/conformance/value_syntax.h"

#include <QList>

namespace {

bool isAsciiAlpha(QChar c)
{
    const char16_t u = c.unicode() | 0x20;
    return u >= u'a' && u <= u'z';
}

bool isAsciiHexDigit(QChar c)
{
    const char16_t u = c.unicode() | 0x20;
    return isAsciiDigit(c) || (u >= u'a' && u <= u'f');
}

bool isSpecialScheme(QStringView scheme)
{
    return scheme == u"http" || scheme == u"https" || scheme == u"ws" || scheme == u"wss"
           || scheme == u"ftp" || scheme == u"file";
}

// What the standard calls a URL code point: ASCII letters and digits, a few marks, and any
// character from U+00A0 on that is neither a surrogate nor a noncharacter.
bool isUrlCodePoint(char32_t c)
{
    if (c < 0x80) {
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
            return true;
        return QStringView(u"!$&'()*+,-./:;=?@_~").contains(QChar(char16_t(c)));
    }
    if (c < 0xA0 || c > 0x10FFFD || (c >= 0xD800 && c <= 0xDFFF))
        return false;
    return !((c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE);
}

bool isForbiddenHostCodePoint(QChar c)
{
    return c.unicode() == 0 || QStringView(u"\t\n\r #/:<>?@[\\]^|").contains(c);
}

bool isForbiddenDomainCodePoint(QChar c)
{
    return isForbiddenHostCodePoint(c) || c.unicode() < 0x20 || c == u'%' || c.unicode() == 0x7F;
}

// The problem of a character that has no place in an address: a blank gets its own text,
// as it is the usual slip ("mein bild.jpg").
ValueProblem badCharacter(QStringView value, qsizetype at, qsizetype length)
{
    if (value[at] == u' ')
        return valueProblem("url-space", at, 1, QStringLiteral("%20"));
    return valueProblem("url-invalid-char", at, length, value.sliced(at, length).toString());
}

class UrlReader
{
public:
    explicit UrlReader(QStringView value) : m_value(value) {}

    ValueCheck read()
    {
        for (qsizetype i = 0; i < m_value.size(); ++i) {
            const char16_t c = m_value[i].unicode();
            if (c == u'\t' || c == u'\n' || c == u'\r')
                return valueProblem("url-tab-newline", i, 1);
        }
        if (!m_value.isEmpty() && (m_value.front().unicode() <= 0x20 || m_value.back().unicode() <= 0x20)) {
            const qsizetype at = m_value.front().unicode() <= 0x20 ? 0 : m_value.size() - 1;
            return badCharacter(m_value, at, 1);
        }
        const qsizetype colon = schemeEnd();
        if (colon < 0)
            return relative(0);
        m_scheme = m_value.first(colon).toString().toLower();
        if (m_scheme == u"javascript")
            return {};
        const qsizetype rest = colon + 1;
        ValueCheck problem;
        if (m_scheme == u"file")
            problem = file(rest);
        else if (isSpecialScheme(m_scheme))
            problem = specialAfterScheme(rest);
        else if (startsWith(rest, u"//"))
            problem = authority(rest + 2);
        else if (startsWith(rest, u"/"))
            problem = path(rest);
        else
            problem = opaquePath(rest);
        if (!problem && m_scheme == u"data" && m_value.indexOf(u'#', rest) >= 0)
            return valueWarning("url-data-fragment", m_value.indexOf(u'#', rest), 1);
        return problem;
    }

    bool hasScheme() const { return schemeEnd() >= 0; }

private:
    bool special() const { return m_scheme.isEmpty() || isSpecialScheme(m_scheme); }
    bool startsWith(qsizetype at, QStringView text) const { return m_value.sliced(at).startsWith(text); }
    bool isSlash(qsizetype at) const
    {
        return at < m_value.size() && (m_value[at] == u'/' || (special() && m_value[at] == u'\\'));
    }

    qsizetype schemeEnd() const
    {
        if (m_value.isEmpty() || !isAsciiAlpha(m_value[0]))
            return -1;
        for (qsizetype i = 1; i < m_value.size(); ++i) {
            const QChar c = m_value[i];
            if (c == u':')
                return i;
            if (!isAsciiAlpha(c) && !isAsciiDigit(c) && c != u'+' && c != u'-' && c != u'.')
                return -1;
        }
        return -1;
    }

    // A relative address, read against a page at "http://host/folder/page".
    ValueCheck relative(qsizetype at)
    {
        if (isSlash(at) && isSlash(at + 1)) {
            if (ValueCheck problem = backslashes(at, 2))
                return problem;
            return authority(at + 2);
        }
        return path(at);
    }

    ValueCheck backslashes(qsizetype at, qsizetype count) const
    {
        for (qsizetype i = at; i < at + count; ++i) {
            if (m_value[i] == u'\\')
                return valueProblem("url-backslash", i, 1);
        }
        return {};
    }

    ValueCheck specialAfterScheme(qsizetype at)
    {
        qsizetype slashes = 0;
        while (isSlash(at + slashes))
            ++slashes;
        if (slashes != 2)
            return valueProblem("url-missing-slashes", at, slashes, m_scheme);
        if (ValueCheck problem = backslashes(at, slashes))
            return problem;
        return authority(at + slashes);
    }

    ValueCheck file(qsizetype at)
    {
        if (!startsWith(at, u"//"))
            return valueProblem("url-file-slashes", at, 0);
        at += 2;
        // The host of a file address: empty, or a name; a drive letter belongs in the path.
        qsizetype end = at;
        while (end < m_value.size() && !isSlash(end) && m_value[end] != u'?' && m_value[end] != u'#')
            ++end;
        const QStringView host = m_value.sliced(at, end - at);
        if (host.size() == 2 && isAsciiAlpha(host[0]) && (host[1] == u'|' || host[1] == u':'))
            return valueProblem("url-windows-drive", at, 2);
        if (!host.isEmpty()) {
            if (ValueCheck problem = checkHost(at, end))
                return problem;
        }
        return path(end);
    }

    ValueCheck authority(qsizetype at)
    {
        qsizetype end = at;
        while (end < m_value.size() && !isSlash(end) && m_value[end] != u'?' && m_value[end] != u'#')
            ++end;
        const qsizetype atSign = m_value.sliced(at, end - at).lastIndexOf(u'@');
        if (atSign >= 0)
            return valueProblem("url-credentials", at, atSign + 1);
        // Host and port: the port begins at the last ":" outside an IPv6 address.
        qsizetype portColon = -1;
        bool inBrackets = false;
        for (qsizetype i = at; i < end; ++i) {
            if (m_value[i] == u'[')
                inBrackets = true;
            else if (m_value[i] == u']')
                inBrackets = false;
            else if (m_value[i] == u':' && !inBrackets) {
                portColon = i;
                break;
            }
        }
        const qsizetype hostEnd = portColon >= 0 ? portColon : end;
        if (hostEnd == at) {
            if (special())
                return valueProblem("url-host-empty", at, end - at);
            if (portColon >= 0)
                return valueProblem("url-host-empty", at, end - at);
        } else if (ValueCheck problem = checkHost(at, hostEnd)) {
            return problem;
        }
        if (portColon >= 0) {
            if (ValueCheck problem = port(portColon + 1, end))
                return problem;
        }
        return path(end);
    }

    ValueCheck port(qsizetype at, qsizetype end) const
    {
        qint64 number = 0;
        for (qsizetype i = at; i < end; ++i) {
            if (!isAsciiDigit(m_value[i]))
                return valueProblem("url-port", i, 1, m_value.sliced(i, 1).toString());
            number = qMin<qint64>(number * 10 + (m_value[i].unicode() - u'0'), 1000000);
        }
        if (number > 65535)
            return valueProblem("url-port-range", at, end - at);
        return {};
    }

    ValueCheck checkHost(qsizetype at, qsizetype end) const
    {
        const QStringView host = m_value.sliced(at, end - at);
        if (host.startsWith(u'[')) {
            if (!host.endsWith(u']') || !isIpv6Address(host.sliced(1, host.size() - 2)))
                return valueProblem("url-ipv6", at, host.size());
            return {};
        }
        if (!special()) {
            // An opaque host: anything but the forbidden characters, percent-encoded as elsewhere.
            for (qsizetype i = at; i < end; ++i) {
                if (m_value[i] != u'%' && isForbiddenHostCodePoint(m_value[i]))
                    return valueProblem("url-host-char", i, 1, m_value.sliced(i, 1).toString());
            }
            return codePoints(at, end);
        }
        for (qsizetype i = at; i < end; ++i) {
            if (m_value[i] == u'%') {
                if (i + 2 >= end || !isAsciiHexDigit(m_value[i + 1]) || !isAsciiHexDigit(m_value[i + 2]))
                    return valueProblem("url-host-char", i, 1, QStringLiteral("%"));
                // What a %41 stands for is checked like the letter itself.
                const QChar decoded(char16_t(m_value.sliced(i + 1, 2).toUShort(nullptr, 16)));
                if (decoded.unicode() < 0x80 && isForbiddenDomainCodePoint(decoded))
                    return valueProblem("url-host-char", i, 3, QString(decoded));
                i += 2;
            } else if (isForbiddenDomainCodePoint(m_value[i])) {
                return valueProblem("url-host-char", i, 1, m_value.sliced(i, 1).toString());
            }
        }
        return ipv4(at, end);
    }

    // A host whose last label is a number is an IPv4 address, which must then be whole and in range.
    ValueCheck ipv4(qsizetype at, qsizetype end) const
    {
        QStringView host = m_value.sliced(at, end - at);
        QList<QStringView> parts = host.split(u'.');
        if (parts.size() > 1 && parts.last().isEmpty())
            parts.removeLast();
        const QStringView last = parts.last();
        const auto isNumber = [](QStringView part) {
            if (part.isEmpty())
                return false;
            const bool hex = part.size() >= 2 && part[0] == u'0' && (part[1] == u'x' || part[1] == u'X');
            for (qsizetype i = hex ? 2 : 0; i < part.size(); ++i) {
                if (hex ? !isAsciiHexDigit(part[i]) : !isAsciiDigit(part[i]))
                    return false;
            }
            return true;
        };
        if (!isNumber(last))
            return {};
        if (parts.size() > 4)
            return valueProblem("url-ipv4", at, end - at);
        bool nonDecimal = false;
        for (qsizetype p = 0; p < parts.size(); ++p) {
            const QStringView part = parts[p];
            if (!isNumber(part))
                return valueProblem("url-ipv4", at, end - at);
            const bool hex = part.size() >= 2 && part[0] == u'0' && (part[1] == u'x' || part[1] == u'X');
            const bool octal = !hex && part.size() > 1 && part[0] == u'0';
            nonDecimal = nonDecimal || hex || octal;
            const QStringView digits = hex ? part.sliced(2) : part;
            bool ok = false;
            const quint64 number = digits.isEmpty() ? 0 : digits.toULongLong(&ok, hex ? 16 : octal ? 8 : 10);
            const quint64 limit = p + 1 < parts.size() ? 256 : (quint64(1) << (8 * (5 - parts.size())));
            if ((!digits.isEmpty() && !ok) || number >= limit)
                return valueProblem("url-ipv4-range", at, end - at);
        }
        if (nonDecimal)
            return valueProblem("url-ipv4-non-decimal", at, end - at);
        return {};
    }

    static bool isIpv6Address(QStringView address)
    {
        // Up to eight groups of one to four hexadecimal digits, one "::" for a run of zeros, and
        // perhaps four decimal parts of an IPv4 address at the end.
        const qsizetype compression = address.indexOf(u"::");
        if (compression >= 0 && address.indexOf(u"::", compression + 1) >= 0)
            return false;
        int groups = 0;
        const auto countGroups = [&groups](QStringView part) {
            if (part.isEmpty())
                return true;
            const QList<QStringView> pieces = part.split(u':');
            for (qsizetype i = 0; i < pieces.size(); ++i) {
                const QStringView piece = pieces[i];
                if (i + 1 == pieces.size() && piece.contains(u'.')) {
                    const QList<QStringView> bytes = piece.split(u'.');
                    if (bytes.size() != 4)
                        return false;
                    for (const QStringView byte : bytes) {
                        bool ok = false;
                        if (byte.isEmpty() || byte.size() > 3 || byte.toInt(&ok) > 255 || !ok
                            || (byte.size() > 1 && byte[0] == u'0'))
                            return false;
                    }
                    groups += 2;
                    continue;
                }
                if (piece.isEmpty() || piece.size() > 4)
                    return false;
                for (const QChar c : piece) {
                    if (!isAsciiHexDigit(c))
                        return false;
                }
                ++groups;
            }
            return true;
        };
        if (compression >= 0) {
            if (!countGroups(address.first(compression)) || !countGroups(address.sliced(compression + 2)))
                return false;
            return groups < 8;
        }
        return countGroups(address) && groups == 8;
    }

    ValueCheck path(qsizetype at)
    {
        // A drive letter in a file address is written with ":" ("file:///C:/"), not "|".
        if (m_scheme == u"file") {
            qsizetype start = at;
            if (isSlash(start))
                ++start;
            if (start + 1 < m_value.size() && isAsciiAlpha(m_value[start]) && m_value[start + 1] == u'|'
                && (start + 2 == m_value.size() || isSlash(start + 2)))
                return valueProblem("url-windows-drive", start, 2);
        }
        qsizetype end = at;
        while (end < m_value.size() && m_value[end] != u'?' && m_value[end] != u'#') {
            if (special() && m_value[end] == u'\\')
                return valueProblem("url-backslash", end, 1);
            ++end;
        }
        if (ValueCheck problem = codePoints(at, end))
            return problem;
        return queryAndFragment(end);
    }

    ValueCheck opaquePath(qsizetype at)
    {
        qsizetype end = at;
        while (end < m_value.size() && m_value[end] != u'?' && m_value[end] != u'#')
            ++end;
        if (ValueCheck problem = codePoints(at, end))
            return problem;
        return queryAndFragment(end);
    }

    ValueCheck queryAndFragment(qsizetype at) const
    {
        if (at < m_value.size() && m_value[at] == u'?') {
            qsizetype end = m_value.indexOf(u'#', at);
            if (end < 0)
                end = m_value.size();
            if (ValueCheck problem = codePoints(at + 1, end))
                return problem;
            at = end;
        }
        if (at < m_value.size() && m_value[at] == u'#')
            return codePoints(at + 1, m_value.size());
        return {};
    }

    // Every character from `at` to `end` a URL code point, and each "%" followed by two
    // hexadecimal digits.
    ValueCheck codePoints(qsizetype at, qsizetype end) const
    {
        for (qsizetype i = at; i < end; ++i) {
            const QChar c = m_value[i];
            if (c == u'%') {
                if (i + 2 >= m_value.size() || !isAsciiHexDigit(m_value[i + 1]) || !isAsciiHexDigit(m_value[i + 2]))
                    return valueProblem("url-percent", i, 1);
                continue;
            }
            char32_t codePoint = c.unicode();
            qsizetype length = 1;
            if (c.isHighSurrogate() && i + 1 < end && m_value[i + 1].isLowSurrogate()) {
                codePoint = QChar::surrogateToUcs4(c, m_value[i + 1]);
                length = 2;
            }
            if (!isUrlCodePoint(codePoint))
                return badCharacter(m_value, i, length);
            i += length - 1;
        }
        return {};
    }

    QStringView m_value;
    QString m_scheme;
};

} // namespace

ValueCheck checkUrl(QStringView value)
{
    return UrlReader(value).read();
}

ValueCheck checkUrlSurroundedBySpaces(QStringView value, bool nonEmpty)
{
    qsizetype offset = 0;
    const QStringView url = trimHtmlSpace(value, &offset);
    if (nonEmpty && url.isEmpty())
        return valueProblem("url-empty", 0, value.size());
    return shifted(checkUrl(url), offset);
}

ValueCheck checkAbsoluteUrl(QStringView value)
{
    if (!UrlReader(value).hasScheme())
        return valueProblem("url-not-absolute", 0, value.size());
    return checkUrl(value);
}
