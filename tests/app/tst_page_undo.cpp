#include "app/main_window.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "support/test_support.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

Form1 *form1()
{
    return windows().form1;
}

void typeText(const QString &text)
{
    // keyClicks cannot send umlauts in this Qt; a key event with the character can.
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(form1()->HPQT, &press);
    }
}

} // namespace

class TestPageUndo : public QObject
{
    Q_OBJECT

private slots:
    // Every command is a step; each undo and redo reaches look.html as typing would.
    void undoAndRedoEveryCommand()
    {
        ProgramFixture program;
        program.write(u"page.html"_s, "<p>Seite\r\n");
        TextEditor *editor = form1()->HPQT;
        editor->setFocus();
        QList<QByteArray> states = {QByteArray()};
        typeText(u"Grün"_s); // four changes, one step
        states.append(editor->bytes());
        QCOMPARE(states.last(), QByteArray("Gr\xfcn"));
        // From here on, every change is a step.
        const QMetaObject::Connection recording = QObject::connect(
            editor, &TextEditor::documentChanged, editor, [&] { states.append(editor->bytes()); });
        const auto stopRecording = qScopeGuard([&] { QObject::disconnect(recording); });
        QTest::mouseClick(form1()->Button9, Qt::LeftButton); // <br>
        form1()->Timer1Timer(); // an umlaut sweep
        QCOMPARE(states.last(), QByteArray("Gr&uuml;n<br>"));
        QTest::mouseClick(form1()->Button19, Qt::LeftButton); // three appends
        program.fileAnswers.push_back(ProgramFixture::choose(program.path(u"page.html"_s)));
        QTest::mouseClick(form1()->Button2, Qt::LeftButton); // Öffnen
        QCOMPARE(states.size(), 8);
        QTest::mouseClick(form1()->Button1, Qt::LeftButton); // Neu, silent
        QCOMPARE(states.size(), 8);
        QCOMPARE(program.read(u"look.html"_s), QByteArray("<p>Seite\r\n"));
        states.append(QByteArray());
        const QList<QByteArray> forward = states;

        editor->setFocus();
        for (qsizetype i = forward.size() - 2; i >= 0; --i) {
            QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(printable(editor->bytes()), printable(forward[i]));
            QCOMPARE(printable(program.read(u"look.html"_s)), printable(forward[i]));
        }
        QVERIFY(!editor->history().canUndo());
        for (qsizetype i = 1; i < forward.size(); ++i) {
            QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(printable(editor->bytes()), printable(forward[i]));
            QCOMPARE(printable(program.read(u"look.html"_s)), printable(forward[i]));
        }
        // One change event for each undo and each redo.
        QCOMPARE(states.size(), forward.size() + 2 * (forward.size() - 1));
    }
};

QTEST_MAIN(TestPageUndo)
#include "tst_page_undo.moc"
