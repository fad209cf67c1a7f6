#include "html/check_protocol.h"
#include "html/check_texts.h"

#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(CheckMessage)

class TestCheckProtocol : public QObject
{
    Q_OBJECT

private slots:
    void messagesCrossUnchanged()
    {
        const QList<CheckMessage> sent = {
            {u"MISSING_ATTRIBUTE"_s, 4, 1, 5, CheckLevel::Warning, {u"<img>"_s, u"alt"_s}},
            // Values from the page may hold what the protocol uses itself.
            {u"BAD_ATTRIBUTE_VALUE"_s, 7, 12, 0, CheckLevel::Error,
             {u"<td>"_s, u"x"_s, u"a\tb\nc\r\\t ä😀"_s, QString()}},
            {u"MISSING_DOCTYPE"_s, 0, 0, 0, CheckLevel::Hint, {}},
        };
        QByteArray answer;
        for (const CheckMessage &message : sent)
            answer += encodeCheckMessage(message);
        answer += encodeCheckEnd(sent.size());
        QCOMPARE(answer.count('\n'), 4);
        const std::optional<QList<CheckMessage>> received = decodeCheckAnswer(answer);
        QVERIFY(received);
        QCOMPARE(*received, sent);
    }

    void cutOrGarbledAnswersAreRefused_data()
    {
        QTest::addColumn<QByteArray>("answer");
        const QByteArray message = "M\tUNKNOWN_ELEMENT\t5\t1\tE\t7\t<tabel>\n";
        QTest::newRow("empty (crashed before writing)") << QByteArray();
        QTest::newRow("no end line") << message;
        QTest::newRow("cut in a line") << message + "M\tX\t1";
        QTest::newRow("count wrong") << message + "END\t2\n";
        QTest::newRow("bad escape") << QByteArray("M\tK\t1\t1\tE\t1\tt\\x\nEND\t1\n");
    }

    void cutOrGarbledAnswersAreRefused()
    {
        QFETCH(QByteArray, answer);
        QVERIFY(!decodeCheckAnswer(answer));
    }

    void columnsCountCharacters_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("offset");
        QTest::newRow("first") << u"<p>"_s << 1 << 0;
        QTest::newRow("tab counts once") << u"\t\t<b>"_s << 3 << 2;
        QTest::newRow("after an emoji") << u"😀<b>"_s << 2 << 2;
        QTest::newRow("beyond the end") << u"ab"_s << 40 << 2;
    }

    void columnsCountCharacters()
    {
        QFETCH(QString, line);
        QFETCH(int, column);
        QFETCH(int, offset);
        QCOMPARE(offsetOfColumn(line, column), qsizetype(offset));
    }

    void summary_data()
    {
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<QString>("text");
        QTest::newRow("one each") << QList<int>{1, 1, 1} << u"1 Fehler, 1 Warnung, 1 Hinweis"_s;
        QTest::newRow("hints only") << QList<int>{0, 0, 3} << u"0 Fehler, 0 Warnungen, 3 Hinweise"_s;
    }

    void summary()
    {
        QFETCH(QList<int>, counts);
        QFETCH(QString, text);
        QCOMPARE(CheckTexts::summary(counts[0], counts[1], counts[2]), text);
    }

    void argumentsAreFilledInOnce()
    {
        const CheckMessage message{u"element-not-closed"_s, 1, 1, 0, CheckLevel::Error,
                                   {u"%1"_s}};
        QCOMPARE(CheckTexts::text(message), u"<%1> wird nicht geschlossen: es fehlt </%1>."_s);
        const CheckMessage unknown{u"NEW_IN_TIDY_6"_s, 1, 1, 0, CheckLevel::Hint, {}};
        QCOMPARE(CheckTexts::text(unknown), u"NEW_IN_TIDY_6"_s);
    }
};

QTEST_GUILESS_MAIN(TestCheckProtocol)
#include "tst_check_protocol.moc"
