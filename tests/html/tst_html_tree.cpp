// Where the tree's nodes came from in the source, which parse errors the tree construction
// finds where, and that deep or long pages parse in time.

#include "html/parser/html_tree.h"
#include "html/parser/tree_construction_errors.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The nodes of a tree in document order, template contents included, without recursion.
std::vector<const HtmlNode *> nodesInOrder(const HtmlNode *root)
{
    std::vector<const HtmlNode *> nodes;
    std::vector<const HtmlNode *> work{root};
    while (!work.empty()) {
        const HtmlNode *node = work.back();
        work.pop_back();
        nodes.push_back(node);
        if (node->templateContents)
            work.push_back(node->templateContents);
        for (auto child = node->children.crbegin(); child != node->children.crend(); ++child)
            work.push_back(*child);
    }
    return nodes;
}

// "p" is the first <p>, "p 2" the second, "#text 3" the third text node, "#comment".
const HtmlNode *findNode(const HtmlDocument &document, const QString &selector)
{
    const QStringList parts = selector.split(u' ');
    const QString &name = parts[0];
    int wanted = parts.size() > 1 ? parts[1].toInt() : 1;
    for (const HtmlNode *node : nodesInOrder(document.root())) {
        const bool matches = name == u"#text"      ? node->kind == HtmlNode::Kind::Text
                           : name == u"#comment"   ? node->kind == HtmlNode::Kind::Comment
                           : name == u"#doctype"   ? node->kind == HtmlNode::Kind::DocumentType
                                                   : node->kind == HtmlNode::Kind::Element
                                                         && node->name == name;
        if (matches && --wanted == 0)
            return node;
    }
    return nullptr;
}

// The source a span covers, "-" for a span the parser made up.
QString sourceOf(const QString &page, SourceSpan span)
{
    return span.isValid() ? page.mid(span.offset, span.length) : u"-"_s;
}

QString repeated(const QString &piece, int times)
{
    QString text;
    text.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

} // namespace

class TestHtmlTree : public QObject
{
    Q_OBJECT

private slots:
    void nodePlaces_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("startTag");
        QTest::addColumn<QString>("endTag");

        const QString implied = u"<title>T</title>\n<p class=x>Hallo &amp; Welt</P>"_s;
        QTest::newRow("implied html") << implied << u"html"_s << u"-"_s << u"-"_s;
        QTest::newRow("implied head") << implied << u"head"_s << u"-"_s << u"-"_s;
        QTest::newRow("implied body") << implied << u"body"_s << u"-"_s << u"-"_s;
        QTest::newRow("title") << implied << u"title"_s << u"<title>"_s << u"</title>"_s;
        QTest::newRow("title text") << implied << u"#text"_s << u"T"_s << u"-"_s;
        QTest::newRow("blank after head") << implied << u"#text 2"_s << u"\n"_s << u"-"_s;
        QTest::newRow("p") << implied << u"p"_s << u"<p class=x>"_s << u"</P>"_s;
        QTest::newRow("reference in text")
            << implied << u"#text 3"_s << u"Hallo &amp; Welt"_s << u"-"_s;

        const QString written = u"<!DOCTYPE html>\r\n<html lang=de><head>\r\n  <meta charset=utf-8>\r\n"
                                u"</head>\r\n<body>x</body>\r\n</html>\r\n<!-- c -->"_s;
        QTest::newRow("doctype") << written << u"#doctype"_s << u"<!DOCTYPE html>"_s << u"-"_s;
        QTest::newRow("html") << written << u"html"_s << u"<html lang=de>"_s << u"</html>"_s;
        QTest::newRow("head") << written << u"head"_s << u"<head>"_s << u"</head>"_s;
        QTest::newRow("blanks in head, CR LF")
            << written << u"#text"_s << u"\r\n  "_s << u"-"_s;
        QTest::newRow("void element") << written << u"meta"_s << u"<meta charset=utf-8>"_s << u"-"_s;
        QTest::newRow("blank after head, CR LF") << written << u"#text 3"_s << u"\r\n"_s << u"-"_s;
        QTest::newRow("body") << written << u"body"_s << u"<body>"_s << u"</body>"_s;
        // Blanks after </body> and </html> still go into the body, so they join its last text.
        QTest::newRow("blanks after body join its text")
            << written << u"#text 4"_s << u"x</body>\r\n</html>\r\n"_s << u"-"_s;
        QTest::newRow("comment after html") << written << u"#comment"_s << u"<!-- c -->"_s << u"-"_s;

