#include "html/parser/tree_paths.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A page with its marks '|' taken out, and where they stood.
struct MarkedPage
{
    QString text;
    QList<qsizetype> marks;
};

MarkedPage marked(const QString &source)
{
    MarkedPage page;
    for (const QChar c : source) {
        if (c == u'|')
            page.marks.append(page.text.size());
        else
            page.text += c;
    }
    return page;
}

// An element's path written as "html0/body1/p0": names with positions.
QString written(const ElementPath &path)
{
    QStringList steps;
    for (qsizetype i = 0; i < path.names.size(); ++i)
        steps.append(path.names.at(i) + QString::number(path.positions.at(i)));
    return steps.join(u'/');
}

ElementPath readPath(const QString &text)
{
    ElementPath path;
    static const QRegularExpression step(u"^([a-z0-9]*[a-z])(\\d+)$"_s);
    for (const QString &part : text.split(u'/')) {
        const QRegularExpressionMatch match = step.match(part);
        path.names.append(match.captured(1));
        path.positions.append(match.captured(2).toInt());
    }
    return path;
}

const QString nestedTables = u"<!DOCTYPE html><html><head><title>T</title></head><body>"
                             "<table><tr><td>au|ßen<table><tr><td>in|nen</td></tr></table>da|nach"
                             "</td><td>zwei</td></tr></table></body></html>"_s;

} // namespace

