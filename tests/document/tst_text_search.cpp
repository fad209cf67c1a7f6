#include "document/text_search.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// The plain way, character by character, to hold the fast search against.
bool matchesAt(const QString &text, qsizetype at, const QString &needle, Qt::CaseSensitivity cs)
{
    return QStringView(text).sliced(at, needle.size()).compare(needle, cs) == 0;
}

} // namespace

class TestTextSearch : public QObject
{
    Q_OBJECT

private slots:
    void findsAsAGermanReaderExpects_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<qsizetype>("first");
        QTest::newRow("ä finds Ä") << u"GRÜN ÄPFEL"_s << u"äpfel"_s << false << qsizetype(5);
        QTest::newRow("Ä finds ä") << u"grüne äpfel"_s << u"Ä"_s << false << qsizetype(6);
        QTest::newRow("ß stays ß") << u"Strasse Straße"_s << u"straße"_s << false << qsizetype(8);
        QTest::newRow("ß never ss") << u"STRASSE"_s << u"straße"_s << false << qsizetype(-1);
        QTest::newRow("capital ẞ") << u"GROẞ"_s << u"groß"_s << false << qsizetype(0);
        QTest::newRow("case counts") << u"Äpfel äpfel"_s << u"äpfel"_s << true << qsizetype(6);
        QTest::newRow("case counts, none") << u"ÄPFEL"_s << u"äpfel"_s << true << qsizetype(-1);
        QTest::newRow("across a line") << u"ab\u2029cd"_s << u"bc"_s << false << qsizetype(-1);
        QTest::newRow("empty needle") << u"abc"_s << QString() << false << qsizetype(-1);
        QTest::newRow("longer than text") << u"ab"_s << u"abc"_s << false << qsizetype(-1);
    }
    void findsAsAGermanReaderExpects()
    {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(bool, matchCase);
        QFETCH(qsizetype, first);
        const TextSearch search(needle, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
        QCOMPARE(search.indexIn(text), first);
        QCOMPARE(search.lastIndexIn(text, text.size()) >= 0, first >= 0);
    }

    // Random texts over a few letters, so shifts, partial matches and folding all meet.
    void agreesWithThePlainWay()
    {
        QRandomGenerator random(815);
        const QString letters = u"aAäÄbßẞ\u2029"_s;
        for (int round = 0; round < 300; ++round) {
            QString text, needle;
            for (int i = random.bounded(60); i > 0; --i)
                text += letters[random.bounded(int(letters.size()))];
            for (int i = 1 + random.bounded(4); i > 0; --i)
                needle += letters[random.bounded(int(letters.size()))];
            for (auto cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
                const TextSearch search(needle, cs);
                for (qsizetype from = 0; from <= text.size(); ++from) {
                    qsizetype forward = -1, backward = -1;
                    const qsizetype lastStart = text.size() - needle.size();
                    for (qsizetype at = from; forward < 0 && at <= lastStart; ++at)
                        forward = matchesAt(text, at, needle, cs) ? at : -1;
                    for (qsizetype at = from - needle.size(); backward < 0 && at >= 0; --at)
                        backward = matchesAt(text, at, needle, cs) ? at : -1;
                    QCOMPARE(search.indexIn(text, from), forward);
                    QCOMPARE(search.lastIndexIn(text, from), backward);
                }
            }
        }
    }
};

QTEST_MAIN(TestTextSearch)
#include "tst_text_search.moc"
