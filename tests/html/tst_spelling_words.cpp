#include "html/spelling_words.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestSpellingWords : public QObject
{
    Q_OBJECT

private slots:
    void checkedWords_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("state");
        // "text start-end", '*' when it stood with references, '.' when a full stop follows.
        QTest::addColumn<QStringList>("words");

        const int text = HtmlState::Text;
        QTest::newRow("text between tags") << u"<p class=\"x\">Ein Tset</p>"_s << text
                                           << QStringList{u"Ein 13-16"_s, u"Tset 17-21"_s};
        QTest::newRow("references are letters") << u"Gr&uuml;&szlig;e!"_s << text
                                                << QStringList{u"Grüße 0-16*"_s};
        QTest::newRow("numeric references") << u"M&#252;ll &#xFC;ber"_s << text
                                            << QStringList{u"Müll 0-9*"_s, u"über 10-19*"_s};
        QTest::newRow("nbsp separates") << u"Hallo&nbsp;Welt"_s << text
                                        << QStringList{u"Hallo 0-5"_s, u"Welt 11-15"_s};
        QTest::newRow("soft hyphen joins") << u"Sil&shy;be"_s << text << QStringList{u"Silbe 0-10"_s};
        QTest::newRow("unknown reference") << u"Wo&xyz;rt gut"_s << text << QStringList{u"gut 10-13"_s};
        QTest::newRow("alt and title, not other values")
            << u"<img src=\"bild.jpg\" class=\"Rot\" alt=\"Ein Bild\" TITLE='sch&ouml;n'>"_s << text
            << QStringList{u"Ein 37-40"_s, u"Bild 41-45"_s, u"schön 54-64*"_s};
        QTest::newRow("unquoted alt") << u"<img alt=Bild>"_s << text << QStringList{u"Bild 9-13"_s};
        QTest::newRow("comment") << u"<!-- Fehlr --> Wort"_s << text << QStringList{u"Wort 15-19"_s};
        QTest::newRow("comment from the line before")
            << u"noch Kommentar --> Wort"_s << int(HtmlState::Comment) << QStringList{u"Wort 19-23"_s};
        QTest::newRow("script and style")
            << u"<script>var abc;</script><STYLE>p{}</STYLE>Wort"_s << text << QStringList{u"Wort 43-47"_s};
        QTest::newRow("neighbouring tags") << u"</p><script>Fehlr</script>"_s << text << QStringList{};
        QTest::newRow("script content from the line before")
            << u"abc = 1; </script> Ende"_s << int(HtmlState::Text | HtmlState::Script)
            << QStringList{u"Ende 19-23"_s};
        QTest::newRow("script start tag from the line before")
            << u"type=\"x\">abc"_s << int(HtmlState::InTag | HtmlState::Script) << QStringList{};
        QTest::newRow("self-closed script") << u"<script/>Wort"_s << text << QStringList{u"Wort 9-13"_s};
        QTest::newRow("addresses") << u"siehe www.beispiel.de, http://x.de/abc oder ab@cd.de index.html"_s
                                   << text
                                   << QStringList{u"siehe 0-5"_s, u"oder 39-43"_s};
        QTest::newRow("markup shown as text") << u"Das &lt;br&gt; und &lt;td border=0&gt;"_s
                                              << text << QStringList{u"Das 0-3"_s, u"und 15-18"_s};
        QTest::newRow("digits, capitals, single letters") << u"MP3 h1 HTML a ist"_s << text
                                                          << QStringList{u"ist 14-17"_s};
        QTest::newRow("compounds and full stops") << u"E-Mail-Adresse, bzw. -Haus-"_s << text
                                                  << QStringList{u"E-Mail-Adresse 0-14"_s,
                                                                 u"bzw 16-19."_s, u"Haus 22-26"_s};
    }

    void checkedWords()
    {
        QFETCH(QString, line);
        QFETCH(int, state);
        QFETCH(QStringList, words);
        QStringList found;
        for (const SpellingWord &word : spellingWords(line, state))
            found.append(u"%1 %2-%3"_s.arg(word.text).arg(word.start).arg(word.end)
                         + (word.writtenWithReferences ? u"*"_s : QString())
                         + (word.fullStopAfter ? u"."_s : QString()));
        QCOMPARE(found, words);
    }

    void writesLettersBeyondAsciiAsReferences()
    {
        QCOMPARE(withCharacterReferences(u"Grüße Œ"), u"Gr&uuml;&szlig;e &#338;"_s);
    }
};

QTEST_MAIN(TestSpellingWords)
#include "tst_spelling_words.moc"
