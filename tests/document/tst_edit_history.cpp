#include "app/main_window.h"
#include "document/edit_history.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "support/test_support.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestEditHistory : public QObject
{
    Q_OBJECT

private slots:
    void capDropsTheOldestSteps_data()
    {
        QTest::addColumn<qsizetype>("maxCharacters");
        QTest::addColumn<int>("stepSize");
        QTest::addColumn<int>("kept");
        QTest::newRow("by steps") << qsizetype(1000000) << 1 << 100;
        QTest::newRow("by text") << qsizetype(50) << 10 << 5;
        QTest::newRow("newest kept, however large") << qsizetype(50) << 80 << 1;
    }
    void capDropsTheOldestSteps()
    {
        QFETCH(qsizetype, maxCharacters);
        QFETCH(int, stepSize);
        QFETCH(int, kept);
        EditHistory history(100, maxCharacters);
        for (int step = 0; step < 150; ++step) {
            history.beginStep();
            history.record({step, QString(), QString(stepSize, u'x')});
            history.endStep();
        }
        QCOMPARE(history.undoSteps(), kept);
        QCOMPARE(history.storedCharacters(), qsizetype(kept) * stepSize);
        QCOMPARE(history.undo().constFirst().position, qsizetype(149)); // the newest are kept
    }

    void typingIsGroupedAsQtGroupsIt()
    {
        TextEditor editor;
        QTest::keyClicks(&editor, u"Hallo"_s);
        QTest::keyClick(&editor, Qt::Key_Return);
        QTest::keyClicks(&editor, u"Welt"_s);
        QTest::keyClick(&editor, Qt::Key_Backspace);
        QTest::keyClick(&editor, Qt::Key_Backspace);
        for (const QString &expected : {u"Hallo\nWelt"_s, u"Hallo\n"_s, u"Hallo"_s, QString()}) {
            QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(editor.text(), expected);
        }
        QTest::keyClick(&editor, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(editor.text(), u"Hallo"_s);
    }

    // Every command is a step; each undo and redo reaches look.html as typing would.
    void everyCommandIsAStep()
    {
        ProgramFixture program;
        program.write(u"page.html"_s, "<p>Seite\r\n");
        Form1 *form1 = windows().form1;
        TextEditor *editor = form1->HPQT;
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, u"ü"_s);
        QApplication::sendEvent(editor, &typed);
        QList<QByteArray> states = {QByteArray(), "\xfc"};
        const QMetaObject::Connection recording = QObject::connect(
            editor, &TextEditor::documentChanged, editor, [&] { states.append(editor->bytes()); });
        const auto stopRecording = qScopeGuard([&] { QObject::disconnect(recording); });
        QTest::mouseClick(form1->Button9, Qt::LeftButton); // <br>
        form1->Timer1Timer(); // an umlaut sweep
        QCOMPARE(states.last(), QByteArray("&uuml;<br>"));
        QTest::mouseClick(form1->Button19, Qt::LeftButton); // three appends
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"page.html"_s)));
        QTest::mouseClick(form1->Button2, Qt::LeftButton); // Öffnen
        QTest::mouseClick(form1->Button1, Qt::LeftButton); // Neu, silent
        QCOMPARE(states.size(), 8);
        QCOMPARE(program.read(u"look.html"_s), QByteArray("<p>Seite\r\n"));
        states.append(QByteArray());
        const QList<QByteArray> forward = states;

        for (qsizetype i = forward.size() - 2; i >= 0; --i) {
            QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(printable(program.read(u"look.html"_s)), printable(forward[i]));
        }
        QCOMPARE(editor->rawText(), editor->document()->toRawText());
        editor->undo(); // nothing left: no change
        for (qsizetype i = 1; i < forward.size(); ++i) {
            QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(printable(program.read(u"look.html"_s)), printable(forward[i]));
        }
        QCOMPARE(states.size(), forward.size() + 2 * (forward.size() - 1)); // one each
    }

    void onlyChangesOfTheTextAreSteps()
    {
        TextEditor editor;
        editor.replaceText(u"abc"_s);
        QTextCursor cursor(editor.document()); // formats alone report their range too
        cursor.select(QTextCursor::Document);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.mergeCharFormat(bold);
        QCOMPARE(editor.history().undoSteps(), 1);
    }

    void contextMenuUndoes()
    {
        TextEditor editor;
        editor.replaceText(u"abc"_s);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
        QApplication::sendEvent(editor.viewport(), &event);
        auto *menu = editor.findChild<QMenu *>();
        QVERIFY(menu);
        auto *undo = menu->findChild<QAction *>(u"edit-undo"_s);
        auto *redo = menu->findChild<QAction *>(u"edit-redo"_s);
        QVERIFY(undo && undo->isEnabled() && redo && !redo->isEnabled());
        undo->trigger();
        QCOMPARE(editor.text(), QString());
        menu->close();
    }
};

QTEST_MAIN(TestEditHistory)
#include "tst_edit_history.moc"
