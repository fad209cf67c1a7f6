// The page check on pages as people write them and as this program's buttons build them: its
// German messages with their places and levels, silence on correct HTML, and a page of any
// depth or size checked in time that grows with the page.

#include "elements/snippets.h"
#include "html/conformance/conformance_texts.h"
#include "html/conformance/page_conformance.h"

#include <QElapsedTimer>
#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(CheckLevel)

using namespace Qt::StringLiterals;

namespace {

const QString issuePage = QStringLiteral(
    "<!DOCTYPE html>\n<html lang=\"de\">\n<head><meta charset=utf-8><title>Urlaub</title></head>\n"
    "<body>\n<p><b>Fett <i>und kursiv</b></i></p>\n<img src=\"strand.jpg\">\n</i>\n</body>\n</html>\n");

const QString oldPage = QStringLiteral(
    "<html>\n<head><title>Alt</title></head>\n<body bgcolor=\"#ffffcc\">\n"
    "<center><font size=12 face=\"Arial\" color=>Hallo</font></center>\n<left>links</left>\n"
    "<table border=0 width= height=>\n<tr>\n<td>Zelle</td>\n</tr>\n</table>\n"
    "<div><span><p>Absatz</p></span></div>\n<label for=\"nix\">Name</label>\n</body>\n</html>\n");

QString describe(const CheckMessage &message)
{
    return QStringLiteral("%1:%2 %3 %4").arg(message.line).arg(message.column).arg(message.key,
                                                                                     ConformanceTexts::text(message.key, message.arguments));
}

// A page as the buttons append it: each snippet's lone CR becomes CR LF.
QString fromButtons(const QStringList &snippets)
{
    QString page = snippets.join(QString());
    page.replace(QStringLiteral("\r"), QStringLiteral("\r\n"));
    return page;
}

QString skeleton(const QStringList &body)
{
    return fromButtons(Snippets::pageStart(QStringLiteral("Noname")) + body + Snippets::pageEnd());
}

QString oneClick(const char16_t *snippet)
{
    return QString::fromUtf16(snippet);
}

} // namespace

class PageConformanceTest : public QObject
{
    Q_OBJECT

private slots:
    void germanMessages_data();
    void germanMessages();
    void correctHtmlGivesNoMessage_data();
    void correctHtmlGivesNoMessage();
    void buttonPages_data();
    void buttonPages();
    void messagesAreSortedByPlace();
    void deepAndLargePagesTakeLinearTime();
};

