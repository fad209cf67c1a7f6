#include "elements/snippets.h"
#include "html/check_texts.h"
#include "html/page_check.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct Outcome
{
    QList<CheckMessage> messages;
    QString failure;
    bool failed = false;
};

Outcome checked(PageCheck &check, const QByteArray &page)
{
    QSignalSpy finished(&check, &PageCheck::finished);
    QSignalSpy failed(&check, &PageCheck::failed);
    check.start(page);
    Outcome outcome;
    if (!QTest::qWaitFor([&] { return !finished.isEmpty() || !failed.isEmpty(); }, 30000))
        return outcome;
    outcome.failed = !failed.isEmpty();
    if (outcome.failed)
        outcome.failure = failed.first().first().toString();
    else
        outcome.messages = finished.first().first().value<QList<CheckMessage>>();
    return outcome;
}

// A row as the check window shows it.
QString row(const CheckMessage &message)
{
    return u"%1:%2 %3: %4"_s.arg(message.line).arg(message.column)
        .arg(CheckTexts::levelName(message.level), CheckTexts::text(message));
}

const QByteArray pageStart = "<!DOCTYPE html>\n<html><head><title>t</title></head><body>\n";

} // namespace

class TestPageCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!PageCheck::helperProgram().isEmpty(), "the check helper is not built");
    }

    void brokenPagesThroughTheHelper_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QString>("expected");
        QTest::newRow("forgotten </b>")
            << pageStart + "<p>Ein <b>fett</p>\n</body></html>"
            << u"3:15 Fehler: Hier wird <b> stillschweigend mitgeschlossen"_s;
        QTest::newRow("<img> without alt") << pageStart + "<p><img src=\"a.png\"></p></body></html>"
                                           << u"3:4 Fehler: <img> braucht einen Ersatztext"_s;
        QTest::newRow("misspelt <tabel>") << pageStart + "<tabel></tabel></body></html>"
                                          << u"3:1 Fehler: <tabel> ist kein HTML-Element"_s;
        // Columns count characters: a tab and a character outside the basic plane are one each.
        QTest::newRow("column after tab and emoji")
            << pageStart + "\t\xf0\x9f\x98\x80<tabel></body></html>"
            << u"3:3 Fehler: <tabel> ist kein HTML-Element"_s;
    }

    void brokenPagesThroughTheHelper()
    {
        QFETCH(QByteArray, page);
        QFETCH(QString, expected);
        PageCheck check;
        const Outcome outcome = checked(check, page);
        QVERIFY2(!outcome.failed, qPrintable(outcome.failure));
        QStringList rows;
        for (const CheckMessage &message : outcome.messages)
            rows.append(row(message));
        const bool found = std::any_of(rows.cbegin(), rows.cend(), [&](const QString &row) {
            return row.startsWith(expected);
        });
        QVERIFY2(found, qPrintable(rows.join(u'\n')));
        for (qsizetype i = 1; i < outcome.messages.size(); ++i) {
            const CheckMessage &a = outcome.messages[i - 1], &b = outcome.messages[i];
            QVERIFY(a.line < b.line || (a.line == b.line && a.column <= b.column));
        }
    }

    // The helper reads the page as the editor hands it over, whatever its <meta charset> says:
    // its umlauts are letters, and only the declaration itself is judged (today's pages are UTF-8).
    void declaredEncodingIsJudgedAlone()
    {
        PageCheck check;
        const Outcome outcome = checked(check, "<!DOCTYPE html>\n<html lang=\"de\"><head><meta charset="
                                               "\"windows-1252\"><title>\xc3\xa4</title></head>"
                                               "<body><p>Gr\xc3\xbc\xc3\x9f\x65</p></body></html>");
        QVERIFY(!outcome.failed);
        QCOMPARE(outcome.messages.size(), 1);
        const CheckMessage &charset = outcome.messages.first();
        QCOMPARE(QList<int>({charset.line, charset.column}), QList<int>({2, 38})); // the value
        QVERIFY2(CheckTexts::text(charset).contains(u"windows-1252"_s), qPrintable(row(charset)));
    }

    // The snippets come from an older HTML: the check warns about their old presentational
    // markup and calls wrong only what the standard and every browser do (no doctype, no alt
    // text, <left> and <right>, which never were HTML).
    void snippetPageErrsOnlyWhereBrowsersDo()
    {
        QString page;
        for (const QString &piece : Snippets::pageStart(u"Meine Seite"_s))
            page += piece;
        page += Snippets::background(u"wand.jpg"_s) + u"<left>\r<right>\r</right>\r</left>\r<center>\r"_s
            + Snippets::fontTag(12, u"Arial"_s) + u"Hallo</font>\r"_s
            + Snippets::marquee(5, 10, u"Lauftext"_s) + u"</center>\r"_s
            + Snippets::tableTag(u"<table border="_s, 1, u"100"_s, u"50"_s)
            + QString::fromUtf16(Snippets::tableRowStart)
            + Snippets::tableTag(u"<td border="_s, 1, u"10"_s, u"10"_s) + u"a"_s
            + QString::fromUtf16(Snippets::cellEnd)
            + Snippets::tableTag(u"<th border="_s, 2, u"1"_s, u"1"_s) + u"b"_s
            + QString::fromUtf16(Snippets::headerCellEnd)
            + QString::fromUtf16(Snippets::tableRowEnd) + QString::fromUtf16(Snippets::tableEnd)
            + u"<table bgcolor=\"#ff0000\"><tr><td bgcolor=red>c</td></tr></table>"_s
            + Snippets::textBlock(Snippets::TextStyle::Normal, u"Text"_s)
            + Snippets::emphasis(true, u"fett"_s) + Snippets::image(u"bild.gif"_s)
            + Snippets::pictureLink(u"a.html"_s, u"b.gif"_s) + QString::fromUtf16(Snippets::rule);
        for (const QString &piece : Snippets::pageEnd())
            page += piece;
        page.replace(u'\r', u'\n');
        PageCheck check;
        const Outcome outcome = checked(check, page.toUtf8());
        QVERIFY2(!outcome.failed, qPrintable(outcome.failure));
        const QStringList wrong = {u"doctype-missing"_s, u"img-without-alt"_s,
                                   u"not-html-element-left"_s, u"not-html-element-right"_s};
        QSet<QString> errors;
        int warnings = 0;
        for (const CheckMessage &message : outcome.messages) {
            if (message.level == CheckLevel::Error)
                errors.insert(message.key);
            warnings += message.level == CheckLevel::Warning;
            QVERIFY2(message.level != CheckLevel::Error || wrong.contains(message.key),
                     qPrintable(row(message)));
        }
        QCOMPARE(errors.size(), wrong.size());
        QVERIFY(warnings >= 3); // <center>, <font>, <marquee>, bgcolor ...
    }

    void helperThatFailsGivesFailure_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("crash") << u"/bin/sh"_s << QStringList{u"-c"_s, u"kill -SEGV $$"_s};
        QTest::newRow("hang") << u"/bin/sleep"_s << QStringList{u"30"_s};
        QTest::newRow("nonsense") << u"/bin/echo"_s << QStringList{u"hallo"_s};
        QTest::newRow("missing") << u"/nonexistent/tagschmied-check"_s << QStringList();
    }

    void helperThatFailsGivesFailure()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        PageCheck check;
        check.setHelper(program, arguments);
        check.setTimeLimit(500);
        QElapsedTimer clock;
        clock.start();
        const Outcome outcome = checked(check, pageStart);
        QVERIFY(outcome.failed);
        QVERIFY(clock.elapsed() < 10000);
        QVERIFY(!check.isRunning());
        // The next check runs again.
        check.setHelper(PageCheck::helperProgram());
        QVERIFY(!checked(check, pageStart).failed);
    }
};

QTEST_GUILESS_MAIN(TestPageCheck)
#include "tst_page_check.moc"
