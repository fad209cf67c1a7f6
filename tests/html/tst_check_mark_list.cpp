#include "html/check_mark_list.h"
#include "html/check_texts.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

CheckMessage message(int line, int column, int length, CheckLevel level = CheckLevel::Error,
                     const QString &key = u"UNKNOWN_ELEMENT"_s)
{
    return {key, line, column, length, level, {u"<x>"_s}};
}

// What each mark lies under, "" for an empty one.
QStringList marked(const CheckMarkList &list, const QString &text)
{
    QStringList texts;
    for (const CheckMark &mark : list.marks())
        texts.append(text.mid(mark.start, mark.end - mark.start));
    return texts;
}

} // namespace

class TestCheckMarkList : public QObject
{
    Q_OBJECT

private slots:
    void marksWhatTheMessageIsAbout_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<CheckMessage>("message");
        QTest::addColumn<QStringList>("expected");
        const QString page = u"<p>\n\t<tabel class=x>Text</tabel>\n\nEnde"_s;
        QTest::newRow("a tag, no length") << page << message(2, 2, 0) << QStringList{u"<tabel class=x>"_s};
        QTest::newRow("a character, no length") << page << message(2, 17, 0) << QStringList{u"T"_s};
        QTest::newRow("a length") << page << message(2, 9, 7) << QStringList{u"class=x"_s};
        QTest::newRow("a length over a line break")
            << page << message(1, 3, 4) << QStringList{u">\n\t<"_s};
        QTest::newRow("beyond the line's end: its last character")
            << page << message(2, 40, 0) << QStringList{u">"_s};
        QTest::newRow("an empty line: empty, for the sign") << page << message(3, 1, 0) << QStringList{u""_s};
        QTest::newRow("a warning") << page << message(4, 1, 4, CheckLevel::Warning) << QStringList{u"Ende"_s};
        QTest::newRow("a hint: no mark") << page << message(2, 2, 0, CheckLevel::Hint) << QStringList();
        QTest::newRow("no place: no mark") << page << message(0, 0, 0) << QStringList();
        QTest::newRow("a line past the end: no mark") << page << message(9, 1, 1) << QStringList();
        QTest::newRow("a length past the end: up to it") << page << message(4, 3, 50) << QStringList{u"de"_s};
        // Columns and lengths count a character outside the basic plane once.
        QTest::newRow("after and over an emoji")
            << u"a\U0001F600b\U0001F600c"_s << message(1, 3, 2) << QStringList{u"b\U0001F600"_s};
        QTest::newRow("an emoji, no length")
            << u"a\U0001F600b"_s << message(1, 2, 0) << QStringList{u"\U0001F600"_s};
        QTest::newRow("the editor's line breaks")
            << u"<p>\u2029<b>x"_s << message(2, 1, 0) << QStringList{u"<b>"_s};
    }

    void marksWhatTheMessageIsAbout()
    {
        QFETCH(QString, text);
        QFETCH(CheckMessage, message);
        QFETCH(QStringList, expected);
        CheckMarkList list;
        list.setMessages(text, {message});
        QCOMPARE(marked(list, text), expected);
    }

    // Edits move the marks as a caret moves; a mark whose text is deleted goes.
    void marksFollowTheText_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QStringList>("expected");
        // Marks: "<tabel>" and "<b>".
        QTest::newRow("a line inserted above") << 0 << u""_s << u"neu\n"_s
                                               << QStringList{u"<tabel>"_s, u"<b>"_s};
        QTest::newRow("typed at a mark's start") << 4 << u""_s << u"xy"_s
                                                 << QStringList{u"<tabel>"_s, u"<b>"_s};
        QTest::newRow("typed at a mark's end") << 11 << u""_s << u"xy"_s
                                               << QStringList{u"<tabel>"_s, u"<b>"_s};
        QTest::newRow("typed inside a mark") << 6 << u""_s << u"xy"_s
                                             << QStringList{u"<txyabel>"_s, u"<b>"_s};
        QTest::newRow("part of a mark deleted") << 3 << u"\n<ta"_s << u""_s
                                                << QStringList{u"bel>"_s, u"<b>"_s};
        QTest::newRow("a whole mark deleted") << 3 << u"\n<tabel>"_s << u""_s << QStringList{u"<b>"_s};
        QTest::newRow("a whole mark replaced") << 4 << u"<tabel>"_s << u"<table>"_s
                                               << QStringList{u"<b>"_s};
    }

    void marksFollowTheText()
    {
        QFETCH(int, from);
        QFETCH(QString, removed);
        QFETCH(QString, added);
        QFETCH(QStringList, expected);
        QString text = u"<p>\n<tabel>x <b>"_s;
        CheckMarkList list;
        list.setMessages(text, {message(2, 1, 0), message(2, 10, 0, CheckLevel::Warning)});
        QCOMPARE(text.mid(from, removed.size()), removed);
        text.replace(from, removed.size(), added);
        list.follow(from, removed.size(), added.size());
        QCOMPARE(marked(list, text), expected);
    }

    void aLinesMarksAndTheirTip()
    {
        const QString text = u"<tabel><img src=a>\nx"_s;
        CheckMarkList list;
        const CheckMessage unknown = message(1, 1, 0);
        const CheckMessage noAlt{u"MISSING_ATTRIBUTE"_s, 1, 8, 0, CheckLevel::Warning, {u"<img>"_s, u"alt"_s}};
        // The same message twice at one place shows once.
        list.setMessages(text, {unknown, noAlt, noAlt, message(2, 1, 1, CheckLevel::Hint)});
        const QList<CheckMark> line = list.marksStartingIn(0, 19);
        QCOMPARE(line.size(), 3);
        QCOMPARE(list.gravestStartingIn(0, 19), CheckLevel::Error);
        QCOMPARE(list.gravestStartingIn(7, 19), CheckLevel::Warning);
        QCOMPARE(list.gravestStartingIn(19, 21), std::nullopt);
        const QString unknownTip = u"Fehler: "_s + CheckTexts::text(unknown);
        const QString noAltTip = u"Warnung: "_s + CheckTexts::text(noAlt);
        QCOMPARE(list.tip(line), unknownTip + u'\n' + noAltTip);
        QCOMPARE(list.tip(list.marksAt(9)), noAltTip);
        QCOMPARE(list.marksAt(18), QList<CheckMark>());
        QCOMPARE(list.marksOver(5, 8).size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestCheckMarkList)
#include "tst_check_mark_list.moc"
