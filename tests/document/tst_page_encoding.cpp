#include "document/page_encoding.h"
#include "support/test_support.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray in(const char *encoding, const QString &text)
{
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

// The editor's raw form of a text: each CR LF one U+2029.
QString raw(QString text)
{
    return text.replace(u"\r\n"_s, QString(QChar::ParagraphSeparator));
}

} // namespace

class TestPageEncoding : public QObject
{
    Q_OBJECT

private slots:
    // Each page is chosen, decoded and encoded again; with CR LF breaks it comes back whole.
    void choosesAndRoundTrips_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<bool>("byteOrderMark");
        QTest::addColumn<QString>("excerpt");

        const QString greeting = u"Grüße\r\n你好 Miąsko"_s;
        QTest::newRow("UTF-8 mark") << "\xEF\xBB\xBF" + greeting.toUtf8() << u"UTF-8"_s << true << greeting;
        QTest::newRow("UTF-8 mark twice") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << u"UTF-8"_s
                                          << true << u"\uFEFFx"_s;
        QTest::newRow("UTF-16LE mark") << "\xFF\xFE" + in("UTF-16LE", greeting) << u"UTF-16LE"_s << true << greeting;
        QTest::newRow("UTF-16BE mark") << "\xFE\xFF" + in("UTF-16BE", greeting) << u"UTF-16BE"_s << true << greeting;
        QTest::newRow("UTF-32LE mark") << QByteArray("\xFF\xFE\0\0", 4) + in("UTF-32LE", greeting)
                                       << u"UTF-32LE"_s << true << greeting;
        QTest::newRow("UTF-32BE mark") << QByteArray("\0\0\xFE\xFF", 4) + in("UTF-32BE", greeting)
                                       << u"UTF-32BE"_s << true << greeting;
        QTest::newRow("UTF-16 mark, odd length") << QByteArray("\xFF\xFE" "a") << u"windows-1252"_s
                                                 << false << u"ÿþa"_s;
        QTest::newRow("UTF-8 mark, broken body") << QByteArray("\xEF\xBB\xBF\xC3") << u"windows-1252"_s
                                                 << false << u"ï»¿Ã"_s;

