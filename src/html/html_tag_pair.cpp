#include "html/html_tag_pair.h"

#include "html/html_place.h"
#include "html/html_tables.h"
#include "html/html_reference.h"

namespace {

bool endsName(QChar c)
{
    return c == u'>' || c == u'/' || c.isSpace();
}

// Whether a tag of `name` (an end tag with `slash`) starts at `at`, which holds a '<'.
bool isTag(QStringView text, qsizetype at, QStringView name, bool slash)
{
    qsizetype i = at + 1;
    if (slash) {
        if (i >= text.size() || text[i] != u'/')
            return false;
        ++i;
    }
    if (text.size() - i < name.size()
        || text.sliced(i, name.size()).compare(name, Qt::CaseInsensitive) != 0)
        return false;
    i += name.size();
    return i == text.size() || endsName(text[i]);
}

HtmlTagRange rangeOf(qsizetype lessThan, QStringView name, bool slash)
{
    return {lessThan, lessThan + (slash ? 2 : 1) + name.size()};
}

std::optional<HtmlTagRange> endTagAfter(QStringView text, qsizetype from, QStringView name,
                                        qsizetype limit)
{
    const QStringView window = text.first(std::min(text.size(), from + limit));
    int depth = 1;
    qsizetype i = from;
    while ((i = window.indexOf(u'<', i)) >= 0) {
        if (window.sliced(i).startsWith(u"<!--")) {
            const qsizetype close = window.indexOf(u"-->", i + 4);
            if (close < 0)
                return {};
            i = close + 3;
            continue;
        }
        if (isTag(window, i, name, true) && --depth == 0)
            return rangeOf(i, name, true);
        if (isTag(window, i, name, false))
            ++depth;
        ++i;
    }
    return {};
}

std::optional<HtmlTagRange> startTagBefore(QStringView text, qsizetype before, QStringView name,
                                           qsizetype limit)
{
    const qsizetype base = std::max<qsizetype>(0, before - limit);
    const QStringView window = text.sliced(base, before - base);
    int depth = 1;
    qsizetype i = window.size();
    // The nearest comment end before i: a '<' in front of it may lie inside the comment.
    qsizetype commentEnd = window.lastIndexOf(u"-->");
    while (i > 0) {
        const qsizetype lessThan = window.first(i).lastIndexOf(u'<');
        if (lessThan < 0)
            return {};
        if (commentEnd >= 0 && lessThan < commentEnd) {
            const qsizetype open = window.first(commentEnd).lastIndexOf(u"<!--");
            if (open < 0)
                return {};
            i = open;
            commentEnd = window.first(i).lastIndexOf(u"-->");
            continue;
        }
        if (isTag(window, lessThan, name, false) && --depth == 0)
            return rangeOf(base + lessThan, name, false);
        if (isTag(window, lessThan, name, true))
            ++depth;
        i = lessThan;
    }
    return {};
}

} // namespace

std::optional<HtmlTagPair> htmlTagPairAt(QStringView text, qsizetype position, qsizetype limit)
{
    const HtmlPlace place = htmlPlaceAt(text, position);
    const bool endTag = place.kind == HtmlPlace::EndTagName;
    if ((place.kind != HtmlPlace::StartTagName && !endTag) || place.nameStart == place.nameEnd)
        return {};
    const QStringView name = place.name(text);
    const HtmlElementEntry *element = findHtmlElement(name);
    if (element && element->isVoid)
        return {};
    const HtmlTagRange at = rangeOf(place.tagStart, name, endTag);
    const std::optional<HtmlTagRange> partner =
        endTag ? startTagBefore(text, place.tagStart, name, limit)
               : endTagAfter(text, at.end, name, limit);
    if (!partner)
        return {};
    return HtmlTagPair{at, *partner};
}
