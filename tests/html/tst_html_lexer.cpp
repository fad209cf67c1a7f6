#include "html/html_lexer.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// The pieces of a line in a readable form: "tag(<a) name(href) value("x") tag(>)".
QString described(const QString &line, const QList<HtmlSpan> &spans)
{
    static const char *const names[] = {"tag", "name", "value", "entity", "comment", "doctype"};
    QStringList pieces;
    for (const HtmlSpan &span : spans)
        pieces << QString::fromLatin1(names[int(span.kind)]) + u'('
                      + line.sliced(span.start, span.length) + u')';
    return pieces.join(u' ');
}

} // namespace

class TestHtmlLexer : public QObject
{
    Q_OBJECT

private slots:
    void lexesOneLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("pieces");
        QTest::addColumn<int>("end");
        using namespace HtmlState;

        QTest::newRow("plain text") << u"Ein Satz > mit 5 < 6"_s << int(Text) << QString() << int(Text);
        QTest::newRow("tag, attributes, values")
            << u"<td border=1 width=\"50%\" class='a b' nowrap>x</td>"_s << int(Text)
            << u"tag(<td) name(border) value(1) name(width) value(\"50%\") name(class) "
               u"value('a b') name(nowrap) tag(>) tag(</td>)"_s
            << int(Text);
        QTest::newRow("self-closing") << u"<br/><img src=a.png />"_s << int(Text)
                                      << u"tag(<br/><img) name(src) value(a.png) tag(/>)"_s
                                      << int(Text);
        QTest::newRow("entities") << u"&auml; &#322; &#x142; &amp &; &#x; a && b;"_s << int(Text)
                                  << u"entity(&auml;) entity(&#322;) entity(&#x142;)"_s << int(Text);
        QTest::newRow("comment") << u"a<!-- <b> & -->b"_s << int(Text)
                                 << u"comment(<!-- <b> & -->)"_s << int(Text);
        QTest::newRow("doctype") << u"<!DOCTYPE html><html>"_s << int(Text)
                                 << u"doctype(<!DOCTYPE html>) tag(<html>)"_s << int(Text);
        QTest::newRow("processing instruction") << u"<?xml version=\"1.0\"?>"_s << int(Text)
                                                << u"doctype(<?xml version=\"1.0\"?>)"_s << int(Text);

        // State carried into and out of the line.
        QTest::newRow("comment opens") << u"x <!-- a"_s << int(Text) << u"comment(<!-- a)"_s
                                       << int(Comment);
        QTest::newRow("comment goes on") << u"<b> still"_s << int(Comment)
                                         << u"comment(<b> still)"_s << int(Comment);
        QTest::newRow("comment closes") << u"end --> <i>"_s << int(Comment)
                                        << u"comment(end -->) tag(<i>)"_s << int(Text);
        QTest::newRow("tag spans lines") << u"<a"_s << int(Text) << u"tag(<a)"_s << int(InTag);
        QTest::newRow("attributes on the next line") << u"  href=x>t"_s << int(InTag)
                                                     << u"name(href) value(x) tag(>)"_s << int(Text);
        QTest::newRow("value on the next line") << u"\"v\">"_s << int(AfterEquals)
                                                << u"value(\"v\") tag(>)"_s << int(Text);
        QTest::newRow("quote opens") << u"<a title=\"one"_s << int(Text)
                                     << u"tag(<a) name(title) value(\"one)"_s << int(DoubleQuoted);
        QTest::newRow("quote closes") << u"two\">x"_s << int(DoubleQuoted)
                                      << u"value(two\") tag(>)"_s << int(Text);
        QTest::newRow("single quote goes on") << u"<b>"_s << int(SingleQuoted)
                                              << u"value(<b>)"_s << int(SingleQuoted);
        QTest::newRow("doctype spans lines") << u"<!DOCTYPE html"_s << int(Text)
                                             << u"doctype(<!DOCTYPE html)"_s << int(Declaration);

        // Script and style content is not markup.
        QTest::newRow("script content") << u"<script>if (a<b && c) x = '<p>';</script>"_s
                                        << int(Text) << u"tag(<script>) tag(</script>)"_s
                                        << int(Text);
        QTest::newRow("script goes on") << u"<SCRIPT type=x>a<b"_s << int(Text)
                                        << u"tag(<SCRIPT) name(type) value(x) tag(>)"_s
                                        << int(Text | Script);
        QTest::newRow("style ends") << u"p<b {} </Style><b>"_s << int(Text | Style)
                                    << u"tag(</Style><b>)"_s << int(Text);

        // Malformed markup.
        QTest::newRow("open tag before another") << u"<a href=x <b>"_s << int(Text)
                                                 << u"tag(<a) name(href) value(x) tag(<b>)"_s
                                                 << int(Text);
        QTest::newRow("lone brackets") << u"< a </ <1 </> <"_s << int(Text) << QString() << int(Text);
        QTest::newRow("equals without value") << u"<a b=>"_s << int(Text)
                                              << u"tag(<a) name(b) tag(>)"_s << int(Text);
        QTest::newRow("unclosed comment start") << u"<!--"_s << int(Text) << u"comment(<!--)"_s
                                                << int(Comment);
        QTest::newRow("empty comment is not closed by its own dashes") << u"<!-->"_s << int(Text)
                                                                       << u"comment(<!-->)"_s
                                                                       << int(Comment);
        QTest::newRow("control characters") << u"\u0000<\u0001a\u0002>"_s << int(Text) << QString()
                                            << int(Text);
        QTest::newRow("unknown start state") << u"<b>"_s << 7 << u"tag(<b>)"_s << int(Text);
    }
    void lexesOneLine()
    {
        QFETCH(QString, line);
        QFETCH(int, start);
        QFETCH(QString, pieces);
        QFETCH(int, end);
        QList<HtmlSpan> spans;
        QCOMPARE(lexHtmlLine(line, start, spans), end);
        QCOMPARE(described(line, spans), pieces);
    }

    void millionCharacterLine()
    {
        QList<HtmlSpan> spans;
        const QString line = u"<a "_s + QString(1'000'000, u'x') + u" href=\""_s;
        QCOMPARE(lexHtmlLine(line, HtmlState::Text, spans), int(HtmlState::DoubleQuoted));
        QCOMPARE(spans.size(), 4);
        QCOMPARE(spans.last().start + spans.last().length, line.size());
    }
};

QTEST_APPLESS_MAIN(TestHtmlLexer)
#include "tst_html_lexer.moc"