class TestTreePaths : public QObject
{
    Q_OBJECT

private slots:
    void elementAroundTheCaret_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("path"); // empty: no element
        QTest::addColumn<bool>("inBody");
        QTest::newRow("inner cell of nested tables")
            << u"<table><tr><td>a<table><tr><td>b|c</td></tr></table></td></tr></table>"_s
            << u"html0/body1/table0/tbody0/tr0/td0/table0/tbody0/tr0/td0"_s << true;
        QTest::newRow("outer cell after the inner table")
            << u"<table><tr><td><table><tr><td>b</td></tr></table>x|y</td></tr></table>"_s
            << u"html0/body1/table0/tbody0/tr0/td0"_s << true;
        QTest::newRow("at a start tag: that element")
            << u"<table><tr><td>a</td>|<td>b</td></tr></table>"_s
            << u"html0/body1/table0/tbody0/tr0/td1"_s << true;
        QTest::newRow("just before an implied </p>")
            << u"<p>eins|<p>zwei"_s << u"html0/body1/p1"_s << true;
        QTest::newRow("inside a paragraph closed by the next")
            << u"<p>ei|ns<p>zwei"_s << u"html0/body1/p0"_s << true;
        QTest::newRow("right after an end tag: the parent")
            << u"<div><b>x</b>|y</div>"_s << u"html0/body1/div0"_s << true;
        QTest::newRow("inside an attribute") << u"<p class=\"a|b\">x</p>"_s
                                             << u"html0/body1/p0"_s << true;
        QTest::newRow("void element") << u"<p>a<br|>b</p>"_s << u"html0/body1/p0/br0"_s << true;
        QTest::newRow("in the head") << u"<title>Ti|tel</title><p>x"_s
                                     << u"html0/head0/title0"_s << false;
        QTest::newRow("after </body>") << u"<body><p>x</p></body> |\n</html>"_s << u"html0"_s
                                       << false;
        QTest::newRow("noscript content is not entered")
            << u"<body><noscript><p>a|</p></noscript></body>"_s << u"html0/body1/noscript0"_s
            << true;
        QTest::newRow("in the doctype") << u"<!DOC|TYPE html><p>x"_s << QString() << false;
    }
    void elementAroundTheCaret()
    {
        QFETCH(QString, source);
        QFETCH(QString, path);
        QFETCH(bool, inBody);
        const MarkedPage page = marked(source);
        const TreePaths paths(page.text);
        const HtmlNode *element = paths.elementAround(page.marks.constFirst());
        QCOMPARE(element ? written(TreePaths::pathOf(element)) : QString(), path);
        QCOMPARE(TreePaths::isInBody(element), inBody);
    }

    // Every element is found again by its path, and only by the right names.
    void pathsLeadBack()
    {
        const TreePaths paths(nestedTables);
        int elements = 0;
        std::vector<const HtmlNode *> todo{paths.document().root()};
        while (!todo.empty()) {
            const HtmlNode *node = todo.back();
            todo.pop_back();
            todo.insert(todo.end(), node->children.begin(), node->children.end());
            if (node->kind != HtmlNode::Kind::Element)
                continue;
            ++elements;
            ElementPath path = TreePaths::pathOf(node);
            QCOMPARE(paths.elementAt(path), node);
            ElementPath otherSiblings = path;
            ++otherSiblings.siblings.last();
            QVERIFY(!paths.elementAt(otherSiblings));
            path.names.last() = u"span"_s;
            QVERIFY(!paths.elementAt(path));
        }
        QCOMPARE(elements, 13);
        QVERIFY(!paths.elementAt(readPath(u"html0/body2"_s)));
        QVERIFY(!paths.elementAt(readPath(u"html0/body1/table0/tbody0/tr0/td5"_s)));
        QVERIFY(!paths.elementAt({}));
    }

    void startOfAnElement_data()
    {
        QTest::addColumn<QString>("source"); // the mark: where the element starts
        QTest::addColumn<QString>("path");
        QTest::newRow("start tag") << u"<p>a</p>|<div>b</div>"_s << u"html0/body1/div1"_s;
        QTest::newRow("implied tbody: its first row")
            << u"<table>\n|<tr><td>x</td></tr></table>"_s << u"html0/body1/table0/tbody0"_s;
        QTest::newRow("implied body: its first content") << u"<title>T</title>|Text"_s
                                                        << u"html0/body1"_s;
        QTest::newRow("implied </p>: its start tag") << u"|<p>eins<p>zwei"_s << u"html0/body1/p0"_s;
    }
    void startOfAnElement()
    {
        QFETCH(QString, source);
        QFETCH(QString, path);
        const MarkedPage page = marked(source);
        const TreePaths paths(page.text);
        const HtmlNode *element = paths.elementAt(readPath(path));
        QVERIFY(element);
        QCOMPARE(paths.startOf(element), page.marks.constFirst());
    }

    void characterInAText_data()
    {
        QTest::addColumn<QString>("source"); // the mark: where the character is; none: not found
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("childIndex");
        QTest::addColumn<int>("character");
        QTest::addColumn<QString>("data");
        QTest::newRow("plain text") << u"<p>Hallo |Welt</p>"_s << u"html0/body1/p0"_s << 0 << 6
                                    << u"Hallo Welt"_s;
        QTest::newRow("across a line break") << u"<p>eins\nzw|ei</p>"_s << u"html0/body1/p0"_s
                                             << 0 << 7 << u"eins\nzwei"_s;
        QTest::newRow("before a reference") << u"<p>G|r&uuml;&szlig;e</p>"_s << u"html0/body1/p0"_s
                                            << 0 << 1 << u"Grüße"_s;
        QTest::newRow("after a reference") << u"<p>Gr&uuml;ße</p>"_s << u"html0/body1/p0"_s << 0
                                           << 3 << u"Grüße"_s;
        QTest::newRow("text after an element") << u"<p>a<b>b</b>c|d</p>"_s << u"html0/body1/p0"_s
                                               << 2 << 1 << u"cd"_s;
        QTest::newRow("text of a table cell")
            << u"<table><tr><td>Zel|le</td></tr></table>"_s
            << u"html0/body1/table0/tbody0/tr0/td0"_s << 0 << 3 << u"Zelle"_s;
        QTest::newRow("the page shows another text") << u"<p>Hallo Welt</p>"_s
                                                     << u"html0/body1/p0"_s << 0 << 6
                                                     << u"Hallo Wald"_s;
        QTest::newRow("an element, not a text") << u"<p>a<b>b</b>cd</p>"_s << u"html0/body1/p0"_s
                                                << 1 << 0 << u"b"_s;
        QTest::newRow("past the text") << u"<p>ab</p>"_s << u"html0/body1/p0"_s << 0 << 2
                                       << u"ab"_s;
    }
    void characterInAText()
    {
        QFETCH(QString, source);
        QFETCH(QString, path);
        QFETCH(int, childIndex);
        QFETCH(int, character);
        QFETCH(QString, data);
        const MarkedPage page = marked(source);
        const TreePaths paths(page.text);
        const HtmlNode *element = paths.elementAt(readPath(path));
        QVERIFY(element);
        QCOMPARE(paths.characterOffset(element, childIndex, character, data),
                 page.marks.isEmpty() ? -1 : page.marks.constFirst());
    }

    void elementsCounted_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("count");
        QTest::newRow("implied html, head, body, tbody")
            << u"<table><tr><td>x</td></tr></table>"_s << 7;
        QTest::newRow("svg") << u"<svg><circle/></svg>"_s << 5;
        // Scripting decides how <noscript> is read: what it holds does not count.
        QTest::newRow("noscript") << u"<body><noscript><p>a</p></noscript>"_s << 4;
        QTest::newRow("template content is not in the tree")
            << u"<template><p>a</p></template>"_s << 4;
    }
    void elementsCounted()
    {
        QFETCH(QString, source);
        QFETCH(int, count);
        QCOMPARE(TreePaths(source).elementCount(), count);
    }
};

QTEST_GUILESS_MAIN(TestTreePaths)

#include "tst_tree_paths.moc"
