#pragma once

#include <QList>
#include <QStringView>

// What a coloured piece of a page's HTML source is.
enum class HtmlKind : unsigned char { Tag, AttributeName, AttributeValue, Entity, Comment, Doctype };

// One coloured piece of a line: [start, start + length) in the line's characters.
struct HtmlSpan
{
    int start;
    int length;
    HtmlKind kind;

    friend bool operator==(const HtmlSpan &, const HtmlSpan &) = default;
};

// Where a line ends inside the markup, so that the next line goes on from there: a tag, a
// quoted value or a comment may span lines. The low bits are the place, the high bits say
// whether the text after the tag is the raw content of a script or style element.
namespace HtmlState {
enum : int {
    Text = 0,
    InTag = 1,         // between attributes
    AfterEquals = 2,   // an attribute's '=' seen, its value not begun
    DoubleQuoted = 3,
    SingleQuoted = 4,
    Comment = 5,
    Declaration = 6,   // <!DOCTYPE ...>, <!...> or <?...?>

    PlaceMask = 7,
    Script = 8,        // the tag is a <script> start tag, or the text is script content
    Style = 16,        // the same for <style>
    RawMask = Script | Style,

    Count = 24,        // every state is below this
};
}

// Colours one line of HTML that starts in `state`; appends its pieces to `spans` in order,
// inside the line and never overlapping, and returns the state at the line's end. Text between
// tags gets no piece. Linear in the line's length for any input.
int lexHtmlLine(QStringView line, int state, QList<HtmlSpan> &spans);