        const QString russian = u"Привет, мир"_s;
        QTest::newRow("meta charset") << "<meta charset=\"windows-1251\">" + in("windows-1251", russian)
                                      << u"windows-1251"_s << false << russian;
        QTest::newRow("meta charset unquoted, after a tag")
            << "<html lang=ru><META CHARSET=koi8-r>" + in("KOI8-R", russian) << u"KOI8-R"_s << false << russian;
        QTest::newRow("meta http-equiv")
            << "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-7\">"
                   + in("ISO-8859-7", u"Καλημέρα"_s)
            << u"ISO-8859-7"_s << false << u"Καλημέρα"_s;
        QTest::newRow("meta content without http-equiv")
            << "<meta content=\"text/html; charset=windows-1251\">" + in("windows-1251", russian)
            << u"windows-1252"_s << false << u"<meta"_s;
        QTest::newRow("xml declaration")
            << "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n" + in("Shift_JIS", u"日本語"_s)
            << u"Shift_JIS"_s << false << u"日本語"_s;
        QTest::newRow("UTF-16LE by its xml declaration")
            << in("UTF-16LE", u"<?xml version=\"1.0\"?>\r\n<p>Grüße</p>"_s) << u"UTF-16LE"_s << false
            << u"Grüße"_s;
        QTest::newRow("label sjis") << "<meta charset=sjis>" + in("Shift_JIS", u"日本語"_s) << u"Shift_JIS"_s
                                    << false << u"日本語"_s;
        QTest::newRow("label euc-jp") << "<meta charset=' EUC-JP '>" + in("EUC-JP", u"日本語"_s)
                                      << u"EUC-JP"_s << false << u"日本語"_s;
        QTest::newRow("label big5") << "<meta charset=big5>" + in("Big5", u"中文"_s) << u"Big5"_s << false
                                    << u"中文"_s;
        QTest::newRow("label latin1 is code page 1252, even over UTF-8")
            << QByteArray("<meta charset=latin1>\xC3\xBC\x80") << u"windows-1252"_s << false << u"Ã¼€"_s;
        QTest::newRow("label utf-16 is UTF-8") << "<meta charset=utf-16>"_ba + u"ü"_s.toUtf8() << u"UTF-8"_s
                                               << false << u"ü"_s;
        QTest::newRow("declaration that lies") << QByteArray("<meta charset=utf-8>Gr\xFC\xDF" "e")
                                               << u"windows-1252"_s << false << u"Grüße"_s;
        QTest::newRow("multi-byte declaration that lies") << QByteArray("<meta charset=shift_jis>\x81")
                                                          << u"windows-1252"_s << false << u"\u0081"_s;
        QTest::newRow("unknown label") << "<meta charset=klingon>"_ba + u"ü"_s.toUtf8() << u"UTF-8"_s << false
                                       << u"ü"_s;
        QTest::newRow("declaration in a comment")
            << "<!-- <meta charset=koi8-r> -->"_ba + u"ü"_s.toUtf8() << u"UTF-8"_s << false << u"ü"_s;
        QTest::newRow("declaration after 1024 bytes")
            << QByteArray(1024, ' ') + "<meta charset=windows-1251>" + in("windows-1251", russian)
            << u"windows-1252"_s << false << u"Ïðèâåò"_s;
        QTest::newRow("ISO-2022-JP stays bytes") << "<meta charset=iso-2022-jp>\x1b$BF|\x1b(B"_ba
                                                 << u"windows-1252"_s << false << u"\u001b$BF|"_s;
        QTest::newRow("UTF-8") << greeting.toUtf8() << u"UTF-8"_s << false << greeting;
        QTest::newRow("UTF-8 with the editor's frame mark") << QByteArray("\xC3\xBC\xEF\xB7\x90")
                                                            << u"windows-1252"_s << false << u"Ã¼ï·"_s;
        QTest::newRow("invalid UTF-8") << QByteArray("a\xC3(") << u"windows-1252"_s << false << u"aÃ("_s;
        QTest::newRow("pure ASCII") << QByteArray("<p>Hallo</p>") << u"windows-1252"_s << false << u"Hallo"_s;
        QTest::newRow("code page 1252 with umlauts") << QByteArray("Gr\xFC\xDF" "e \x80") << u"windows-1252"_s
                                                     << false << u"Grüße €"_s;
        QTest::newRow("empty") << QByteArray() << u"windows-1252"_s << false << QString();
    }
    void choosesAndRoundTrips()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, encoding);
        QFETCH(bool, byteOrderMark);
        QFETCH(QString, excerpt);
        const DecodedPage page = decodePage(bytes);
        QCOMPARE(page.encoding.name(), encoding);
        QCOMPARE(page.encoding.hasByteOrderMark(), byteOrderMark);
        QCOMPARE(choosePageEncoding(bytes), page.encoding);
        QVERIFY2(page.text.contains(excerpt), qPrintable(page.text));
        QCOMPARE(printable(page.encoding.encodeDocument(raw(page.text))), printable(bytes));
    }

    // The declaration is read as a browser's prescan reads the first 1024 bytes.
    void findsTheDeclarationAsABrowserDoes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("declared");
        const QByteArray pragma = "<meta http-equiv=content-type content=\"text/html; charset=koi8-r\">";
        QTest::newRow("charset") << "<meta charset=koi8-r>"_ba << "KOI8-R"_ba;
        QTest::newRow("meta and a slash") << "<meta/charset=koi8-r>"_ba << "KOI8-R"_ba;
        QTest::newRow("metal is no meta") << "<metal charset=koi8-r>"_ba << ""_ba;
        QTest::newRow("pragma after content")
            << "<meta content='text/html; charset=koi8-r' http-equiv='Content-Type'>"_ba << "KOI8-R"_ba;
        QTest::newRow("pragma value with a trailing space")
            << "<meta http-equiv=\"Content-Type \" content=\"text/html; charset=koi8-r\">"_ba << ""_ba;
        QTest::newRow("pragma needed but missing") << "<meta content=\"text/html; charset=koi8-r\">"_ba
                                                   << ""_ba;
        QTest::newRow("charset needs no pragma beside content")
            << "<meta content=\"text/html; charset=koi8-r\" charset=cp1251>"_ba << "windows-1251"_ba;
        QTest::newRow("content does not override charset")
            << "<meta charset=cp1251 http-equiv=content-type content=\"charset=koi8-r\">"_ba
            << "windows-1251"_ba;
        QTest::newRow("repeated charset: the first counts") << "<meta charset=koi8-r charset=cp1251>"_ba
                                                            << "KOI8-R"_ba;
        QTest::newRow("repeated http-equiv: the first counts")
            << "<meta http-equiv=refresh http-equiv=content-type content=\"charset=koi8-r\">"_ba << ""_ba;
        QTest::newRow("unknown label: the next meta counts") << "<meta charset=klingon><meta charset=koi8-r>"_ba
                                                             << "KOI8-R"_ba;
        QTest::newRow("unquoted value takes the slash") << "<meta charset=koi8-r/>"_ba << ""_ba;
        QTest::newRow("content, quoted label") << "<meta http-equiv=content-type content='charset=\"koi8-r\"'>"_ba
                                               << "KOI8-R"_ba;
        QTest::newRow("content, unmatched quote")
            << "<meta http-equiv=content-type content='charset=\"koi8-r'>"_ba << ""_ba;
        QTest::newRow("content, blanks around =, up to ;")
            << "<meta http-equiv=content-type content='charset = koi8-r;x'>"_ba << "KOI8-R"_ba;
        QTest::newRow("cut off before its >") << "<meta charset=koi8-r"_ba << ""_ba;
        QTest::newRow("cut off in a quoted value") << "<meta charset=\"koi8-r"_ba << ""_ba;
        QTest::newRow("> beyond 1024 bytes") << QByteArray(1000, ' ') + "<meta charset=koi8-r" + QByteArray(30, ' ') + '>'
                                             << ""_ba;
        QTest::newRow("in a comment") << "<!-- <meta charset=koi8-r> -->"_ba << ""_ba;
        QTest::newRow("after <!-->") << "<!--><meta charset=koi8-r>"_ba << "KOI8-R"_ba;
        QTest::newRow("in a comment never closed") << "<!-- <meta charset=koi8-r>"_ba << ""_ba;
        QTest::newRow("in another tag's value") << "<img alt=\"<meta charset=koi8-r>\">"_ba << ""_ba;
        QTest::newRow("in another tag, unquoted") << "<a title=<meta charset=koi8-r>"_ba << ""_ba;
        QTest::newRow("in an end tag's attributes") << "</p title='<meta charset=koi8-r>'>"_ba << ""_ba;
        QTest::newRow("in <? up to its >") << "<?php '<meta charset=koi8-r>' ?>"_ba << ""_ba;
        QTest::newRow("utf-16 is UTF-8") << "<meta charset=utf-16be>"_ba << "UTF-8"_ba;
        QTest::newRow("named without a converter here") << "<meta charset=iso-2022-jp><meta charset=utf-8>"_ba
                                                        << "ISO-2022-JP"_ba;
        QTest::newRow("meta over xml") << "<?xml encoding=\"koi8-r\"?><meta charset=cp1251>"_ba
                                       << "windows-1251"_ba;
        QTest::newRow("xml not at the start") << " <?xml encoding=\"koi8-r\"?>"_ba << ""_ba;
        QTest::newRow("xml encoding after its >") << "<?xml version=\"1.0\"?><p encoding=\"koi8-r\">"_ba << ""_ba;
        QTest::newRow("xml label with a blank") << "<?xml encoding=\"koi8-r \"?>"_ba << ""_ba;
        QTest::newRow("xml in UTF-16LE") << QByteArray("<\0?\0x\0m\0l\0", 10) << "UTF-16LE"_ba;
    }
    void findsTheDeclarationAsABrowserDoes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, declared);
        QCOMPARE(declaredEncodingName(bytes), declared);
    }

    void writesWhatTheEncodingCannotHoldAsReferences_data()
    {
        QTest::addColumn<QByteArray>("label");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("windows-1251") << "cp1251"_ba << u"Жł\u2029😀"_s << "\xC6&#322;\r\n&#128512;"_ba;
        QTest::newRow("Shift_JIS") << "sjis"_ba << u"日ą本"_s << "\x93\xfa&#261;\x96{"_ba;
        QTest::newRow("ISO-8859-7") << "greek"_ba << u"Ωü"_s << "\xD9&#252;"_ba;
        QTest::newRow("UTF-8 lone surrogate") << "utf8"_ba << u"a"_s + QChar(0xD800) + u"\u2029b"_s
                                              << "a\xEF\xBF\xBD\r\nb"_ba;
    }
    void writesWhatTheEncodingCannotHoldAsReferences()
    {
        QFETCH(QByteArray, label);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const PageEncoding encoding = PageEncoding::fromLabel(label);
        QVERIFY(encoding.isValid());
        QCOMPARE(printable(encoding.encodeDocument(text)), printable(bytes));
    }

    // The single-byte encodings write from a table of their own; every character of the Basic
    // Multilingual Plane must come out as the converter holds it, or as a reference.
    void singleByteTablesWriteWhatTheConverterHolds_data()
    {
        QTest::addColumn<QByteArray>("name");
        for (const char *name : {"IBM866", "ISO-8859-2", "ISO-8859-3", "ISO-8859-4", "ISO-8859-5",
                                 "ISO-8859-6", "ISO-8859-7", "ISO-8859-8", "ISO-8859-8-I",
                                 "ISO-8859-10", "ISO-8859-13", "ISO-8859-14", "ISO-8859-15",
                                 "KOI8-R", "KOI8-U", "macintosh", "windows-874", "windows-1250",
                                 "windows-1251", "windows-1253", "windows-1254", "windows-1255",
                                 "windows-1256", "windows-1257", "windows-1258", "x-mac-cyrillic"})
            QTest::newRow(name) << QByteArray(name);
    }
    void singleByteTablesWriteWhatTheConverterHolds()
    {
        QFETCH(QByteArray, name);
        const PageEncoding encoding = PageEncoding::fromLabel(name);
        if (!encoding.isValid())
            QSKIP("no converter for this encoding here");
        QString all;
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (!QChar::isSurrogate(c) && c != u'\n' && c != 0x2029)
                all.append(QChar(c));
        }
        // A character is held when the converter gives it one byte that decodes back to it.
        QByteArray everyByte(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            everyByte[b] = char(b);
        QStringDecoder decoder(name.constData());
        const QString decoded = decoder.decode(everyByte);
        QCOMPARE(decoded.size(), 256);
        QStringEncoder encoder(name.constData());
        QByteArray expected;
        for (const QChar c : std::as_const(all)) {
            const QByteArray bytes = encoder.encode(QStringView(&c, 1));
            if (bytes.size() == 1 && decoded[uchar(bytes[0])] == c)
                expected.append(bytes);
            else
                expected.append("&#" + QByteArray::number(c.unicode()) + ';');
        }
        QCOMPARE(encoding.encodeDocument(all), expected);
        QCOMPARE(encoding.byteLength(all), all.size());
    }
};

QTEST_MAIN(TestPageEncoding)
#include "tst_page_encoding.moc"
