#include "elements/spin_reading.h"

#include <QtTest>

#include <limits>

using namespace Qt::StringLiterals;

namespace {
constexpr qint32 int32Min = std::numeric_limits<qint32>::min();
constexpr qint32 int32Max = std::numeric_limits<qint32>::max();
} // namespace

class TestSpinReading : public QObject
{
    Q_OBJECT

private slots:
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<qint32>("value");
        QTest::newRow("empty") << QString() << false << 0;
        QTest::newRow("blanks only") << u"  "_s << false << 0;
        QTest::newRow("leading blank") << u" 12"_s << true << 12;
        QTest::newRow("trailing blank") << u"12 "_s << false << 0;
        QTest::newRow("leading tab") << u"\t12"_s << false << 0;
        QTest::newRow("plus") << u"+7"_s << true << 7;
        QTest::newRow("minus") << u"-3"_s << true << -3;
        QTest::newRow("minus zero") << u"-0"_s << true << 0;
        QTest::newRow("leading zeros") << u"0012"_s << true << 12;
        QTest::newRow("sign only") << u"-"_s << false << 0;
        QTest::newRow("two signs") << u"+-3"_s << false << 0;
        QTest::newRow("blank after sign") << u"- 3"_s << false << 0;
        QTest::newRow("decimal comma") << u"1,5"_s << false << 0;
        QTest::newRow("decimal point") << u"1.5"_s << false << 0;
        QTest::newRow("letters") << u"abc"_s << false << 0;
        QTest::newRow("digits then letter") << u"12a"_s << false << 0;
        QTest::newRow("largest") << u"2147483647"_s << true << int32Max;
        QTest::newRow("one too large") << u"2147483648"_s << false << 0;
        QTest::newRow("smallest") << u"-2147483648"_s << true << int32Min;
        QTest::newRow("one too small") << u"-2147483649"_s << false << 0;
        QTest::newRow("very long") << u"99999999999999999999999"_s << false << 0;
        QTest::newRow("dollar hex") << u"$FF"_s << true << 255;
        QTest::newRow("x hex lower") << u"xff"_s << true << 255;
        QTest::newRow("X hex") << u"X1a"_s << true << 26;
        QTest::newRow("0x hex") << u"0x10"_s << true << 16;
        QTest::newRow("0X largest") << u"0X7FFFFFFF"_s << true << int32Max;
        QTest::newRow("eight F") << u"$FFFFFFFF"_s << true << -1;
        QTest::newRow("hex sign bit") << u"$80000000"_s << true << int32Min;
        QTest::newRow("hex leading zeros") << u"$000000001"_s << true << 1;
        QTest::newRow("nine hex digits") << u"$100000000"_s << false << 0;
        QTest::newRow("hex after blanks") << u"  $a"_s << true << 10;
        QTest::newRow("prefix only") << u"$"_s << false << 0;
        QTest::newRow("0x only") << u"0x"_s << false << 0;
        QTest::newRow("signed hex") << u"-$FF"_s << false << 0;
        QTest::newRow("bad hex digit") << u"$FG"_s << false << 0;
        QTest::newRow("hex trailing blank") << u"$F "_s << false << 0;
        QTest::newRow("full-width digit") << u"\uFF11"_s << false << 0;
    }
    void reading()
    {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        QFETCH(qint32, value);
        const std::optional<qint32> parsed = SpinReading::parse(text);
        QCOMPARE(parsed.has_value(), readable);
        QCOMPARE(SpinReading::valueOf(text, 0), value);
        if (!readable)
            QCOMPARE(SpinReading::valueOf(text, 7), 7); // unreadable text reads as the minimum
    }

    void stepping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint32>("delta");
        QTest::addColumn<qint32>("minimum");
        QTest::addColumn<qint32>("maximum");
        QTest::addColumn<qint32>("result");
        QTest::newRow("letters up") << u"abc"_s << 1 << 0 << 0 << 1;
        QTest::newRow("zero down") << u"0"_s << -1 << 0 << 0 << -1;
        QTest::newRow("negative up") << u"-3"_s << 1 << 0 << 0 << -2;
        QTest::newRow("hex up") << u"$FF"_s << 1 << 0 << 0 << 256;
        QTest::newRow("largest up stays") << u"2147483647"_s << 1 << 0 << 0 << int32Max;
        QTest::newRow("smallest down stays") << u"-2147483648"_s << -1 << 0 << 0 << int32Min;
        QTest::newRow("eight F up") << u"$FFFFFFFF"_s << 1 << 0 << 0 << 0;
        QTest::newRow("bounded up stops") << u"10"_s << 1 << 0 << 10 << 10;
        QTest::newRow("bounded down stops") << u"0"_s << -1 << 0 << 10 << 0;
        QTest::newRow("bounded unreadable") << u"x"_s << 1 << 3 << 10 << 4;
        QTest::newRow("bounded from outside") << u"50"_s << -1 << 0 << 10 << 10;
    }
    void stepping()
    {
        QFETCH(QString, text);
        QFETCH(qint32, delta);
        QFETCH(qint32, minimum);
        QFETCH(qint32, maximum);
        QFETCH(qint32, result);
        const qint32 read = SpinReading::valueOf(text, minimum);
        QCOMPARE(SpinReading::stepped(read, delta, minimum, maximum), result);
    }

    void typedCharacters_data()
    {
        QTest::addColumn<QChar>("character");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("digit") << QChar(u'7') << u","_s << true;
        QTest::newRow("plus") << QChar(u'+') << u","_s << true;
        QTest::newRow("minus") << QChar(u'-') << u","_s << true;
        QTest::newRow("comma as separator") << QChar(u',') << u","_s << true;
        QTest::newRow("point when comma is the separator") << QChar(u'.') << u","_s << false;
        QTest::newRow("point as separator") << QChar(u'.') << u"."_s << true;
        QTest::newRow("letter") << QChar(u'a') << u","_s << false;
        QTest::newRow("dollar") << QChar(u'$') << u","_s << false;
        QTest::newRow("blank") << QChar(u' ') << u","_s << false;
        QTest::newRow("umlaut") << QChar(u'ä') << u","_s << false;
        QTest::newRow("backspace") << QChar(u'\b') << u","_s << true;
        QTest::newRow("ctrl-v") << QChar(u'\x16') << u","_s << true;
        QTest::newRow("enter") << QChar(u'\r') << u","_s << false;
    }
    void typedCharacters()
    {
        QFETCH(QChar, character);
        QFETCH(QString, separator);
        QFETCH(bool, accepted);
        QCOMPARE(SpinReading::acceptsTyped(character, separator), accepted);
    }
};

QTEST_APPLESS_MAIN(TestSpinReading)
#include "tst_spin_reading.moc"
