#include "html/parser/tag_names.h"

#include <QLatin1StringView>

#include <array>
#include <vector>
#include <initializer_list>

namespace {

using namespace Tag;
using namespace TagFlag;

struct FlagTable
{
    std::array<unsigned, KnownCount> flags{};

    void set(std::initializer_list<int> tags, unsigned flag)
    {
        for (int tag : tags)
            flags[size_t(tag)] |= flag;
    }

    FlagTable()
    {
        const std::initializer_list<int> defaultScope = {Applet, Caption, Html, Table, Td, Th, Marquee, Object, Select, Template,
                                   MathMi, MathMo, MathMn, MathMs, MathMtext, MathAnnotationXml,
                                   SvgForeignObject, SvgDesc, SvgTitle};
        set(defaultScope, DefaultScope | ListItemScope | ButtonScope);
        set({Ol, Ul}, ListItemScope);
        set({Button}, ButtonScope);
        set({Html, Table, Template}, TableScope);

        set({Address, Applet, Area, Article, Aside, Base, Basefont, Bgsound, Blockquote, Body, Br,
             Button, Caption, Center, Col, Colgroup, Dd, Details, Dir, Div, Dl, Dt, Embed, Fieldset,
             Figcaption, Figure, Footer, Form, Frame, Frameset, H1, H2, H3, H4, H5, H6, Head,
             Header, Hgroup, Hr, Html, Iframe, Img, Input, Keygen, Li, Link, Listing, Main,
             Marquee, Menu, Meta, Nav, Noembed, Noframes, Noscript, Object, Ol, P, Param,
             Plaintext, Pre, Script, Search, Section, Select, Source, Style, Summary, Table, Tbody,
             Td, Template, Textarea, Tfoot, Th, Thead, Title, Tr, Track, Ul, Wbr, Xmp, MathMi,
             MathMo, MathMn, MathMs, MathMtext, MathAnnotationXml, SvgForeignObject, SvgDesc,
             SvgTitle},
            Special | SpecialForItems);
        for (int tag : {Address, Div, P})
            flags[size_t(tag)] &= ~SpecialForItems;

        set({Td, Th, Tr, Tbody, Thead, Tfoot, Caption, Colgroup, Table, Template, Head, Body,
             Frameset, Html},
            ModeDecider);

        set({A, B, Big, Code, Em, Font, I, Nobr, S, Small, Strike, Strong, Tt, U}, Formatting);
        const std::initializer_list<int> implied = {Dd, Dt, Li, Optgroup, Option, P, Rb, Rp, Rt, Rtc};
        set(implied, ImpliedEnd | ThoroughImpliedEnd | MayStayOpen);
        set({Caption, Colgroup, Tbody, Td, Tfoot, Th, Thead, Tr}, ThoroughImpliedEnd);
        set({Tbody, Td, Tfoot, Th, Thead, Tr, Body, Html}, MayStayOpen);
        set({H1, H2, H3, H4, H5, H6}, Heading);
        set({MathMi, MathMo, MathMn, MathMs, MathMtext}, TextIntegrationPoint);
        set({Table, Tbody, Tfoot, Thead, Tr}, FosterTarget);
        set({B, Big, Blockquote, Body, Br, Center, Code, Dd, Div, Dl, Dt, Em, Embed, H1, H2, H3, H4,
             H5, H6, Head, Hr, I, Img, Li, Listing, Menu, Meta, Nobr, Ol, P, Pre, Ruby, S, Small,
             Span, Strong, Strike, Sub, Sup, Table, Tt, U, Ul, Var},
            BreaksOutOfForeign);
    }
};

} // namespace

unsigned tagFlags(int tag)
{
    static const FlagTable table;
    return tag >= 0 && tag < KnownCount ? table.flags[size_t(tag)] : 0;
}

TagNames::TagNames()
{
    // The known names are built once; each parser copies them, sharing until it meets a new one.
    static const auto known = [] {
        struct Entry
        {
            int id;
            const char *name;
        };
#define TAGSCHMIED_TAG_ENTRY(id, name) {id, name},
        static const Entry html[] = {TAGSCHMIED_HTML_TAGS(TAGSCHMIED_TAG_ENTRY)};
        static const Entry svg[] = {TAGSCHMIED_SVG_TAGS(TAGSCHMIED_TAG_ENTRY)};
        static const Entry math[] = {TAGSCHMIED_MATHML_TAGS(TAGSCHMIED_TAG_ENTRY)};
#undef TAGSCHMIED_TAG_ENTRY
        std::array<QHash<QString, int>, 3> ids;
        for (const Entry &entry : html)
            ids[0].insert(QString::fromLatin1(entry.name), entry.id);
        for (const Entry &entry : svg)
            ids[1].insert(QString::fromLatin1(entry.name), entry.id);
        for (const Entry &entry : math)
            ids[2].insert(QString::fromLatin1(entry.name), entry.id);
        return ids;
    }();
    for (int i = 0; i < 3; ++i)
        m_ids[i] = known[size_t(i)];
}

namespace {

// The known HTML names by length and first letter, so that a tag's name is found with a
// comparison or two instead of hashing it.
struct HtmlNameIndex
{
    struct Name
    {
        QLatin1StringView text;
        int id;
    };
    static constexpr int maxLength = 16;
    std::vector<Name> buckets[maxLength][26];

    HtmlNameIndex()
    {
#define TAGSCHMIED_TAG_INDEX(id, name) add(QLatin1StringView(name), id);
        TAGSCHMIED_HTML_TAGS(TAGSCHMIED_TAG_INDEX)
#undef TAGSCHMIED_TAG_INDEX
    }

    void add(QLatin1StringView text, int id) { buckets[text.size()][text[0].unicode() - 'a'].push_back({text, id}); }

    int find(QStringView name) const
    {
        if (name.isEmpty() || name.size() >= maxLength || name[0] < u'a' || name[0] > u'z')
            return -1;
        for (const Name &known : buckets[name.size()][name[0].unicode() - u'a']) {
            if (name == known.text)
                return known.id;
        }
        return -1;
    }
};

} // namespace

int TagNames::id(HtmlNamespace ns, const QString &localName)
{
    if (ns == HtmlNamespace::Html) {
        static const HtmlNameIndex index;
        if (const int known = index.find(localName); known >= 0)
            return known;
    }
    QHash<QString, int> &ids = m_ids[int(ns)];
    const auto found = ids.constFind(localName);
    if (found != ids.constEnd())
        return *found;
    const int id = m_next++;
    ids.insert(localName, id);
    return id;
}