void PageConformanceTest::germanMessages_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<CheckLevel>("level");

    QTest::newRow("crossed end tags") << issuePage << "misnested-tag"
        << "</b> überkreuzt sich mit einem anderen Element: schließen Sie Elemente in umgekehrter "
           "Reihenfolge, wie Sie sie geöffnet haben." << 5 << 25 << CheckLevel::Error;
    QTest::newRow("img without alt") << issuePage << "img-without-alt"
        << "<img> braucht einen Ersatztext alt=\"…\": er sagt, was das Bild zeigt (alt=\"\" für reinen Schmuck)."
        << 6 << 1 << CheckLevel::Error;
    QTest::newRow("stray end tag") << issuePage << "end-tag-without-matching-open-element"
        << "</i> schließt nichts: es ist kein <i> offen." << 7 << 1 << CheckLevel::Error;
    QTest::newRow("no doctype") << oldPage << "doctype-missing"
        << "Am Anfang fehlt <!DOCTYPE html>: ohne ihn zeichnet der Browser die Seite im Quirks-Modus, "
           "nach alten Regeln." << 1 << 1 << CheckLevel::Error;
    QTest::newRow("no language") << oldPage << "html-without-lang"
        << "Geben Sie die Sprache der Seite an: <html lang=\"de\">." << 1 << 1 << CheckLevel::Warning;
    QTest::newRow("bgcolor") << oldPage << "obsolete-attribute-bgcolor"
        << "„bgcolor“ an <body> ist veraltet: färben Sie den Hintergrund mit CSS (background-color)."
        << 3 << 7 << CheckLevel::Warning;
    QTest::newRow("center") << oldPage << "obsolete-element-center"
        << "<center> ist veraltet: zentrieren Sie mit CSS (text-align: center, Blöcke mit margin: auto)."
        << 4 << 1 << CheckLevel::Warning;
    QTest::newRow("empty color= in font") << oldPage << "missing-attribute-value"
        << "Nach „=“ fehlt der Wert: schreiben Sie ihn in Anführungszeichen (name=\"Wert\") oder lassen Sie „=“ weg."
        << 4 << 42 << CheckLevel::Warning;
    QTest::newRow("left") << oldPage << "not-html-element-left"
        << "<left> war nie HTML, kein Browser richtet danach aus: richten Sie mit CSS aus (text-align: left)."
        << 5 << 1 << CheckLevel::Error;
    QTest::newRow("= in old width") << oldPage << "unexpected-character-in-unquoted-attribute-value"
        << "Im Wert ohne Anführungszeichen steht \", ', <, = oder `: setzen Sie den Wert in Anführungszeichen."
        << 6 << 30 << CheckLevel::Warning;
    QTest::newRow("block in span") << oldPage << "element-not-allowed-in"
        << "<p> darf nicht in <span> stehen." << 11 << 12 << CheckLevel::Error;
    QTest::newRow("label for nothing") << oldPage << "label-for-wrong"
        << "for=\"nix\": ein Formularfeld mit dieser id gibt es nicht." << 12 << 8 << CheckLevel::Error;
    const QString late = u"<!DOCTYPE html><html lang=de><head><title>x</title><!-- "_s + QString(1100, u'x') + u" -->"_s;
    QTest::newRow("charset after 1024 bytes") << late + u"<meta charset=utf-8>"_s << "meta-charset-late"
        << "Die Angabe der Zeichenkodierung muss in den ersten 1024 Bytes stehen: setzen Sie <meta charset> an "
           "den Anfang von <head>." << 1 << int(late.size()) + 1 << CheckLevel::Error;
    QTest::newRow("column counts characters") << QStringLiteral("<!DOCTYPE html><html lang=de><title>😀é</title><p>ü<div></span>")
        << "end-tag-without-matching-open-element" << "</span> schließt nichts: es ist kein <span> offen."
        << 1 << 56 << CheckLevel::Error;
}

void PageConformanceTest::germanMessages()
{
    QFETCH(QString, page);
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(CheckLevel, level);
    const QList<CheckMessage> messages = checkPage(page);
    QStringList found;
    for (const CheckMessage &message : messages) {
        if (message.key == key && message.line == line) {
            QCOMPARE(ConformanceTexts::text(message.key, message.arguments), text);
            QCOMPARE(message.column, column);
            QCOMPARE(message.level, level);
            return;
        }
        found.append(describe(message));
    }
    QFAIL(qPrintable(QStringLiteral("no %1 on line %2 among:\n").arg(key).arg(line) + found.join(u'\n')));
}

void PageConformanceTest::correctHtmlGivesNoMessage_data()
{
    QTest::addColumn<QString>("body");
    QTest::newRow("unquoted charset") << QStringLiteral("<meta charset=utf-8><title>x</title><p>Text");
    QTest::newRow("body left out") << QStringLiteral("<title>x</title><p>Text</p>");
    QTest::newRow("</li> left out") << QStringLiteral("<title>x</title><ul><li>Eins<li>Zwei</ul>");
    QTest::newRow("</p>, </td>, </tr> left out")
        << QStringLiteral("<title>x</title><p>Eins<p>Zwei<table><tr><td>a<td>b<tr><td>c<td>d</table>");
    QTest::newRow("figure caption describes picture")
        << QStringLiteral("<title>x</title><figure><img src=a.png><figcaption>Der See</figcaption></figure>");
    QTest::newRow("dl with div groups")
        << QStringLiteral("<title>x</title><dl><div><dt>a<dd>b</div><div><dt>c<dd>d</div></dl>");
    QTest::newRow("label names its field")
        << QStringLiteral("<title>x</title><label for=n>Name</label><input id=n name=n><label>Ja <input type=checkbox></label>");
    QTest::newRow("custom element") << QStringLiteral("<title>x</title><mein-kasten farbe=rot><div>x</div></mein-kasten>");
    QTest::newRow("svg inside") << QStringLiteral("<title>x</title><p><svg viewBox=\"0 0 1 1\"><circle r=1 /></svg></p>");
}

