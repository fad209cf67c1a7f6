#pragma once

#include <QString>
#include <QStringList>

// The HTML snippets the element commands append. Field texts go in unchanged: no quoting,
// escaping or trimming. A snippet that ends a line ends in a lone CR, which AppendLines turns
// into CR LF.
namespace Snippets {

// The one-click tags.
inline constexpr char16_t lineBreak[] = u"<br>";
inline constexpr char16_t paragraph[] = u"<p>";
inline constexpr char16_t rule[] = u"<hr>";
inline constexpr char16_t tableRowStart[] = u"<tr>\r";
inline constexpr char16_t tableRowEnd[] = u"</tr>\r";
inline constexpr char16_t cellEnd[] = u"</td>";
inline constexpr char16_t headerCellEnd[] = u"</th>";
inline constexpr char16_t tableEnd[] = u"</table>";
inline constexpr char16_t fontEnd[] = u"</font>";

// The page start, as three appends: html, head with title, body.
QStringList pageStart(const QString &title);
// The page end, as three appends: a line break, the body end, the html end.
QStringList pageEnd();

// The font size in points that a font tag names: the font's character height in pixels, as a
// Windows font dialog hands it back for the chosen point size, turned back into points with the
// screen's vertical resolution, halves rounded away from zero.
int fontTagSize(double pointSize, int dotsPerInch);
QString fontTag(int size, const QString &face);

QString image(const QString &source);
QString background(const QString &source);

enum class TextStyle { Normal, LargeHeading, SmallHeading };
QString textBlock(TextStyle style, const QString &text);
QString emphasis(bool bold, const QString &text);

QString textLink(const QString &target, const QString &text);
QString pictureLink(const QString &target, const QString &picture);

// tagStart is "<table border=", "<td border=" or "<th border=".
QString tableTag(const QString &tagStart, qint32 border, const QString &width,
                 const QString &height);

QString marquee(qint32 speed, qint32 delay, const QString &text);

} // namespace Snippets
