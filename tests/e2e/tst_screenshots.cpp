// Pictures of the main window and the preview for the README. Set TAGSCHMIED_SCREENSHOTS to a
// folder to keep them; without it they go to a temporary folder and are only checked.

#include "app/main_window.h"
#include "document/check_window.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "support/test_support.h"
#include "viewing/browser_host.h"
#include "viewing/preview_window.h"

#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray samplePage =
    "<html>\r\n<head><title>Meine Seite</title></head>\r\n<body>\r\n"
    "<body bgcolor=\"#ffffe0\">\r\n<h1>Wilkommen auf meiner Homepage</h1>\r\n"
    "<center><marquee scrollamount=5 scrolldelay=5>Sch&ouml;n, dass Sie da sind!</marquee>"
    "</center>\r\n<table border=1 width=60% height=>\r\n<tr>\r\n"
    "<th border=0 width= height=>Tag</th><th border=0 width= height=>Bedeutung</th></tr>\r\n"
    "<tr>\r\n<td border=0 width= height=>&lt;br&gt;</td><td border=0 width= height=>Zeilenumbruch</td></tr>\r\n"
    "<tr>\r\n<td border=0 width= height=>&lt;hr&gt;</td><td border=0 width= height=>Trennlinie</td></tr>\r\n"
    "</table>\r\n<p><a href=\"links.html\">Meine Links</a>\r\n</body>\r\n</html>";

// A picture that is more than one flat colour.
bool hasContent(const QImage &image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7) {
            if (image.pixel(x, y) != first)
                return true;
        }
    }
    return false;
}

} // namespace

class TestScreenshots : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareBrowserEngine(); }

    void mainWindowAndPreview()
    {
        ProgramFixture program;
        const QString folder = qEnvironmentVariableIsSet("TAGSCHMIED_SCREENSHOTS")
            ? qEnvironmentVariable("TAGSCHMIED_SCREENSHOTS")
            : program.path(QString());
        program.write(u"eigene.lst"_s, "<blink>\r\n<font color=red>\r\n<!-- Kommentar -->\r\n");
        program.write(u"seite.html"_s, samplePage);
        Form1 *main = windows().form1;
        main->show();
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"seite.html"_s)));
        main->Button2->click();
        main->ListBox1->setCurrentRow(0);
        main->HPQT->moveCaretTo(9, 3); // in a tag's name, so that it and its partner are marked
        QTest::qWait(1000); // the dictionary loads after the window shows, then marks the typo

        const QImage window = main->grab().toImage();
        QVERIFY(hasContent(window));
        QVERIFY(window.save(folder + u"/main-window.png"_s));

        Form13 *preview = windows().form13;
        QSignalSpy loads(preview, &Form13::pageLoaded);
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"seite.html"_s)));
        main->Button23->click();
        QVERIFY(loads.wait(30000));
        QTest::qWait(500); // let the marquee start and the page paint
        const QImage shown = preview->grab().toImage();
        QVERIFY(hasContent(shown));
        QVERIFY(shown.save(folder + u"/preview.png"_s));

        main->openCheckWindow();
        QSignalSpy checked(main->checkWindow(), &Form16::checkShown);
        QVERIFY(checked.wait(30000));
        const QImage check = main->checkWindow()->grab().toImage();
        QVERIFY(hasContent(check));
        QVERIFY(check.save(folder + u"/check-window.png"_s));
        QVERIFY2(program.errors.isEmpty(), qPrintable(program.errors.join(u'|')));
    }
};

QTEST_MAIN(TestScreenshots)
#include "tst_screenshots.moc"
