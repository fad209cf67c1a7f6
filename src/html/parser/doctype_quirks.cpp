#include "html/parser/doctype_quirks.h"

#include "html/parser/html_tokenizer.h"
#include "html/parser/tree_text.h"

#include <algorithm>

namespace {

bool startsWithAny(const QString &id, std::initializer_list<QStringView> prefixes)
{
    return std::any_of(prefixes.begin(), prefixes.end(), [&id](QStringView prefix) {
        return startsWithIgnoringAsciiCase(id, prefix);
    });
}

bool equalsAny(const QString &id, std::initializer_list<QStringView> values)
{
    return std::any_of(values.begin(), values.end(), [&id](QStringView value) {
        return equalsIgnoringAsciiCase(id, value);
    });
}

bool isQuirksPublicId(const QString &id)
{
    return startsWithAny(id, {
        u"+//Silmaril//dtd html Pro v0r11 19970101//",
        u"-//AS//DTD HTML 3.0 asWedit + extensions//",
        u"-//AdvaSoft Ltd//DTD HTML 3.0 asWedit + extensions//",
        u"-//IETF//DTD HTML 2.0 Level 1//",
        u"-//IETF//DTD HTML 2.0 Level 2//",
        u"-//IETF//DTD HTML 2.0 Strict Level 1//",
        u"-//IETF//DTD HTML 2.0 Strict Level 2//",
        u"-//IETF//DTD HTML 2.0 Strict//",
        u"-//IETF//DTD HTML 2.0//",
        u"-//IETF//DTD HTML 2.1E//",
        u"-//IETF//DTD HTML 3.0//",
        u"-//IETF//DTD HTML 3.2 Final//",
        u"-//IETF//DTD HTML 3.2//",
        u"-//IETF//DTD HTML 3//",
        u"-//IETF//DTD HTML Level 0//",
        u"-//IETF//DTD HTML Level 1//",
        u"-//IETF//DTD HTML Level 2//",
        u"-//IETF//DTD HTML Level 3//",
        u"-//IETF//DTD HTML Strict Level 0//",
        u"-//IETF//DTD HTML Strict Level 1//",
        u"-//IETF//DTD HTML Strict Level 2//",
        u"-//IETF//DTD HTML Strict Level 3//",
        u"-//IETF//DTD HTML Strict//",
        u"-//IETF//DTD HTML//",
        u"-//Metrius//DTD Metrius Presentational//",
        u"-//Microsoft//DTD Internet Explorer 2.0 HTML Strict//",
        u"-//Microsoft//DTD Internet Explorer 2.0 HTML//",
        u"-//Microsoft//DTD Internet Explorer 2.0 Tables//",
        u"-//Microsoft//DTD Internet Explorer 3.0 HTML Strict//",
        u"-//Microsoft//DTD Internet Explorer 3.0 HTML//",
        u"-//Microsoft//DTD Internet Explorer 3.0 Tables//",
        u"-//Netscape Comm. Corp.//DTD HTML//",
        u"-//Netscape Comm. Corp.//DTD Strict HTML//",
        u"-//O'Reilly and Associates//DTD HTML 2.0//",
        u"-//O'Reilly and Associates//DTD HTML Extended 1.0//",
        u"-//O'Reilly and Associates//DTD HTML Extended Relaxed 1.0//",
        u"-//SQ//DTD HTML 2.0 HoTMetaL + extensions//",
        u"-//SoftQuad Software//DTD HoTMetaL PRO 6.0::19990601::extensions to HTML 4.0//",
        u"-//SoftQuad//DTD HoTMetaL PRO 4.0::19971010::extensions to HTML 4.0//",
        u"-//Spyglass//DTD HTML 2.0 Extended//",
        u"-//Sun Microsystems Corp.//DTD HotJava HTML//",
        u"-//Sun Microsystems Corp.//DTD HotJava Strict HTML//",
        u"-//W3C//DTD HTML 3 1995-03-24//",
        u"-//W3C//DTD HTML 3.2 Draft//",
        u"-//W3C//DTD HTML 3.2 Final//",
        u"-//W3C//DTD HTML 3.2//",
        u"-//W3C//DTD HTML 3.2S Draft//",
        u"-//W3C//DTD HTML 4.0 Frameset//",
        u"-//W3C//DTD HTML 4.0 Transitional//",
        u"-//W3C//DTD HTML Experimental 19960712//",
        u"-//W3C//DTD HTML Experimental 970421//",
        u"-//W3C//DTD W3 HTML//",
        u"-//W3O//DTD W3 HTML 3.0//",
        u"-//WebTechs//DTD Mozilla HTML 2.0//",
        u"-//WebTechs//DTD Mozilla HTML//",
    });
}

constexpr QStringView html401Frameset = u"-//W3C//DTD HTML 4.01 Frameset//";
constexpr QStringView html401Transitional = u"-//W3C//DTD HTML 4.01 Transitional//";

} // namespace

bool isConformingDoctype(const HtmlToken &doctype)
{
    return doctype.hasName && doctype.name == u"html" && !doctype.hasPublicId
        && (!doctype.hasSystemId || doctype.systemId == u"about:legacy-compat");
}

HtmlDocument::QuirksMode quirksModeOf(const HtmlToken &doctype)
{
    using Mode = HtmlDocument::QuirksMode;
    if (doctype.forceQuirks || !doctype.hasName || doctype.name != u"html")
        return Mode::Quirks;
    if (doctype.hasSystemId
        && equalsIgnoringAsciiCase(doctype.systemId,
                                   u"http://www.ibm.com/data/dtd/v11/ibmxhtml1-transitional.dtd"))
        return Mode::Quirks;
    if (!doctype.hasPublicId)
        return Mode::NoQuirks;
    const QString &id = doctype.publicId;
    if (equalsAny(id, {u"-//W3O//DTD W3 HTML Strict 3.0//EN//", u"-/W3C/DTD HTML 4.0 Transitional/EN",
                       u"HTML"})
        || isQuirksPublicId(id)
        || (!doctype.hasSystemId && startsWithAny(id, {html401Frameset, html401Transitional})))
        return Mode::Quirks;
    if (startsWithAny(id, {u"-//W3C//DTD XHTML 1.0 Frameset//", u"-//W3C//DTD XHTML 1.0 Transitional//"})
        || (doctype.hasSystemId && startsWithAny(id, {html401Frameset, html401Transitional})))
        return Mode::LimitedQuirks;
    return Mode::NoQuirks;
}
