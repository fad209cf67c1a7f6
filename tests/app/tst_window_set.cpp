#include "app/main_window.h"
#include "elements/background_window.h"
#include "elements/bold_italic_dialog.h"
#include "elements/composer_picture_window.h"
#include "elements/link_dialog.h"
#include "elements/marquee_dialog.h"
#include "elements/page_skeleton_dialog.h"
#include "elements/picture_window.h"
#include "elements/table_dialogs.h"
#include "elements/text_composer.h"
#include "foundation/error_display.h"
#include "foundation/window_set.h"
#include "support/test_support.h"
#include "viewing/info_window.h"
#include "viewing/preview_window.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QList<QWidget *> allWindows()
{
    const WindowSet &w = windows();
    return {w.form1, w.form2,  w.form3,  w.form4,  w.form5,  w.form6,  w.form7,
            w.form8, w.form9, w.form10, w.form11, w.form12, w.form13, w.form14};
}

} // namespace

class TestWindowSet : public QObject
{
    Q_OBJECT

private slots:
    void windowsInOrderWithCaptionsAndPlaces_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("geometry"); // position and client size
        QTest::newRow("Form1") << 0 << u"Tagschmied 2.0"_s << QRect(227, 72, 781, 677);
        QTest::newRow("Form2") << 1 << u"Homepage-Titel"_s << QRect(438, 131, 427, 78);
        QTest::newRow("Form3") << 2 << u"Text"_s << QRect(519, 140, 309, 188);
        QTest::newRow("Form4") << 3 << u"Fett/Kursiv"_s << QRect(368, 153, 301, 189);
        QTest::newRow("Form5") << 4 << u"Bild"_s << QRect(374, 192, 282, 153);
        QTest::newRow("Form6") << 5 << u"Bild"_s << QRect(395, 216, 270, 160);
        QTest::newRow("Form7") << 6 << u"Link"_s << QRect(200, 109, 247, 148);
        QTest::newRow("Form8") << 7 << u"Hintergrund"_s << QRect(411, 264, 276, 157);
        QTest::newRow("Form9") << 8 << u"Tabelle"_s << QRect(388, 109, 137, 187);
        QTest::newRow("Form10") << 9 << u"Zelle"_s << QRect(587, 308, 138, 181);
        QTest::newRow("Form11") << 10 << u"Kopfzelle"_s << QRect(671, 110, 134, 187);
        QTest::newRow("Form12") << 11 << u"Laufzeile"_s << QRect(362, 165, 298, 158);
        QTest::newRow("Form13") << 12 << u"Website anzeigen"_s << QRect(319, 214, 775, 557);
        QTest::newRow("Form14") << 13 << QString() << QRect(446, 163, 403, 303);
    }
    void windowsInOrderWithCaptionsAndPlaces()
    {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QRect, geometry);
        ProgramFixture program;
        QWidget *window = allWindows().at(index);
        QCOMPARE(window->objectName(), u"Form%1"_s.arg(index + 1));
        QCOMPARE(window->windowTitle(), caption);
        QCOMPARE(window->pos(), geometry.topLeft());
        QCOMPARE(window->size(), geometry.size());
        QVERIFY(window->isWindow());
        const bool fixed = index != 0 && index != 12;
        QCOMPARE(window->minimumSize() == window->maximumSize(), fixed);
    }

    void infoWindowIsVisibleFromCreation()
    {
        ProgramFixture program;
        const QList<QWidget *> all = allWindows();
        for (int i = 0; i < 13; ++i)
            QVERIFY2(!all.at(i)->isVisible(), qPrintable(all.at(i)->objectName()));
        QVERIFY(windows().form14->isVisible());
        QVERIFY(windows().form14->windowFlags() & Qt::FramelessWindowHint);
        windows().form1->show();
        QVERIFY(windows().form1->isVisible());
        QVERIFY(windows().form14->isVisible());
    }

    void openingTwiceShowsOneWindowWithItsState()
    {
        ProgramFixture program;
        Form1 *main = windows().form1;
        main->show();
        QTest::mouseClick(main->Button13, Qt::LeftButton);
        QVERIFY(windows().form9->isVisible());
        windows().form9->close();
        QVERIFY(!windows().form9->isVisible());
        QTest::mouseClick(main->Button13, Qt::LeftButton);
        QTest::mouseClick(main->Button13, Qt::LeftButton);
        QVERIFY(windows().form9->isVisible());
        QCOMPARE(QApplication::topLevelWidgets().count(windows().form9), 1);
    }

    void closingTheMainWindowEndsTheProgram()
    {
        ProgramFixture program;
        windows().form1->show();
        QTest::mouseClick(windows().form1->Button13, Qt::LeftButton);
        bool quitRequested = false;
        connect(qApp, &QCoreApplication::aboutToQuit, this, [&] { quitRequested = true; });
        QTimer::singleShot(0, windows().form1->Button4, &QPushButton::click);
        QTimer::singleShot(2000, qApp, [] { QCoreApplication::exit(1); }); // safety net
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(quitRequested);
    }

    void errorDisplayText_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter gets a stop") << u"Cannot open file x"_s << u"Cannot open file x."_s;
        QTest::newRow("bracket does not") << u"List index out of bounds (-1)"_s
                                          << u"List index out of bounds (-1)"_s;
        QTest::newRow("stop stays single") << u"Done."_s << u"Done."_s;
        QTest::newRow("digit sorts above") << u"I/O error 5"_s << u"I/O error 5."_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void errorDisplayText()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(::errorDisplayText(message), shown);
    }

    void guardedHandlerShowsErrorAndGoesOn()
    {
        ProgramFixture program(false);
        bool after = false;
        runGuarded([] { throw Error(u"Cannot create file look.html"_s); });
        runGuarded([&] { after = true; });
        QCOMPARE(program.errors, QStringList{u"Cannot create file look.html."_s});
        QCOMPARE(program.errorCaptions, QStringList{u"tagschmied"_s});
        QVERIFY(after);
    }
};

QTEST_MAIN(TestWindowSet)
#include "tst_window_set.moc"