        const QString tables = u"<table><tr><td><table><tr><td>x</td></tr></table>y</td></tr></table>"_s;
        QTest::newRow("outer table") << tables << u"table"_s << u"<table>"_s << u"</table>"_s;
        QTest::newRow("implied tbody") << tables << u"tbody"_s << u"-"_s << u"-"_s;
        QTest::newRow("implied inner tbody") << tables << u"tbody 2"_s << u"-"_s << u"-"_s;
        QTest::newRow("inner table") << tables << u"table 2"_s << u"<table>"_s << u"</table>"_s;
        QTest::newRow("inner row") << tables << u"tr 2"_s << u"<tr>"_s << u"</tr>"_s;
        QTest::newRow("inner cell") << tables << u"td 2"_s << u"<td>"_s << u"</td>"_s;
        QTest::newRow("text after inner table") << tables << u"#text 2"_s << u"y"_s << u"-"_s;

        QTest::newRow("foster-parented text")
            << u"<table>ab<tr><td>c</td></tr></table>"_s << u"#text"_s << u"ab"_s << u"-"_s;
        QTest::newRow("second fostered piece joins the first")
            << u"<table>a<tr>b</table>"_s << u"#text"_s << u"a<tr>b"_s << u"-"_s;
        QTest::newRow("blanks stay in the table")
            << u"<table> \r\n<tr>"_s << u"#text"_s << u" \r\n"_s << u"-"_s;
        QTest::newRow("references fostered")
            << u"<table>&lt;&#32;x<tr>"_s << u"#text"_s << u"&lt;&#32;x"_s << u"-"_s;

        QTest::newRow("line feed after pre skipped")
            << u"<pre>\r\nx\r\ny</pre>"_s << u"#text"_s << u"x\r\ny"_s << u"-"_s;
        QTest::newRow("textarea") << u"<textarea>\nT&amp;</textarea>"_s << u"#text"_s << u"T&amp;"_s
                                  << u"-"_s;
        QTest::newRow("blanks before html are dropped, not joined")
            << u" \n<p> a"_s << u"#text"_s << u" a"_s << u"-"_s;

