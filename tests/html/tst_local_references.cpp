#include "html/conformance/conformance_texts.h"
#include "html/conformance/local_references.h"
#include "html/conformance/page_conformance.h"
#include "html/parser/html_tree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Each finding as "key arguments... @ the text it stands on".
QStringList described(const QList<Finding> &findings, const QString &page)
{
    QStringList lines;
    for (const Finding &finding : findings) {
        lines.append(QStringList{finding.key, finding.arguments.join(u" | "_s)}.join(u' ')
                     + u" @ "_s + page.mid(finding.span.offset, finding.span.length));
    }
    return lines;
}

} // namespace

class TestLocalReferences : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_site;

private slots:
    void initTestCase()
    {
        const QDir site(m_site.path());
        for (const QString &file : {u"index.html"_s, u"bilder/Garten.jpg"_s, u"bilder/Garten neu.jpg"_s,
                                    u"Seiten/kontakt.html"_s, u"stil.css"_s}) {
            site.mkpath(QFileInfo(site.filePath(file)).path());
            QFile(site.filePath(file)).open(QIODevice::WriteOnly);
        }
    }

    void findsWhatLeadsNowhere_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("expected");
        const auto none = QStringList();
        const auto missing = [](const QString &path, const QString &at) {
            return u"reference-file-missing %1 @ %2"_s.arg(path, at);
        };
        QTest::newRow("there as written")
            << u"<a href=\"index.html\">x</a><img src=\"bilder/Garten.jpg\"><link href=stil.css rel=stylesheet>"
               "<a href=\"./Seiten/../index.html?seite=2#oben\">x</a><img src=\"bilder\\Garten.jpg\">"_s
            << none;
        QTest::newRow("a missing picture") << u"<p><img src=\"bilder/rosen.jpg\" alt=\"\">"_s
                                           << QStringList{missing(u"bilder/rosen.jpg"_s, u"bilder/rosen.jpg"_s)};
        QTest::newRow("another case") << u"<img src=\"bilder/garten.jpg\">"_s
                                      << QStringList{u"reference-file-case bilder/garten.jpg | Garten.jpg @ bilder/garten.jpg"_s};
        QTest::newRow("a folder in another case")
            << u"<a href=\"seiten/kontakt.html\">x</a>"_s
            << QStringList{u"reference-file-case seiten/kontakt.html | Seiten/kontakt.html @ seiten/kontakt.html"_s};
        QTest::newRow("percent-encoded, there") << u"<img src=\"bilder/Garten%20neu.jpg\">"_s << none;
        QTest::newRow("not looked up")
            << u"<a href=\"http://example.org/x.html\">x</a><a href=\"mailto:a@b.de\">x</a>"
               "<a href=\"//example.org/x\">x</a><a href=\"/x.html\">x</a><img src=\"data:image/png;base64,AA\">"
               "<a href=\"javascript:void(0)\">x</a><a href=\"?seite=2\">x</a><a href=\"\">x</a>"_s
            << none;
        QTest::newRow("a missing #id")
            << u"<a href=\"#unten\">x</a><a href=\"#oben\">x</a><a href=\"#top\">x</a><a href=\"#\">x</a>"
               "<h2 id=\"oben\">x</h2>"_s
            << QStringList{u"reference-id-missing unten @ #unten"_s};
        QTest::newRow("an old <a name>") << u"<a href=\"#unten\">x</a><a name=\"unten\"></a>"_s << none;
        QTest::newRow("srcset, style, poster, data, action, background")
            << u"<body background=\"himmel.gif\"><img srcset=\"bilder/Garten.jpg 1x, bilder/klein.jpg 2x\">"
               "<div style=\"color: red; background: URL( 'wolke.png' )\"></div>"
               "<video poster=\"film.jpg\"></video><object data=\"film.swf\"></object>"
               "<form action=\"senden.php\"></form>"_s
            << QStringList{missing(u"himmel.gif"_s, u"himmel.gif"_s),
                           missing(u"bilder/klein.jpg"_s, u"bilder/klein.jpg"_s),
                           missing(u"wolke.png"_s, u"URL( 'wolke.png' )"_s),
                           missing(u"film.jpg"_s, u"film.jpg"_s), missing(u"film.swf"_s, u"film.swf"_s),
                           missing(u"senden.php"_s, u"senden.php"_s)};
        QTest::newRow("a value with references: all of it")
            << u"<a href=\"neu.php?a=1&amp;b=2\">x</a>"_s
            << QStringList{missing(u"neu.php"_s, u"neu.php?a=1&amp;b=2"_s)};
        QTest::newRow("a <base> elsewhere") << u"<base href=\"http://example.org/\"><img src=\"x.jpg\">"_s << none;
        QTest::newRow("a <base> into a folder") << u"<base href=\"bilder/\"><img src=\"Garten.jpg\">"_s << none;
    }

    void findsWhatLeadsNowhere()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, expected);
        QCOMPARE(described(checkLocalReferences(parseHtml(page), m_site.path()), page), expected);
    }

    // The page check reports them in German, where they stand, when told the page's folder.
    void thePageCheckSaysSo()
    {
        const QString page = u"<!DOCTYPE html>\n<title>t</title>\n<p><img src=\"bilder/garten.jpg\" alt=\"\">"
                             "<img src=\"bilder/rosen.jpg\" alt=\"\"><a href=\"#mitte\">x</a>"_s;
        QStringList found;
        for (const CheckMessage &message : checkPage(page, {m_site.path()})) {
            if (message.key.startsWith(u"reference-"))
                found.append(u"%1:%2+%3 %4"_s.arg(message.line).arg(message.column).arg(message.length)
                                 .arg(ConformanceTexts::text(message.key, message.arguments)));
        }
        QCOMPARE(found, (QStringList{
            u"3:14+17 bilder/garten.jpg heißt auf der Platte Garten.jpg; Webserver unterscheiden "
            "Groß- und Kleinschreibung."_s,
            u"3:50+16 Datei nicht gefunden: bilder/rosen.jpg"_s,
            u"3:84+6 Kein Element dieser Seite hat id=\"mitte\": der Link auf #mitte führt ins Leere."_s}));
        QVERIFY(checkPage(page).size() < checkPage(page, {m_site.path()}).size());
    }

    // Without a folder no file is looked up; the page's own #names still are.
    void withoutAFolder()
    {
        const QString page = u"<img src=\"fehlt.jpg\"><a href=\"#fehlt\">x</a>"_s;
        QCOMPARE(described(checkLocalReferences(parseHtml(page), QString()), page),
                 QStringList{u"reference-id-missing fehlt @ #fehlt"_s});
    }
};

QTEST_GUILESS_MAIN(TestLocalReferences)
#include "tst_local_references.moc"
