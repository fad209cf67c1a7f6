// html5lib's tree construction suite, read from its .dat files: each page is parsed and its
// tree, written in the suite's own format, must match to the character.

#include "html/parser/html_tree.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <algorithm>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct TreeCase
{
    QString data;
    QString expected;
    QString context; // empty for a whole page
    bool scriptOn = false;
    int errorCount = 0;
};

QList<TreeCase> readDatFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(u"#data\n"))
        text.remove(0, 6);
    QList<TreeCase> cases;
    for (const QString &block : text.split(u"\n\n#data\n"_s)) {
        TreeCase test;
        const qsizetype errors = block.indexOf(u"\n#errors\n"_s);
        const qsizetype document = block.indexOf(u"\n#document\n"_s);
        if (errors < 0 || document < 0)
            continue;
        test.data = block.left(errors);
        QString section;
        const QStringList lines = block.mid(errors + 1, document - errors).split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString &line = lines[i];
            if (line.startsWith(u'#')) {
                section = line;
                test.scriptOn = test.scriptOn || line == u"#script-on";
            } else if (section == u"#document-fragment" && !line.isEmpty()) {
                test.context = line;
            } else if ((section == u"#errors" || section == u"#new-errors") && !line.isEmpty()) {
                ++test.errorCount;
            }
        }
        test.expected = block.mid(document + 11);
        while (test.expected.endsWith(u'\n'))
            test.expected.chop(1);
        cases.append(test);
    }
    return cases;
}

QString elementName(const HtmlNode *node)
{
    switch (node->ns) {
    case HtmlNamespace::Svg: return u"svg "_s + node->name;
    case HtmlNamespace::MathMl: return u"math "_s + node->name;
    case HtmlNamespace::Html: break;
    }
    return node->name;
}

QString attributeName(const HtmlAttribute &attribute)
{
    const QString prefix = attribute.ns == AttributeNamespace::None ? QString()
        : attribute.ns == AttributeNamespace::XLink                 ? u"xlink"_s
        : attribute.ns == AttributeNamespace::Xml                   ? u"xml"_s
                                                                    : u"xmlns"_s;
    return prefix.isEmpty() ? attribute.name : prefix + u' ' + attribute.name;
}

QString nodeLine(const HtmlNode *node)
{
    switch (node->kind) {
    case HtmlNode::Kind::Element:
        return u'<' + elementName(node) + u'>';
    case HtmlNode::Kind::Text:
        return u'"' + node->data + u'"';
    case HtmlNode::Kind::Comment:
        return u"<!-- "_s + node->data + u" -->"_s;
    case HtmlNode::Kind::DocumentType:
        if (node->publicId.isEmpty() && node->systemId.isEmpty())
            return u"<!DOCTYPE "_s + node->name + u'>';
        return u"<!DOCTYPE "_s + node->name + u" \""_s + node->publicId + u"\" \""_s
            + node->systemId + u"\">"_s;
    case HtmlNode::Kind::Document:
    case HtmlNode::Kind::DocumentFragment:
        break;
    }
    return u"content"_s;
}

// The suite's format, written without recursion so that deep trees cannot overflow the stack.
QString dumpTree(const HtmlNode *root)
{
    QStringList lines;
    std::vector<std::pair<const HtmlNode *, int>> work;
    const auto pushChildren = [&work](const HtmlNode *parent, int depth) {
        for (auto child = parent->children.crbegin(); child != parent->children.crend(); ++child)
            work.emplace_back(*child, depth);
    };
    pushChildren(root, 0);
    while (!work.empty()) {
        const auto [node, depth] = work.back();
        work.pop_back();
        const QString indent = u"| "_s + QString(depth * 2, u' ');
        lines << indent + nodeLine(node);
        if (node->kind == HtmlNode::Kind::DocumentFragment) { // a template's contents
            pushChildren(node, depth + 1);
            continue;
        }
        QList<HtmlAttribute> attributes = node->attributes;
        std::sort(attributes.begin(), attributes.end(), [](const HtmlAttribute &a, const HtmlAttribute &b) {
            return attributeName(a) < attributeName(b);
        });
        for (const HtmlAttribute &attribute : std::as_const(attributes))
            lines << indent + u"  "_s + attributeName(attribute) + u"=\""_s + attribute.value + u'"';
        pushChildren(node, depth + 1);
        if (node->templateContents)
            work.emplace_back(node->templateContents, depth + 1);
    }
    return lines.join(u'\n');
}

HtmlDocument parseCase(const TreeCase &test)
{
    if (test.context.isEmpty())
        return parseHtml(test.data);
    if (test.context.startsWith(u"svg "))
        return parseHtmlFragment(test.data, test.context.mid(4), HtmlNamespace::Svg);
    if (test.context.startsWith(u"math "))
        return parseHtmlFragment(test.data, test.context.mid(5), HtmlNamespace::MathMl);
    return parseHtmlFragment(test.data, test.context);
}

} // namespace

class TestHtml5libTree : public QObject
{
    Q_OBJECT

private slots:
    void treeConstruction_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("scriptOn");
        QTest::addColumn<int>("errorCount");
        const QDir dir(QStringLiteral(TAGSCHMIED_TREE_TESTS));
        QStringList files;
        for (const QString &name : dir.entryList({u"*.dat"_s}, QDir::Files, QDir::Name))
            files << dir.filePath(name);
        const QDir scripted(dir.filePath(u"scripted"_s));
        for (const QString &name : scripted.entryList({u"*.dat"_s}, QDir::Files, QDir::Name))
            files << scripted.filePath(name);
        QVERIFY(files.size() > 50);
        for (const QString &path : std::as_const(files)) {
            const QList<TreeCase> cases = readDatFile(path);
            QVERIFY2(!cases.isEmpty(), qPrintable(path));
            for (qsizetype i = 0; i < cases.size(); ++i) {
                const TreeCase &test = cases[i];
                const QString row = dir.relativeFilePath(path) + u" #"_s + QString::number(i + 1);
                QTest::newRow(qPrintable(row)) << test.data << test.context << test.expected
                                               << test.scriptOn << test.errorCount;
            }
        }
    }

    void treeConstruction()
    {
        QFETCH(QString, data);
        QFETCH(QString, context);
        QFETCH(QString, expected);
        QFETCH(bool, scriptOn);
        QFETCH(int, errorCount);
        if (scriptOn)
            QSKIP("written for scripting on, which needs a script engine; the parser has scripting off");
        const HtmlDocument document = parseCase({data, expected, context, false, 0});
        const QString actual = dumpTree(document.root());
        if (actual != expected) {
            qInfo().noquote() << "data:" << data << "\ncontext:" << context << "\nexpected:\n"
                              << expected << "\nactual:\n" << actual;
        }
        QCOMPARE(actual, expected);
        ++m_run;
        if (document.errors.size() == errorCount)
            ++m_sameErrorCount;
    }

    void cleanupTestCase()
    {
        // The suite's error lists are counted loosely (one per character, or per tokenizer and
        // tree alike), so the count is reported, not required.
        qInfo("%d cases agree on the tree; %d of them on the number of parse errors too", m_run,
              m_sameErrorCount);
    }

private:
    int m_run = 0;
    int m_sameErrorCount = 0;
};

QTEST_GUILESS_MAIN(TestHtml5libTree)
#include "tst_html5lib_tree.moc"