        const QString misnested = u"<b id=k>1<p>2</b>3</p>"_s;
        QTest::newRow("formatting element closed by misnesting")
            << misnested << u"b"_s << u"<b id=k>"_s << u"</b>"_s;
        QTest::newRow("recreated formatting element")
            << misnested << u"b 2"_s << u"-"_s << u"</b>"_s;
        QTest::newRow("p around the recreated one") << misnested << u"p"_s << u"<p>"_s << u"</p>"_s;
        const QString reopened = u"<p><i class=k>a<p>b</i>"_s;
        QTest::newRow("reconstructed formatting element")
            << reopened << u"i 2"_s << u"-"_s << u"</i>"_s;
        QTest::newRow("p closed by the next p") << reopened << u"p"_s << u"<p>"_s << u"-"_s;
        QTest::newRow("end tag p without start") << u"x</p>"_s << u"p"_s << u"-"_s << u"</p>"_s;
        QTest::newRow("br from an end tag") << u"</br>"_s << u"br"_s << u"</br>"_s << u"-"_s;
        QTest::newRow("li closed by the next li")
            << u"<ul><li>1<li>2</ul>"_s << u"li"_s << u"<li>"_s << u"-"_s;
        QTest::newRow("svg element") << u"<svg><circle r=1/></svg>"_s << u"circle"_s
                                     << u"<circle r=1/>"_s << u"-"_s;
        QTest::newRow("svg closed") << u"<svg><g></g></svg>"_s << u"svg"_s << u"<svg>"_s << u"</svg>"_s;
        QTest::newRow("template content")
            << u"<template><td>x</td></template>"_s << u"td"_s << u"<td>"_s << u"</td>"_s;
        QTest::newRow("form closed")
            << u"<form><div></form></div>"_s << u"form"_s << u"<form>"_s << u"</form>"_s;
    }

    void nodePlaces()
    {
        QFETCH(QString, page);
        QFETCH(QString, node);
        QFETCH(QString, startTag);
        QFETCH(QString, endTag);
        const HtmlDocument document = parseHtml(page);
        const HtmlNode *found = findNode(document, node);
        QVERIFY(found);
        QCOMPARE(sourceOf(page, found->startTag), startTag);
        QCOMPARE(sourceOf(page, found->endTag), endTag);
    }

    void attributePlaces()
    {
        const QString page = u"<p><b class=\"a b\" hidden>x<p>y"_s;
        const HtmlDocument document = parseHtml(page);
        const HtmlNode *original = findNode(document, u"b"_s);
        const HtmlNode *recreated = findNode(document, u"b 2"_s);
        QVERIFY(original && recreated);
        QCOMPARE(original->attributes.size(), 2);
        QCOMPARE(sourceOf(page, original->attributes[0].nameSpan), u"class"_s);
        QCOMPARE(sourceOf(page, original->attributes[0].valueSpan), u"a b"_s);
        QCOMPARE(sourceOf(page, original->attributes[1].valueSpan), u"-"_s);
        // The copy made where the bold text goes on keeps the attributes of the tag it stands for.
        QCOMPARE(recreated->attributes.size(), 2);
        QCOMPARE(recreated->attributes[0].value, u"a b"_s);
        QCOMPARE(sourceOf(page, recreated->attributes[0].nameSpan), u"class"_s);
        QVERIFY(!recreated->startTag.isValid());
    }

    void foreignAttributes()
    {
        const QString page =
            u"<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
            u"viewbox=\"0 0 1 1\"><a xlink:href=\"#x\" xml:lang=de></a></svg>"_s;
        const HtmlDocument document = parseHtml(page);
        const HtmlNode *svg = findNode(document, u"svg"_s);
        const HtmlNode *a = findNode(document, u"a"_s);
        QVERIFY(svg && a);
        QCOMPARE(svg->ns, HtmlNamespace::Svg);
        QCOMPARE(a->ns, HtmlNamespace::Svg);
        const QList<HtmlAttribute> &own = svg->attributes;
        QCOMPARE(own.size(), 3);
        QCOMPARE(own[0].prefix(), QString());
        QCOMPARE(own[0].ns, AttributeNamespace::Xmlns);
        QCOMPARE(own[1].prefix() + u':' + own[1].name, u"xmlns:xlink"_s);
        QCOMPARE(own[2].name, u"viewBox"_s);
        QVERIFY(svg->attribute(u"viewBox"));
        QVERIFY(!svg->attribute(u"viewbox"));
        QCOMPARE(a->attributes[0].prefix() + u':' + a->attributes[0].name, u"xlink:href"_s);
        QCOMPARE(a->attributes[0].ns, AttributeNamespace::XLink);
        QCOMPARE(a->attributes[1].prefix() + u':' + a->attributes[1].name, u"xml:lang"_s);
        // The name keeps its place in the source although the parser renamed it.
        QCOMPARE(sourceOf(page, a->attributes[0].nameSpan), u"xlink:href"_s);
        for (const HtmlParseError &error : document.errors)
            QVERIFY(error.code != TreeError::WrongXmlnsAttribute);
        const HtmlDocument wrong = parseHtml(u"<!DOCTYPE html><math xmlns=\"http://www.w3.org/2000/svg\"></math>"_s);
        QCOMPARE(wrong.errors.size(), 1);
        QCOMPARE(wrong.errors[0].code, TreeError::WrongXmlnsAttribute);
        QCOMPARE(wrong.errors[0].name, u"xmlns"_s);
    }

    void fragments_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<int>("ns");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("children"); // the root's children, "name" or "#text:data"

        const int html = int(HtmlNamespace::Html);
        QTest::newRow("body") << u"body"_s << html << u"a<b>c</b>"_s << u"#text:a b"_s;
        QTest::newRow("cells of a row") << u"tr"_s << html << u"<td>1<td>2"_s << u"td td"_s;
        QTest::newRow("textarea reads text") << u"textarea"_s << html << u"<b>x</textarea>"_s
                                             << u"#text:<b>x</textarea>"_s;
        QTest::newRow("title reads text") << u"title"_s << html << u"a&amp;<i>"_s << u"#text:a&<i>"_s;
        QTest::newRow("script") << u"script"_s << html << u"if (a<b) x();"_s << u"#text:if (a<b) x();"_s;
        QTest::newRow("select keeps options") << u"select"_s << html << u"<option>1<input><option>2"_s
                                              << u"option option"_s;
        QTest::newRow("svg") << u"svg"_s << int(HtmlNamespace::Svg) << u"<circle/><p>x"_s << u"circle p"_s;
        QTest::newRow("html takes head and body") << u"html"_s << html << u"<title>t</title>x"_s
                                                  << u"head body"_s;
        QTest::newRow("template") << u"template"_s << html << u"<tr><td>x"_s << u"tr"_s;
    }

    void fragments()
    {
        QFETCH(QString, context);
        QFETCH(int, ns);
        QFETCH(QString, text);
        QFETCH(QString, children);
        const HtmlDocument document = parseHtmlFragment(text, context, HtmlNamespace(ns));
        QCOMPARE(document.root()->kind, HtmlNode::Kind::DocumentFragment);
        QStringList found;
        for (const HtmlNode *child : document.root()->children) {
            QCOMPARE(child->parent, document.root());
            found << (child->kind == HtmlNode::Kind::Text ? u"#text:"_s + child->data : child->name);
        }
        QCOMPARE(found.join(u' '), children);
    }

    void errorsMergedInPlaceOrder()
    {
        // A tokenizer error (the NUL, the missing attribute value), tree errors before and after it.
        const QString page = u"x<p a=>\u0000</span>"_s;
        const HtmlDocument document = parseHtml(page);
        QStringList codes;
        qsizetype last = -1;
        for (const HtmlParseError &error : document.errors) {
            QVERIFY(error.span.offset >= last);
            last = error.span.offset;
            codes << QString::fromLatin1(error.code);
        }
        QCOMPARE(codes.first(), u"missing-doctype"_s);
        QVERIFY(codes.contains(u"missing-attribute-value"_s));
        QVERIFY(codes.indexOf(u"missing-attribute-value"_s) < codes.indexOf(u"null-character-in-text"_s));
        QCOMPARE(codes.last(), u"end-tag-without-matching-open-element"_s);
    }

    void errors_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("expected"); // "code name [source]" for each tree error

        QTest::newRow("no doctype") << u"<p>x"_s << u"missing-doctype  [<p>]"_s;
        const QString html = u"<!DOCTYPE html>"_s;
        QTest::newRow("old doctype")
            << u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">"_s
            << u"non-conforming-doctype html [<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">]"_s;
        QTest::newRow("stray end tag") << html + u"<p>x</span></p>"_s
                                       << u"end-tag-without-matching-open-element span [</span>]"_s;
        QTest::newRow("misnested")
            << html + u"<b>1<p>2</b>3</p>"_s << u"misnested-tag b [</b>]"_s;
        QTest::newRow("misnested, once for all rounds")
            << html + u"<div><a><b><div><div><div><div></a></div></div></div></div></div>"_s
            << u"misnested-tag a [</a>]|element-closed-implicitly b [</div>]"_s;
        QTest::newRow("select left with an option open")
            << html + u"<select><option>a<span>b</select>"_s
            << u"element-closed-implicitly span [</select>]"_s;
        QTest::newRow("element left open by its parent's end tag")
            << html + u"<div><span>x</div>"_s << u"element-closed-implicitly span [</div>]"_s;
        QTest::newRow("open at the end")
            << html + u"<div><p>x"_s << u"element-not-closed div [<div>]"_s;
        QTest::newRow("open at end of body")
            << html + u"<body><section>x</body>"_s << u"element-not-closed section [<section>]"_s;
        QTest::newRow("text in table") << html + u"<table>ab<tr><td>c</table>"_s
                                       << u"text-in-table  [ab]"_s;
        QTest::newRow("tag in table") << html + u"<table><div>x</div></table>"_s
                                      << u"tag-in-table div [<div>]|text-in-table  [x]"
                                         u"|tag-in-table div [</div>]"_s;
        QTest::newRow("cell without row") << html + u"<table><td>x</table>"_s
                                          << u"cell-outside-row td [<td>]"_s;
        QTest::newRow("nested a") << html + u"<a href=1>x<a href=2>y</a>"_s
                                  << u"nested-element a [<a href=2>]"_s;
        QTest::newRow("nested heading") << html + u"<h1>x<h2>y</h2>"_s
                                        << u"nested-heading h2 [<h2>]"_s;
        QTest::newRow("html tag in svg") << html + u"<svg><p>x</p></svg>"_s
                                         << u"html-tag-in-foreign-content p [<p>]"
                                            u"|end-tag-without-matching-open-element svg [</svg>]"_s;
        QTest::newRow("self-closing div") << html + u"<div/>x</div>"_s
                                          << u"non-void-html-element-start-tag-with-trailing-solidus div [<div/>]"_s;
        QTest::newRow("text after html") << html + u"<p>x</p></body></html> y"_s
                                         << u"content-after-body  [y]"_s;
        QTest::newRow("meta after head") << html + u"<head></head><meta charset=utf-8>"_s
                                         << u"head-element-after-head meta [<meta charset=utf-8>]"_s;
        QTest::newRow("br end tag") << html + u"x</br>"_s << u"br-end-tag br [</br>]"_s;
        QTest::newRow("sound page") << html + u"<html><head><title>T</title></head>"
                                              u"<body><p>x<br><img src=a alt=b></body></html>"_s
                                    << QString();
    }

    void errors()
    {
        QFETCH(QString, page);
        QFETCH(QString, expected);
        const HtmlDocument document = parseHtml(page);
        const QList<const char *> treeCodes = treeConstructionErrorCodes();
        QStringList found;
        for (const HtmlParseError &error : document.errors) {
            if (!treeCodes.contains(error.code))
                continue; // the tokenizer's
            found << QString::fromLatin1(error.code) + u' ' + error.name + u" ["_s
                    + sourceOf(page, error.span) + u']';
        }
        QCOMPARE(found.join(u'|'), expected);
        for (qsizetype i = 1; i < document.errors.size(); ++i)
            QVERIFY(document.errors[i - 1].span.offset <= document.errors[i].span.offset);
    }

    void quirksMode_data()
    {
        QTest::addColumn<QString>("doctype");
        QTest::addColumn<int>("mode");
        const int no = int(HtmlDocument::QuirksMode::NoQuirks);
        const int quirks = int(HtmlDocument::QuirksMode::Quirks);
        const int limited = int(HtmlDocument::QuirksMode::LimitedQuirks);

        QTest::newRow("none") << QString() << quirks;
        QTest::newRow("html") << u"<!doctype HTML>"_s << no;
        QTest::newRow("legacy compat") << u"<!DOCTYPE html SYSTEM \"about:legacy-compat\">"_s << no;
        QTest::newRow("no name") << u"<!DOCTYPE>"_s << quirks;
        QTest::newRow("other name") << u"<!DOCTYPE htmlx>"_s << quirks;
        QTest::newRow("HTML 4.01 strict")
            << u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">"_s
            << no;
        QTest::newRow("HTML 4.01 transitional without system id")
            << u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"_s << quirks;
        QTest::newRow("HTML 4.01 transitional with system id")
            << u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
               u"\"http://www.w3.org/TR/html4/loose.dtd\">"_s
            << limited;
        QTest::newRow("XHTML 1.0 transitional")
            << u"<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
               u"\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">"_s
            << limited;
        QTest::newRow("HTML 3.2, other case")
            << u"<!DOCTYPE html PUBLIC \"-//w3c//dtd html 3.2 final//en\">"_s << quirks;
        QTest::newRow("whole public id") << u"<!DOCTYPE html PUBLIC \"HTML\">"_s << quirks;
        QTest::newRow("IBM system id")
            << u"<!DOCTYPE html SYSTEM \"http://www.ibm.com/data/dtd/v11/ibmxhtml1-transitional.dtd\">"_s
            << quirks;
    }

    void quirksMode()
    {
        QFETCH(QString, doctype);
        QFETCH(int, mode);
        QCOMPARE(int(parseHtml(doctype + u"<p>x"_s).quirksMode), mode);
    }

    // A table closes an open paragraph, except in quirks mode, where old pages nest it.
    void quirksModeKeepsTableInParagraph()
    {
        const HtmlDocument quirks = parseHtml(u"<p><table>"_s);
        QCOMPARE(findNode(quirks, u"table"_s)->parent->name, u"p"_s);
        const HtmlDocument standard = parseHtml(u"<!DOCTYPE html><p><table>"_s);
        QCOMPARE(findNode(standard, u"table"_s)->parent->name, u"body"_s);
    }

    void errorCodesAreDistinctAndKebabCase()
    {
        const QList<const char *> codes = treeConstructionErrorCodes();
        QSet<QString> seen;
        static const QRegularExpression kebab(u"^[a-z]+(-[a-z]+)*$"_s);
        for (const char *code : codes) {
            const QString name = QString::fromLatin1(code);
            QVERIFY2(kebab.match(name).hasMatch(), code);
            QVERIFY2(!seen.contains(name), code);
            seen.insert(name);
        }
    }

    void deepAndLongPages_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("depth"); // of the deepest node below the document

        const int n = 100000;
        QTest::newRow("nested div") << repeated(u"<div>"_s, n) << n + 2;
        QTest::newRow("nested div, closed") << repeated(u"<div>"_s, n) + repeated(u"</div>"_s, n) << n + 2;
        QTest::newRow("nested span, stray end tags")
            << repeated(u"<span>"_s, n) + repeated(u"</x></li>"_s, n) << n + 2;
        QTest::newRow("nested span, list items")
            << repeated(u"<span>"_s, n) + repeated(u"<li></li>"_s, 1000) << n + 3;
        QTest::newRow("tables in deep divs")
            << repeated(u"<div>"_s, n) + repeated(u"<table><tr><td>x</td></tr></table>"_s, 1000)
            << n + 7;
        QTest::newRow("cell with deep divs")
            << u"<p><table><tr><td>"_s + repeated(u"<div>"_s, n) << n + 7;
        QTest::newRow("nested b")
            << repeated(u"<b>"_s, n) + u"x"_s << n + 3;
        QTest::newRow("long page")
            << repeated(u"<p class=a>Text &amp; mehr <b>fett</b> <a href=x>Link</a></p>\n"_s, 50000)
            << 5;
    }

    void deepAndLongPages()
    {
        QFETCH(QString, page);
        QFETCH(int, depth);
        QElapsedTimer timer;
        timer.start();
        const HtmlDocument document = parseHtml(page);
        // A quadratic step would take minutes here.
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        int deepest = 0;
        std::vector<std::pair<const HtmlNode *, int>> work{{document.root(), 0}};
        while (!work.empty()) {
            const auto [node, level] = work.back();
            work.pop_back();
            deepest = std::max(deepest, level);
            for (const HtmlNode *child : node->children)
                work.emplace_back(child, level + 1);
        }
        QCOMPARE(deepest, depth);
    }
};

QTEST_GUILESS_MAIN(TestHtmlTree)
#include "tst_html_tree.moc"