void PageConformanceTest::correctHtmlGivesNoMessage()
{
    QFETCH(QString, body);
    const QList<CheckMessage> messages = checkPage(QStringLiteral("<!DOCTYPE html>\n<html lang=de>\n") + body);
    QStringList found;
    for (const CheckMessage &message : messages)
        found.append(describe(message));
    QVERIFY2(messages.isEmpty(), qPrintable(found.join(u'\n')));
}

void PageConformanceTest::buttonPages_data()
{
    using namespace Snippets;
    QTest::addColumn<QString>("page");
    QTest::addColumn<QStringList>("errors");   // every Fehler, by key
    QTest::addColumn<QStringList>("warnings"); // Warnungen that must be there

    const QString doctype = QStringLiteral("doctype-missing");
    QTest::newRow("skeleton") << skeleton({}) << QStringList{doctype} << QStringList{u"html-without-lang"_s};
    QTest::newRow("one-click tags")
        << skeleton({oneClick(paragraph), QStringLiteral("Text"), oneClick(lineBreak), oneClick(rule)})
        << QStringList{doctype} << QStringList{};
    QTest::newRow("picture, untouched picker")
        << skeleton({image(QStringLiteral("*.jpg;*.gif"))}) << QStringList{doctype, u"img-without-alt"_s} << QStringList{};
    QTest::newRow("alignment")
        << skeleton({QStringLiteral("<center>Mitte</center><left>Links</left><right>Rechts</right>")})
        << QStringList{doctype, u"not-html-element-left"_s, u"not-html-element-right"_s}
        << QStringList{u"obsolete-element-center"_s};
    QTest::newRow("font") << skeleton({fontTag(12, QStringLiteral("Courier New")), QStringLiteral("Hallo"), oneClick(fontEnd)})
        << QStringList{doctype} << QStringList{u"obsolete-element-font"_s, u"missing-attribute-value"_s};
    QTest::newRow("table from the dialogs")
        << skeleton({tableTag(QStringLiteral("<table border="), 0, QString(), QString()), oneClick(tableRowStart),
                     tableTag(QStringLiteral("<th border="), 1, QStringLiteral("50%"), QStringLiteral("20")),
                     QStringLiteral("Kopf"), oneClick(headerCellEnd),
                     tableTag(QStringLiteral("<td border="), 0, QString(), QString()), QStringLiteral("Zelle"),
                     oneClick(cellEnd), oneClick(tableRowEnd), oneClick(tableEnd)})
        << QStringList{doctype}
        << QStringList{u"obsolete-attribute-border-table"_s, u"obsolete-attribute-width"_s,
                       u"obsolete-attribute-height"_s, u"obsolete-attribute-border"_s,
                       u"unexpected-character-in-unquoted-attribute-value"_s};
    QTest::newRow("paragraph, then a table") << skeleton({oneClick(paragraph), QStringLiteral("Text"),
                                                          tableTag(QStringLiteral("<table border="), 1, QString(), QString()),
                                                          oneClick(tableRowStart), QStringLiteral("<td>x"), oneClick(cellEnd),
                                                          oneClick(tableRowEnd), oneClick(tableEnd)})
        << QStringList{doctype} << QStringList{u"table-in-p-quirks"_s};
    QTest::newRow("marquee") << skeleton({marquee(5, 5, QString()), marquee(-2, 0, QStringLiteral("<b>Neu</b>"))})
        << QStringList{doctype} << QStringList{u"obsolete-element-marquee"_s};
    QTest::newRow("background after the skeleton") << skeleton({background(QStringLiteral("stein.jpg"))})
        << QStringList{doctype} << QStringList{u"body-second-presentational"_s, u"obsolete-attribute-background"_s};
    QTest::newRow("text composer") << skeleton({textBlock(TextStyle::Normal, emphasis(true, QStringLiteral("fett")) + u" und "_s
                                                          + emphasis(false, QStringLiteral("kursiv")) + image(QStringLiteral("x.gif"))),
                                                textBlock(TextStyle::LargeHeading, QStringLiteral("Groß")),
                                                textBlock(TextStyle::SmallHeading, QString())})
        << QStringList{doctype, u"img-without-alt"_s}
        << QStringList{u"obsolete-element-tt"_s, u"heading-level-skip"_s, u"heading-empty"_s};
    QTest::newRow("links") << skeleton({textLink(QString(), QString()), textLink(QStringLiteral("seite.html"), QStringLiteral("Weiter")),
                                         pictureLink(QStringLiteral("index.html"), QStringLiteral("knopf.gif"))})
        << QStringList{doctype, u"img-without-alt"_s} << QStringList{};
}

