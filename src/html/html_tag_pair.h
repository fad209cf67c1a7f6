#pragma once

#include <QStringView>

#include <optional>

// A tag's '<' and the end of its name: what the editor marks.
struct HtmlTagRange
{
    qsizetype start;
    qsizetype end;

    friend bool operator==(const HtmlTagRange &, const HtmlTagRange &) = default;
};

struct HtmlTagPair
{
    HtmlTagRange at;      // the tag whose name holds the position
    HtmlTagRange partner; // its end tag, or the start tag of an end tag
};

// The tag whose name holds `position` and its partner, counting nesting of the same name and
// passing over comments, across lines. Nothing for a void element, for a tag without partner,
// or when the partner lies further away than `limit` characters.
std::optional<HtmlTagPair> htmlTagPairAt(QStringView text, qsizetype position,
                                         qsizetype limit = qsizetype(1) << 19);
