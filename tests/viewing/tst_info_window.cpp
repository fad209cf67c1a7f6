#include "app/main_window.h"
#include "foundation/error.h"
#include "foundation/window_set.h"
#include "support/test_support.h"
#include "viewing/info_window.h"
#include "viewing/jpeg_decoder.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

Form14 *info()
{
    return windows().form14;
}

// Where a marker of the given kind starts in a JPEG stream, or -1.
qsizetype findMarker(const QByteArray &stream, unsigned char kind)
{
    qsizetype at = 2;
    while (at + 4 <= stream.size() && uchar(stream[at]) == 0xff) {
        if (uchar(stream[at + 1]) == kind)
            return at;
        at += 2 + (uchar(stream[at + 2]) << 8 | uchar(stream[at + 3]));
    }
    return -1;
}

} // namespace

class TestInfoWindow : public QObject
{
    Q_OBJECT

private slots:
    void storedPictureIsBaselineJfif()
    {
        const QByteArray stream = infoPictureStream();
        QVERIFY(stream.startsWith("\xff\xd8\xff\xe0"));
        QCOMPARE(stream.mid(6, 5), QByteArray("JFIF\0", 5));
        const qsizetype frame = findMarker(stream, 0xc0); // baseline frame header
        QVERIFY(frame > 0);
        QCOMPARE(findMarker(stream, 0xc2), -1); // not progressive
        const QByteArray header = stream.mid(frame + 5, 5);
        QCOMPARE(uchar(header[0]) << 8 | uchar(header[1]), 300); // height
        QCOMPARE(uchar(header[2]) << 8 | uchar(header[3]), 400); // width
        QCOMPARE(int(header[4]), 3); // colour components
    }

    void pictureDecodesWithItsColours_data()
    {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("sky, top left") << QPoint(10, 10) << QColor(0x1e, 0x3a, 0x5f);
        QTest::newRow("sky, bottom right") << QPoint(390, 290) << QColor(0x1e, 0x3a, 0x5f);
        QTest::newRow("glowing iron") << QPoint(175, 139) << QColor(0xf2, 0x8c, 0x28);
        QTest::newRow("anvil") << QPoint(160, 200) << QColor(0x4a, 0x4a, 0x4a);
        QTest::newRow("spark") << QPoint(248, 120) << QColor(0xff, 0xd2, 0x4a);
    }
    void pictureDecodesWithItsColours()
    {
        QFETCH(QPoint, pixel);
        QFETCH(QColor, colour);
        const QImage picture = decodeJpeg(infoPictureStream());
        QCOMPARE(picture.size(), QSize(400, 300));
        const QColor found = picture.pixelColor(pixel);
        const int off = std::max({std::abs(found.red() - colour.red()),
                                  std::abs(found.green() - colour.green()),
                                  std::abs(found.blue() - colour.blue())});
        QVERIFY2(off <= 10, qPrintable(u"%1 instead of %2"_s.arg(found.name(), colour.name())));
    }

    void damagedStreamsAreRefused_data()
    {
        const QByteArray good = infoPictureStream();
        const qsizetype scan = findMarker(good, 0xda);
        const qsizetype frame = findMarker(good, 0xc0);
        QTest::addColumn<QByteArray>("stream");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not a JPEG") << QByteArray("<html>no picture</html>");
        QTest::newRow("PNG") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("start marker only") << QByteArray("\xff\xd8");
        QTest::newRow("ends in the header") << good.left(frame + 6);
        QTest::newRow("ends before the scan") << good.left(scan);
        QTest::newRow("ends inside the scan") << good.left(scan + (good.size() - scan) / 2);
        QByteArray noComponents = good;
        noComponents[frame + 9] = 0;
        QTest::newRow("no colour components") << noComponents;
        QByteArray huge = good;
        huge[frame + 5] = huge[frame + 7] = char(0xfd);
        huge[frame + 6] = huge[frame + 8] = char(0xe8);
        QTest::newRow("claims 65000 x 65000 pixels") << huge;
        QByteArray beyond = good;
        beyond[frame + 5] = beyond[frame + 6] = char(0xff);
        QTest::newRow("claims 65535 pixels high") << beyond;
        QByteArray zeroWidth = good;
        zeroWidth[frame + 7] = zeroWidth[frame + 8] = 0;
        QTest::newRow("zero width") << zeroWidth;
        QByteArray strayMarker = good;
        const qsizetype middle = scan + (good.size() - scan) / 2;
        strayMarker[middle] = char(0xff);
        strayMarker[middle + 1] = char(0xc4);
        QTest::newRow("marker inside the scan") << strayMarker;
    }
    void damagedStreamsAreRefused()
    {
        QFETCH(QByteArray, stream);
        try {
            const QImage picture = decodeJpeg(stream);
            QFAIL(qPrintable(u"decoded to %1 x %2"_s.arg(picture.width()).arg(picture.height())));
        } catch (const Error &error) {
            QVERIFY2(error.message().startsWith(u"Cannot decode picture: "_s)
                         && error.message().size() > 24,
                     qPrintable(error.message()));
        }
    }

    void windowShowsPictureUnderItsButton()
    {
        ProgramFixture program;
        QVERIFY(info()->isVisible());
        QCOMPARE(info()->Image1->geometry(), QRect(0, 0, 400, 300));
        const QPixmap shown = info()->Image1->pixmap();
        QCOMPARE(shown.size(), QSize(400, 300));
        QCOMPARE(shown.toImage().convertToFormat(QImage::Format_RGB888),
                 decodeJpeg(infoPictureStream()));
        QCOMPARE(info()->Button1->text(), u"Schließen"_s);
        QCOMPARE(info()->Button1->geometry(), QRect(168, 272, 75, 25));
        // The button is drawn over the picture.
        QCOMPARE(info()->childAt(200, 280), info()->Button1);
        QCOMPARE(info()->palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(program.errors.isEmpty());
    }

    void closeAndOpenAgain()
    {
        ProgramFixture program;
        QTest::mouseClick(info()->Button1, Qt::LeftButton);
        QVERIFY(!info()->isVisible());
        info()->move(10, 10);
        QTest::mouseClick(windows().form1->Button29, Qt::LeftButton);
        QVERIFY(info()->isVisible());
        // Pressing "Info" while it is open changes nothing but its place in the stack.
        QTest::mouseClick(windows().form1->Button29, Qt::LeftButton);
        QVERIFY(info()->isVisible());
        QCOMPARE(QApplication::topLevelWidgets().count(info()), 1);
    }
};

QTEST_MAIN(TestInfoWindow)
#include "tst_info_window.moc"