void PageConformanceTest::buttonPages()
{
    QFETCH(QString, page);
    QFETCH(QStringList, errors);
    QFETCH(QStringList, warnings);
    const QList<CheckMessage> messages = checkPage(page);
    QStringList foundErrors;
    QStringList foundWarnings;
    for (const CheckMessage &message : messages) {
        if (message.level == CheckLevel::Error)
            foundErrors.append(message.key);
        else if (message.level == CheckLevel::Warning)
            foundWarnings.append(message.key);
    }
    foundErrors.removeDuplicates();
    foundErrors.sort();
    errors.sort();
    QCOMPARE(foundErrors, errors);
    for (const QString &warning : std::as_const(warnings))
        QVERIFY2(foundWarnings.contains(warning), qPrintable(warning + u" missing among "_s + foundWarnings.join(u", ")));
}

void PageConformanceTest::messagesAreSortedByPlace()
{
    const QList<CheckMessage> messages = checkPage(oldPage);
    QVERIFY(messages.size() > 5);
    for (qsizetype i = 1; i < messages.size(); ++i) {
        const CheckMessage &a = messages[i - 1];
        const CheckMessage &b = messages[i];
        QVERIFY(a.line < b.line || (a.line == b.line && a.column <= b.column));
    }
}

void PageConformanceTest::deepAndLargePagesTakeLinearTime()
{
    // 100,000 nested elements: no recursion to overflow.
    const QString deep = QStringLiteral("<!DOCTYPE html><title>x</title>") + QStringLiteral("<div>").repeated(100000)
        + QStringLiteral("<span><p>x");
    const QList<CheckMessage> deepMessages = checkPage(deep);
    QVERIFY(!deepMessages.isEmpty());

    // Eight times the page takes about eight times as long, not sixty-four: the best of three
    // runs each, as the machine may be busy with other work.
    const QString block = QStringLiteral("<tr><td><a href=\"a.html\">Eintrag</a><td><img src=b.gif><td><b>x<i>y</b></i>\n");
    auto pageOf = [&](int rows) {
        return QStringLiteral("<!DOCTYPE html><html lang=de><title>x</title><table>") + block.repeated(rows)
            + QStringLiteral("</table>");
    };
    auto bestTimeOf = [](const QString &page) {
        qint64 best = std::numeric_limits<qint64>::max();
        for (int run = 0; run < 3; ++run) {
            QElapsedTimer timer;
            timer.start();
            const qsizetype count = checkPage(page).size();
            Q_UNUSED(count);
            best = std::min(best, timer.elapsed());
        }
        return std::max<qint64>(best, 1);
    };
    const qint64 smallTime = bestTimeOf(pageOf(1000));
    const qint64 largeTime = bestTimeOf(pageOf(8000));
    QVERIFY2(largeTime < 24 * smallTime + 100,
             qPrintable(QStringLiteral("%1 ms for 8 times the page of %2 ms").arg(largeTime).arg(smallTime)));
}

QTEST_GUILESS_MAIN(PageConformanceTest)
#include "tst_page_conformance.moc"
