#include "document/edit_history.h"
#include "document/text_editor.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTextCursor>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestEditHistory : public QObject
{
    Q_OBJECT

private slots:
    void capDropsTheOldestSteps_data()
    {
        QTest::addColumn<int>("maxSteps");
        QTest::addColumn<qsizetype>("maxCharacters");
        QTest::addColumn<int>("stepSize");
        QTest::addColumn<int>("kept");
        QTest::newRow("by steps") << 100 << qsizetype(1000000) << 1 << 100;
        QTest::newRow("by text") << 100 << qsizetype(50) << 10 << 5;
        QTest::newRow("newest kept, however large") << 100 << qsizetype(50) << 80 << 1;
    }
    void capDropsTheOldestSteps()
    {
        QFETCH(int, maxSteps);
        QFETCH(qsizetype, maxCharacters);
        QFETCH(int, stepSize);
        QFETCH(int, kept);
        EditHistory history(maxSteps, maxCharacters);
        for (int step = 0; step < 150; ++step) {
            history.beginStep();
            history.record({step, QString(), QString(stepSize, u'x')});
            history.endStep();
        }
        QCOMPARE(history.undoSteps(), kept);
        QCOMPARE(history.storedCharacters(), qsizetype(kept) * stepSize);
        // The newest steps are the ones kept.
        QCOMPARE(history.undo().constFirst().position, qsizetype(149));
    }

    void typingIsGroupedAsQtGroupsIt()
    {
        TextEditor editor;
        QTest::keyClicks(&editor, u"Hallo"_s);
        QTest::keyClick(&editor, Qt::Key_Return);
        QTest::keyClicks(&editor, u"Welt"_s);
        QTest::keyClick(&editor, Qt::Key_Backspace);
        QTest::keyClick(&editor, Qt::Key_Backspace);
        QCOMPARE(editor.text(), u"Hallo\nWe"_s);
        const QString steps[] = {u"Hallo\nWelt"_s, u"Hallo\n"_s, u"Hallo"_s, QString()};
        for (const QString &expected : steps) {
            QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(editor.text(), expected);
        }
        QTest::keyClick(&editor, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(editor.text(), u"Hallo"_s);
        QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(editor.text(), u"Hallo\n"_s);
    }

    void programChangesAreOneStepEach()
    {
        TextEditor editor;
        QSignalSpy changes(&editor, &TextEditor::documentChanged);
        editor.replaceText(u"eins\nzwei"_s);
        AppendLines(u"<tr>\r"_s, &editor);
        editor.editAsOneChange([](QTextCursor &cursor) {
            cursor.insertText(u"A"_s);
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(u"Z"_s);
        });
        editor.clearSilently();
        QCOMPARE(changes.count(), 3); // clearing is silent
        const QString steps[] = {u"Aeins\nzwei<tr>\nZ"_s, u"eins\nzwei<tr>\n"_s, u"eins\nzwei"_s,
                                 QString()};
        for (const QString &expected : steps) {
            editor.undo();
            QCOMPARE(editor.text(), expected);
            QCOMPARE(editor.rawText(), editor.document()->toRawText());
        }
        QCOMPARE(changes.count(), 7); // each undo is a change of its own
        editor.undo(); // nothing left: no change
        QCOMPARE(changes.count(), 7);
        editor.redo();
        editor.redo();
        QCOMPARE(editor.text(), u"eins\nzwei<tr>\n"_s);
        // A new change ends what could be redone.
        editor.appendText(u"x"_s);
        QVERIFY(!editor.history().canRedo());
    }

    void unchangedTextIsNoStep()
    {
        TextEditor editor;
        editor.replaceText(u"abc"_s);
        // What a change of formats alone reports: the range, as long as before.
        QTextCursor cursor(editor.document());
        cursor.setPosition(1);
        cursor.setPosition(2, QTextCursor::KeepAnchor);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.mergeCharFormat(bold);
        QCOMPARE(editor.history().undoSteps(), 1);
    }

    void contextMenuUndoes()
    {
        TextEditor editor;
        editor.show();
        editor.replaceText(u"abc"_s);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
        QApplication::sendEvent(editor.viewport(), &event);
        QMenu *menu = editor.findChild<QMenu *>();
        QVERIFY(menu);
        QAction *undo = nullptr, *redo = nullptr;
        for (QAction *action : menu->actions()) {
            if (action->objectName() == u"edit-undo"_s)
                undo = action;
            if (action->objectName() == u"edit-redo"_s)
                redo = action;
        }
        QVERIFY(undo && redo);
        QVERIFY(undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        undo->trigger();
        QCOMPARE(editor.text(), QString());
        menu->close();
    }
};

QTEST_MAIN(TestEditHistory)
#include "tst_edit_history.moc"
