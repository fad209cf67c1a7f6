#include "elements/snippets.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace Snippets {

QStringList pageStart(const QString &title)
{
    return {u"<html>\r"_s, u"<head><title>"_s + title + u"</title></head>\r"_s, u"<body>\r"_s};
}

QStringList pageEnd()
{
    return {u"\r"_s, u"</body>\r"_s, u"</html>"_s};
}

int fontTagSize(double pointSize, int dotsPerInch)
{
    // The dialog's height is negative for a character height, rounded to whole pixels.
    const double height = -std::round(pointSize * dotsPerInch / 72.0);
    return int(std::round(-height * 72.0 / dotsPerInch));
}

QString fontTag(int size, const QString &face)
{
    return u"<font size="_s + QString::number(size) + u" face=\""_s + face + u"\" color=>"_s;
}

QString image(const QString &source)
{
    return u"<img src=\""_s + source + u"\">\r"_s;
}

QString background(const QString &source)
{
    return u"<body background=\""_s + source + u"\">\r"_s;
}

QString textBlock(TextStyle style, const QString &text)
{
    switch (style) {
    case TextStyle::Normal:
        return u"<tt>"_s + text + u"</tt>\r"_s;
    case TextStyle::LargeHeading:
        return u"<h1>"_s + text + u"</h1>\r"_s;
    case TextStyle::SmallHeading:
        break;
    }
    return u"<h4>"_s + text + u"</h4>\r"_s;
}

QString emphasis(bool bold, const QString &text)
{
    return bold ? u"<b>"_s + text + u"</b>"_s : u"<i>"_s + text + u"</i>"_s;
}

QString textLink(const QString &target, const QString &text)
{
    return u"<a href=\""_s + target + u"\">"_s + text + u"</a>\r"_s;
}

QString pictureLink(const QString &target, const QString &picture)
{
    return u"<a href=\""_s + target + u"\"><img src=\""_s + picture + u"\"></a>\r"_s;
}

QString tableTag(const QString &tagStart, qint32 border, const QString &width,
                 const QString &height)
{
    return tagStart + QString::number(border) + u" width="_s + width + u" height="_s + height
        + u">\r"_s;
}

QString marquee(qint32 speed, qint32 delay, const QString &text)
{
    return u"<marquee scrollamount="_s + QString::number(speed) + u" scrolldelay="_s
        + QString::number(delay) + u">"_s + text + u"</marquee>\r"_s;
}

} // namespace Snippets
