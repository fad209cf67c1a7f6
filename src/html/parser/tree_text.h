#pragma once

#include <QStringView>

// The blanks of the tree construction: tab, line feed, form feed, carriage return and space.
inline bool isHtmlWhitespace(QChar c)
{
    switch (c.unicode()) {
    case u'\t':
    case u'\n':
    case u'\f':
    case u'\r':
    case u' ':
        return true;
    default:
        return false;
    }
}

inline qsizetype whitespacePrefix(QStringView text)
{
    qsizetype count = 0;
    while (count < text.size() && isHtmlWhitespace(text[count]))
        ++count;
    return count;
}

inline qsizetype nonWhitespacePrefix(QStringView text)
{
    qsizetype count = 0;
    while (count < text.size() && !isHtmlWhitespace(text[count]))
        ++count;
    return count;
}

inline bool isAllWhitespace(QStringView text)
{
    return whitespacePrefix(text) == text.size();
}

// ASCII letters alike in either case, as the standard compares names and keywords; other
// characters must be equal.
inline bool equalsIgnoringAsciiCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= u'A' && x <= u'Z')
            x += 32;
        if (y >= u'A' && y <= u'Z')
            y += 32;
        if (x != y)
            return false;
    }
    return true;
}

inline bool startsWithIgnoringAsciiCase(QStringView text, QStringView prefix)
{
    return text.size() >= prefix.size() && equalsIgnoringAsciiCase(text.first(prefix.size()), prefix);
}
