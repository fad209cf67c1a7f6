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
