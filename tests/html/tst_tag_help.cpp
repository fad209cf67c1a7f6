#include "html/html_completion.h"
#include "html/html_reference.h"
#include "html/html_tables.h"
#include "html/html_tag_pair.h"

#include <QSet>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// A page written with '|' for the caret and « » around what should be marked; lines are
// separated by '\n', which the editor holds as U+2029.
struct Marked
{
    QString text;
    qsizetype caret = -1;
    QList<qsizetype> marks;
};

Marked marked(const QString &page)
{
    Marked result;
    for (const QChar c : page) {
        if (c == u'|')
            result.caret = result.text.size();
        else if (c == u'«' || c == u'»')
            result.marks.append(result.text.size());
        else
            result.text.append(c == u'\n' ? QChar(QChar::ParagraphSeparator) : c);
    }
    return result;
}

QStringList names(const QList<HtmlOffer> &offers)
{
    QStringList result;
    for (const HtmlOffer &offer : offers)
        result.append(offer.name);
    return result;
}

} // namespace

class TestTagHelp : public QObject
{
    Q_OBJECT

private slots:
    void offersWhatFits_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("offered");  // among the fitting names, in this order
        QTest::addColumn<QStringList>("withheld"); // not among them

        QTest::newRow("after <") << u"<p>x <|"_s << QStringList{u"a"_s, u"table"_s, u"td"_s}
                                 << QStringList{u"left"_s};
        QTest::newRow("in a name") << u"<TA|"_s << QStringList{u"table"_s}
                                   << QStringList{u"tbody"_s, u"td"_s};
        QTest::newRow("inside a name") << u"<t|able>"_s << QStringList{u"table"_s, u"tbody"_s}
                                       << QStringList{u"a"_s};
        QTest::newRow("end tag, no void") << u"</t|"_s << QStringList{u"table"_s, u"td"_s}
                                          << QStringList{u"track"_s};
        QTest::newRow("obsolete ones the buttons write") << u"<|"_s
                                                         << QStringList{u"center"_s, u"font"_s, u"marquee"_s}
                                                         << QStringList{u"right"_s};
        QTest::newRow("attributes of td, own first")
            << u"<td |>"_s << QStringList{u"colspan"_s, u"rowspan"_s, u"class"_s, u"width"_s}
            << QStringList{u"alt"_s, u"href"_s};
        QTest::newRow("without those it has, across lines")
            << u"<td colspan=2\n  rowspan=\"3\"\n  |\n  class='a b'>"_s
            << QStringList{u"headers"_s, u"id"_s}
            << QStringList{u"colspan"_s, u"rowspan"_s, u"class"_s};
        QTest::newRow("an attribute begun") << u"<img src=\"a.png\" al|"_s
                                            << QStringList{u"alt"_s} << QStringList{u"src"_s};
        QTest::newRow("a name after the caret counts") << u"<img | alt=\"\">"_s
                                                       << QStringList{u"src"_s} << QStringList{u"alt"_s};
        QTest::newRow("a value with a blank") << u"<img alt=\"ein |"_s << QStringList() << QStringList();
        QTest::newRow("after =") << u"<a href=|"_s << QStringList() << QStringList();
        QTest::newRow("after = and a blank") << u"<a href= |x>"_s << QStringList() << QStringList();
        QTest::newRow("text after a tag") << u"<p>Ein Satz |"_s << QStringList() << QStringList();
        QTest::newRow("a closed tag before") << u"<b>x</b> |"_s << QStringList() << QStringList();
        QTest::newRow("a comparison") << u"a <2|"_s << QStringList() << QStringList();
        QTest::newRow("the start") << u"|<p>"_s << QStringList() << QStringList();
        QTest::newRow("no element fits") << u"<qq|"_s << QStringList() << QStringList();
        QTest::newRow("reference") << u"Gr&u|"_s << QStringList{u"uacute"_s, u"uml"_s, u"uuml"_s}
                                   << QStringList{u"Uuml"_s};
        QTest::newRow("reference, case counts") << u"&Au|"_s << QStringList{u"Auml"_s}
                                                << QStringList{u"auml"_s};
        QTest::newRow("reference of several") << u"&eu|"_s << QStringList{u"euml"_s, u"euro"_s}
                                              << QStringList();
        QTest::newRow("a lone &") << u"a & |"_s << QStringList() << QStringList();
    }
    void offersWhatFits()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, offered);
        QFETCH(QStringList, withheld);
        const Marked m = marked(page);
        const HtmlCompletion completion = htmlCompletionAt(m.text, m.caret);
        const QStringList fitting =
            names(completion.fitting(QStringView(m.text).sliced(completion.from, m.caret - completion.from)));
        QCOMPARE(completion.isEmpty(), offered.isEmpty());
        qsizetype last = -1;
        for (const QString &name : offered) {
            QVERIFY2(fitting.indexOf(name) > last, qPrintable(name + u" in "_s + fitting.join(u' ')));
            last = fitting.indexOf(name);
        }
        for (const QString &name : withheld)
            QVERIFY2(!fitting.contains(name), qPrintable(name));
    }

    void completesTheRest_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("rest");

        QTest::newRow("element") << u"<ta|"_s << u"table"_s << u"ble"_s;
        QTest::newRow("in capitals") << u"<TA|"_s << u"table"_s << u"BLE"_s;
        QTest::newRow("the name behind the caret goes") << u"<t|able"_s << u"tbody"_s << u"body"_s;
        QTest::newRow("reference gets its ;") << u"&au|"_s << u"auml"_s << u"ml;"_s;
        QTest::newRow("but only one") << u"&au|;"_s << u"auml"_s << u"ml"_s;
        QTest::newRow("attribute") << u"<img |>"_s << u"alt"_s << u"alt"_s;
    }
    void completesTheRest()
    {
        QFETCH(QString, page);
        QFETCH(QString, chosen);
        QFETCH(QString, rest);
        const Marked m = marked(page);
        const HtmlCompletion completion = htmlCompletionAt(m.text, m.caret);
        QCOMPARE(htmlCompletionRest(completion, m.text, m.caret, {chosen, {}}), rest);
    }

    void describesInGerman()
    {
        QCOMPARE(htmlCompletionAt(u"<ta"_s, 3).fitting(u"ta").value(0).display, u"table: Tabelle"_s);
        QCOMPARE(htmlCompletionAt(u"<td "_s, 4).fitting(u"rows").value(0).display,
                 u"rowspan: Anzahl der Zeilen, die die Zelle überspannt"_s);
        QCOMPARE(htmlCompletionAt(u"&au"_s, 3).fitting(u"au").value(0).display, u"&auml; ä"_s);
        QCOMPARE(htmlCompletionAt(u"&Ne"_s, 3).fitting(u"NewLine").value(0).display,
                 u"&NewLine; U+000A"_s);
        QVERIFY(htmlElementTip(u"TD").contains(u"Tabellenzelle"_s));
        QVERIFY(htmlElementTip(u"td").contains(u"colspan, rowspan, headers"_s));
        QVERIFY(htmlElementTip(u"center").contains(u"text-align: center"_s));
        QVERIFY(htmlElementTip(u"marquee").contains(u"Heute"_s));
        QCOMPARE(htmlAttributeTip(u"img", u"alt"), u"<b>alt</b>: Ersatztext, wenn das Bild fehlt"_s);
        QVERIFY(htmlElementTip(u"qq").isEmpty());
    }

    // Every name the tables offer has its description, and none is offered twice.
    void tablesAreWhole()
    {
        QCOMPARE(HtmlTables::referenceCount, 2125);
        QStringList seen;
        for (int i = 0; i < HtmlTables::elementCount; ++i) {
            const HtmlElementEntry &element = HtmlTables::elements[i];
            const QString name = QString::fromLatin1(element.name);
            QVERIFY2(!seen.contains(name), element.name);
            seen.append(name);
            const QStringList attributes = htmlAttributesOf(name);
            QCOMPARE(QSet<QString>(attributes.begin(), attributes.end()).size(), attributes.size());
            for (const QString &attribute : attributes)
                QVERIFY2(!htmlAttributeDescription(name, attribute).isEmpty(),
                         qPrintable(attribute));
        }
    }

    void marksTagPairs_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("start tag") << u"«<ta|ble»><tr><td>x</td></tr>«</table»>"_s;
        QTest::newRow("caret after <") << u"«<|b»>x«</b»>"_s;
        QTest::newRow("nesting across lines") << u"«<div|»>\n <div>\n  <div></div>\n </div>\n«</div»>"_s;
        QTest::newRow("from the end tag") << u"«<div»><div></div>\n«</di|v»>"_s;
        QTest::newRow("any case") << u"«<TD|»>x«</td»>"_s;
        QTest::newRow("comments passed over") << u"«<b|»><!-- </b> -->x«</b»>"_s;
        QTest::newRow("comments passed over backwards") << u"«<b»><!-- <b> -->x<!---->«</b|»>"_s;
        QTest::newRow("a longer name is another") << u"«<b|»><br><bdi></bdi>«</b»>"_s;
        QTest::newRow("void element") << u"<b|r>x</br>"_s;
        QTest::newRow("without partner") << u"<p|>Absatz<p>und noch einer"_s;
        QTest::newRow("end tag without partner") << u"</p|>"_s;
        QTest::newRow("in an attribute") << u"<div cl|ass=a></div>"_s;
        QTest::newRow("in text") << u"<b>fe|tt</b>"_s;
    }
    void marksTagPairs()
    {
        QFETCH(QString, page);
        const Marked m = marked(page);
        const std::optional<HtmlTagPair> pair = htmlTagPairAt(m.text, m.caret);
        QCOMPARE(pair.has_value(), !m.marks.isEmpty());
        if (!pair)
            return;
        QList<qsizetype> found{pair->at.start, pair->at.end, pair->partner.start, pair->partner.end};
        std::sort(found.begin(), found.end());
        QCOMPARE(found, m.marks);
    }

    void partnerSearchIsBounded()
    {
        const QString page = u"<div>"_s + QString(1000, u'x') + u"</div>"_s;
        QVERIFY(htmlTagPairAt(page, 2, 2000).has_value());
        QVERIFY(!htmlTagPairAt(page, 2, 500).has_value());
        QVERIFY(!htmlTagPairAt(page, page.size() - 3, 500).has_value());
    }
};

QTEST_APPLESS_MAIN(TestTagHelp)
#include "tst_tag_help.moc"
