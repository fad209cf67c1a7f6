#include "document/codepage1252.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestCodePage1252 : public QObject
{
    Q_OBJECT

private slots:
    void everyByteRoundTrips()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = CodePage1252::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(CodePage1252::encode(text), all);
    }

    void decodesWindowsTable_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("character");
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("unassigned 81") << 0x81 << 0x0081;
        QTest::newRow("low quote") << 0x84 << 0x201E;
        QTest::newRow("unassigned 8d") << 0x8D << 0x008D;
        QTest::newRow("unassigned 8f") << 0x8F << 0x008F;
        QTest::newRow("unassigned 90") << 0x90 << 0x0090;
        QTest::newRow("trade mark") << 0x99 << 0x2122;
        QTest::newRow("unassigned 9d") << 0x9D << 0x009D;
        QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
        QTest::newRow("no-break space") << 0xA0 << 0x00A0;
        QTest::newRow("a umlaut") << 0xE4 << 0x00E4;
        QTest::newRow("sharp s") << 0xDF << 0x00DF;
        QTest::newRow("NUL") << 0x00 << 0x0000;
    }
    void decodesWindowsTable()
    {
        QFETCH(int, byte);
        QFETCH(int, character);
        const QString text = CodePage1252::decode(QByteArray(1, char(byte)));
        QCOMPARE(int(text.at(0).unicode()), character);
    }

    void writesReferencesForForeignCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("l with stroke") << u"Łódź"_s << QByteArray("&#321;\xf3" "d&#378;");
        QTest::newRow("C1 control without a byte") << QString(QChar(0x80)) << QByteArray("&#128;");
        QTest::newRow("emoji as one reference") << u"a\U0001F600b"_s << QByteArray("a&#128512;b");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("&#65533;");
        QTest::newRow("euro stays a byte") << u"5 €"_s << QByteArray("5 \x80");
        QTest::newRow("ampersand untouched") << u"&auml;"_s << QByteArray("&auml;");
    }
    void writesReferencesForForeignCharacters()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(CodePage1252::encode(text), bytes);
    }

    void documentSeparatorsBecomeCrLf()
    {
        const QString raw = u"a"_s + QChar(QChar::ParagraphSeparator) + u"\u00e4"_s
            + QChar(QChar::ParagraphSeparator);
        QCOMPARE(CodePage1252::encodeDocument(raw), QByteArray("a\r\n\xe4\r\n"));
        // Outside an editor the separator is just a foreign character.
        QCOMPARE(CodePage1252::encode(QString(QChar(QChar::ParagraphSeparator))),
                 QByteArray("&#8233;"));
    }
};

QTEST_APPLESS_MAIN(TestCodePage1252)
#include "tst_codepage1252.moc"
