#pragma once

#include "html/parser/html_tree.h"

#include <QHash>
#include <QString>

// The element names the tree construction decides by, each as a small number. Names of the
// three namespaces are numbered apart, so an SVG <title> never passes for an HTML one.
#define TAGSCHMIED_HTML_TAGS(X)                                                                    \
    X(A, "a") X(Address, "address") X(Applet, "applet") X(Area, "area") X(Article, "article")      \
    X(Aside, "aside") X(B, "b") X(Base, "base") X(Basefont, "basefont") X(Bgsound, "bgsound")      \
    X(Big, "big") X(Blockquote, "blockquote") X(Body, "body") X(Br, "br") X(Button, "button")      \
    X(Caption, "caption") X(Center, "center") X(Code, "code") X(Col, "col")                        \
    X(Colgroup, "colgroup") X(Datalist, "datalist") X(Dd, "dd") X(Details, "details") X(Dialog, "dialog") X(Dir, "dir")    \
    X(Div, "div") X(Dl, "dl") X(Dt, "dt") X(Em, "em") X(Embed, "embed") X(Fieldset, "fieldset")    \
    X(Figcaption, "figcaption") X(Figure, "figure") X(Font, "font") X(Footer, "footer")            \
    X(Form, "form") X(Frame, "frame") X(Frameset, "frameset") X(H1, "h1") X(H2, "h2") X(H3, "h3")  \
    X(H4, "h4") X(H5, "h5") X(H6, "h6") X(Head, "head") X(Header, "header") X(Hgroup, "hgroup")    \
    X(Hr, "hr") X(Html, "html") X(I, "i") X(Iframe, "iframe") X(Image, "image") X(Img, "img")      \
    X(Input, "input") X(Keygen, "keygen") X(Li, "li") X(Link, "link") X(Listing, "listing")        \
    X(Main, "main") X(Marquee, "marquee") X(Math, "math") X(Menu, "menu") X(Meta, "meta")          \
    X(Nav, "nav") X(Nobr, "nobr") X(Noembed, "noembed") X(Noframes, "noframes")                    \
    X(Noscript, "noscript") X(Object, "object") X(Ol, "ol") X(Optgroup, "optgroup")                \
    X(Option, "option") X(P, "p") X(Param, "param") X(Plaintext, "plaintext") X(Pre, "pre")        \
    X(Rb, "rb") X(Rp, "rp") X(Rt, "rt") X(Rtc, "rtc") X(Ruby, "ruby") X(S, "s")                    \
    X(Script, "script") X(Search, "search") X(Section, "section") X(Select, "select")              \
    X(Selectedcontent, "selectedcontent") X(Small, "small") X(Source, "source") X(Span, "span")    \
    X(Strike, "strike") X(Strong, "strong") X(Style, "style") X(Sub, "sub") X(Summary, "summary")  \
    X(Sup, "sup") X(Svg, "svg") X(Table, "table") X(Tbody, "tbody") X(Td, "td")                    \
    X(Template, "template") X(Textarea, "textarea") X(Tfoot, "tfoot") X(Th, "th")                  \
    X(Thead, "thead") X(Title, "title") X(Tr, "tr") X(Track, "track") X(Tt, "tt") X(U, "u")        \
    X(Ul, "ul") X(Var, "var") X(Wbr, "wbr") X(Xmp, "xmp")

#define TAGSCHMIED_SVG_TAGS(X)                                                                     \
    X(SvgSvg, "svg") X(SvgForeignObject, "foreignObject") X(SvgDesc, "desc")                       \
    X(SvgTitle, "title") X(SvgScript, "script")

#define TAGSCHMIED_MATHML_TAGS(X)                                                                  \
    X(MathMath, "math") X(MathMi, "mi") X(MathMo, "mo") X(MathMn, "mn") X(MathMs, "ms")            \
    X(MathMtext, "mtext") X(MathAnnotationXml, "annotation-xml") X(MathMglyph, "mglyph")           \
    X(MathMalignmark, "malignmark")

namespace Tag {
#define TAGSCHMIED_TAG_ENUM(id, name) id,
enum : int {
    TAGSCHMIED_HTML_TAGS(TAGSCHMIED_TAG_ENUM) HtmlKnownEnd,
    SvgKnownStart = HtmlKnownEnd - 1,
    TAGSCHMIED_SVG_TAGS(TAGSCHMIED_TAG_ENUM) SvgKnownEnd,
    MathKnownStart = SvgKnownEnd - 1,
    TAGSCHMIED_MATHML_TAGS(TAGSCHMIED_TAG_ENUM) KnownCount
};
#undef TAGSCHMIED_TAG_ENUM
} // namespace Tag

// What the tree construction's lists say about an element name. The first bits are the
// boundaries the stack of open elements keeps track of.
namespace TagFlag {
enum : unsigned {
    DefaultScope = 1u << 0,    // ends "in scope"
    ListItemScope = 1u << 1,   // ends "in list item scope"
    ButtonScope = 1u << 2,     // ends "in button scope"
    TableScope = 1u << 3,      // ends "in table scope"
    Special = 1u << 4,         // the standard's "special" category
    SpecialForItems = 1u << 5, // special, but not address, div or p: ends the search for li, dd, dt
    ModeDecider = 1u << 6,     // looked at when the insertion mode is reset

    Formatting = 1u << 8,
    ImpliedEnd = 1u << 9,         // closed by "generate implied end tags"
    ThoroughImpliedEnd = 1u << 10, // closed by its thorough variant
    MayStayOpen = 1u << 11,       // open at the end of the body without a parse error
    Heading = 1u << 12,
    TextIntegrationPoint = 1u << 13, // MathML mi, mo, mn, ms, mtext
    FosterTarget = 1u << 14,         // table, tbody, tfoot, thead, tr
    BreaksOutOfForeign = 1u << 15,   // an HTML start tag that ends foreign content
};
}

inline constexpr int boundaryKinds = 7; // the flags up to ModeDecider

// The flags of a numbered name; names met only while parsing have none.
unsigned tagFlags(int tag);
inline bool tagHas(int tag, unsigned flag) { return (tagFlags(tag) & flag) != 0; }

// Numbers names, the known ones as above and any other the first time it is met.
class TagNames
{
public:
    TagNames();

    int id(HtmlNamespace ns, const QString &localName);

private:
    QHash<QString, int> m_ids[3];
    int m_next = Tag::KnownCount;
};
