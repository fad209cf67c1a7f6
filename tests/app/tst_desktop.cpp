// The editor at home on a Linux desktop: the command line, the folder the menu entry starts in,
// Qt's dialogs in German beside the program's own texts, and captions with accelerator marks.

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/qt_translation.h"
#include "document/text_editor.h"
#include "foundation/error_display.h"
#include "foundation/window_set.h"
#include "support/test_support.h"
#include "viewing/preview_window.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QScopeGuard>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

Form1 *form1() { return windows().form1; }

// Runs inspect on the modal dialog that action opens; inspect must close it.
void whileModal(const std::function<void()> &action, const std::function<void(QWidget *)> &inspect)
{
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        if (QWidget *modal = QApplication::activeModalWidget(); modal && !seen) {
            seen = true;
            inspect(modal);
        }
    });
    poll.start();
    action();
    QVERIFY(seen);
}

QStringList buttonTexts(QWidget *box)
{
    QStringList texts;
    const auto buttons = box->findChild<QDialogButtonBox *>()->buttons();
    for (const QAbstractButton *button : buttons)
        texts.append(button->text());
    texts.sort();
    return texts;
}

QString withoutMarks(QString text) { return text.remove(u'&'); }

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(loadGermanQtTranslation()); }

    void readingTheCommandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("ownFolder");
        QTest::addColumn<QString>("answerHolds");
        const int run = int(CommandLine::Action::Run);
        const int refuse = int(CommandLine::Action::Refuse);
        QTest::newRow("no page") << QStringList{} << run << QString() << false << QString();
        QTest::newRow("full path") << QStringList{u"/a/b c.html"_s} << run << u"/a/b c.html"_s
                                   << false << QString();
        QTest::newRow("relative") << QStringList{u"unter/s.html"_s} << run
                                  << u"/start/hier/unter/s.html"_s << false << QString();
        QTest::newRow("up") << QStringList{u"../s.html"_s} << run << u"/start/s.html"_s << false
                            << QString();
        QTest::newRow("name like an option") << QStringList{u"--"_s, u"-s.html"_s} << run
                                             << u"/start/hier/-s.html"_s << false << QString();
        QTest::newRow("menu entry") << QStringList{u"--eigener-ordner"_s, u"/s.html"_s} << run
                                    << u"/s.html"_s << true << QString();
        QTest::newRow("two pages") << QStringList{u"a.html"_s, u"b.html"_s} << refuse << QString()
                                   << false << u"Nur eine Seite"_s;
    }

    void readingTheCommandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, page);
        QFETCH(bool, ownFolder);
        QFETCH(QString, answerHolds);
        arguments.prepend(u"tagschmied"_s);
        const CommandLine read = readCommandLine(arguments, u"/start/hier"_s);
        QCOMPARE(int(read.action), action);
        QCOMPARE(read.page, page);
        QCOMPARE(read.ownFolder, ownFolder);
        QVERIFY2(read.answer.contains(answerHolds), qPrintable(read.answer));
    }

    void namedPageOpensAsOpenDoes_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("document");
        QTest::newRow("readable") << true << QByteArray("a\r\nb\r\nc");
        QTest::newRow("missing") << false << QByteArray("alt");
    }

    void namedPageOpensAsOpenDoes()
    {
        QFETCH(bool, present);
        QFETCH(QByteArray, document);
        ProgramFixture program;
        form1()->HPQT->replaceText(u"alt"_s);
        const QString page = program.path(u"seite.html"_s);
        if (present)
            program.write(u"seite.html"_s, "a\nb\rc");
        openNamedPage(form1(), page);
        QTRY_COMPARE(program.errors,
                     present ? QStringList() : QStringList{u"Cannot open file "_s + page + u'.'});
        QTRY_COMPARE(form1()->HPQT->bytes(), document);
        QCOMPARE(program.read(u"look.html"_s), present ? document : QByteArray("alt"));

        // "Öffnen" proposes the page afterwards.
        QString proposed;
        program.fileAnswers.push_back([&proposed](FileDialog &dialog) {
            proposed = dialog.fileName();
            return false;
        });
        QTest::mouseClick(form1()->Button2, Qt::LeftButton);
        QCOMPARE(proposed, page);
    }

    void menuEntryWorksInOwnFolder()
    {
        ProgramFixture program(false);
        const QByteArray home = qgetenv("HOME");
        const auto restoreHome = qScopeGuard([&] { qputenv("HOME", home); });
        qputenv("HOME", QFile::encodeName(program.path(u"heim"_s)));
        enterOwnFolder();
        QCOMPARE(QDir::currentPath(), program.path(u"heim/Tagschmied"_s));
        enterOwnFolder(); // there already
        QCOMPARE(QDir::currentPath(), program.path(u"heim/Tagschmied"_s));

        program.write(u"datei"_s, "");
        qputenv("HOME", QFile::encodeName(program.path(u"datei"_s)));
        try {
            enterOwnFolder();
            QFAIL("a home that is a file cannot hold the folder");
        } catch (const Error &error) {
            QCOMPARE(error.message(), u"Cannot create folder "_s + program.path(u"datei/Tagschmied"_s));
        }
    }

    void alignmentCaptionsWithAcceleratorMarks_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QByteArray>("appended");
        QTest::addColumn<QString>("next");
        QTest::newRow("mark in front") << u"&<center>"_s << QByteArray("<center>") << u"</center>"_s;
        QTest::newRow("mark inside") << u"<ce&nter>"_s << QByteArray("<center>") << u"</center>"_s;
        QTest::newRow("closing") << u"<&/center>"_s << QByteArray("</center>") << u"<center>"_s;
    }

    void alignmentCaptionsWithAcceleratorMarks()
    {
        QFETCH(QString, caption);
        QFETCH(QByteArray, appended);
        QFETCH(QString, next);
        ProgramFixture program;
        form1()->Button24->setText(caption);
        QTest::mouseClick(form1()->Button24, Qt::LeftButton);
        QCOMPARE(form1()->HPQT->bytes(), appended);
        QCOMPARE(form1()->Button24->text(), next);
    }

    // The dialog opens on the face fontconfig puts in place of MS Sans Serif at 11 pixels, at
    // 8 points, and confirming it unchanged writes that face.
    void fontDialogStartsOnTheStandInFace()
    {
        QProcess fcMatch;
        fcMatch.start(u"fc-match"_s, {u"-f"_s, u"%{family[0]}"_s, u"MS Sans Serif:pixelsize=11"_s});
        QVERIFY(fcMatch.waitForFinished());
        const QString standIn = QString::fromUtf8(fcMatch.readAllStandardOutput());
        QVERIFY(!standIn.isEmpty());

        ProgramFixture program;
        restoreRealDialogs();
        whileModal([] { QTest::mouseClick(form1()->Button27, Qt::LeftButton); },
                   [&](QWidget *modal) {
                       auto *dialog = qobject_cast<QFontDialog *>(modal);
                       QVERIFY(dialog);
                       QCOMPARE(dialog->windowTitle(), u"Schriftart auswählen"_s);
                       QCOMPARE(dialog->currentFont().family(), standIn);
                       QCOMPARE(dialog->currentFont().pointSize(), 8);
                       QVERIFY(!dialog->currentFont().italic());
                       dialog->accept();
                   });
        QCOMPARE(form1()->HPQT->bytes(),
                 "<font size=8 face=\"" + standIn.toUtf8() + "\" color=>");
    }

    void qtTextsGermanOwnTextsKept()
    {
        ProgramFixture program;
        restoreRealDialogs();

        // The preview prompt keeps the buttons the program names.
        whileModal([] { QTest::mouseClick(form1()->Button23, Qt::LeftButton); },
                   [](QWidget *modal) {
                       QCOMPARE(modal->windowTitle(), u"Information"_s);
                       QCOMPARE(buttonTexts(modal), (QStringList{u"Abort"_s, u"OK"_s}));
                       static_cast<QMessageBox *>(modal)->button(QMessageBox::Abort)->click();
                   });
        QVERIFY(!windows().form13->isVisible());

        whileModal([] { runGuarded([] { form1()->openPage(u"/fehlt/nirgends.html"_s); }); },
                   [](QWidget *modal) {
                       QCOMPARE(modal->windowTitle(), u"tagschmied"_s);
                       QCOMPARE(buttonTexts(modal), QStringList{u"OK"_s});
                       static_cast<QMessageBox *>(modal)->accept();
                   });

        // Qt's own texts: the file dialog and the editor's context menu.
        whileModal([] { QTest::mouseClick(form1()->Button2, Qt::LeftButton); },
                   [](QWidget *modal) {
                       QStringList labels;
                       const auto found = modal->findChildren<QLabel *>();
                       for (const QLabel *label : found)
                           labels.append(withoutMarks(label->text()));
                       QVERIFY2(labels.contains(u"Dateiname:"_s), qPrintable(labels.join(u'|')));
                       static_cast<QDialog *>(modal)->reject();
                   });
        const std::unique_ptr<QMenu> menu(form1()->HPQT->createStandardContextMenu());
        QStringList actions;
        const auto menuActions = menu->actions();
        for (const QAction *action : menuActions)
            actions.append(withoutMarks(action->text()));
        QVERIFY2(actions.join(u'|').contains(u"Kopieren\tStrg+C"_s), qPrintable(actions.join(u'|')));
        QCOMPARE(form1()->windowTitle(), u"Tagschmied 2.0"_s);
        QCOMPARE(form1()->Button2->text(), u"Öffnen"_s);
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
