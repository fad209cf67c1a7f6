#include "app/main_window.h"
#include "document/text_editor.h"
#include "elements/marquee_dialog.h"
#include "elements/page_skeleton_dialog.h"
#include "elements/spin_field.h"
#include "elements/table_dialogs.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"
#include "support/test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

Form1 *form1()
{
    return windows().form1;
}

// The dialogs by the number of their window, as the main window's buttons open them.
QWidget *dialog(int number)
{
    const WindowSet &w = windows();
    switch (number) {
    case 2: return w.form2;
    case 9: return w.form9;
    case 10: return w.form10;
    case 11: return w.form11;
    default: return w.form12;
    }
}

QPushButton *opener(int number)
{
    switch (number) {
    case 2: return form1()->Button5;
    case 9: return form1()->Button13;
    case 10: return form1()->Button15;
    case 11: return form1()->Button16;
    default: return form1()->Button18;
    }
}

QWidget *open(int number)
{
    QTest::mouseClick(opener(number), Qt::LeftButton);
    QWidget *window = dialog(number);
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window))
        qWarning("dialog not active");
    return window;
}

template <typename T = QLineEdit>
T *control(int number, const char *name)
{
    auto *found = dialog(number)->findChild<T *>(QString::fromLatin1(name));
    Q_ASSERT(found);
    return found;
}

void pressOk(int number)
{
    QTest::mouseClick(control<QPushButton>(number, "Button1"), Qt::LeftButton);
}

// Types text character by character as key events carrying the character, so umlauts and
// markup reach a field the way a keyboard would bring them.
void type(QWidget *field, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
    }
}

// Replaces a field's text the way a user does it: select all, then type.
void retype(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    type(field, text);
}

QByteArray documentBytes()
{
    return form1()->HPQT->bytes();
}

} // namespace

class TestElementDialogs : public QObject
{
    Q_OBJECT

private slots:
    void pageStart_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("retitle");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QByteArray>("document");
        QTest::newRow("initial title")
            << QString() << false << QString()
            << QByteArray("<html>\r\n<head><title>Noname</title></head>\r\n<body>\r\n");
        QTest::newRow("empty title")
            << QString() << true << QString()
            << QByteArray("<html>\r\n<head><title></title></head>\r\n<body>\r\n");
        QTest::newRow("markup and umlauts unchanged")
            << QString() << true << u" <b>Bär & Co</b> "_s
            << QByteArray("<html>\r\n<head><title> <b>B\xe4r & Co</b> </title></head>\r\n"
                          "<body>\r\n");
        QTest::newRow("after text without a break")
            << u"abc"_s << false << QString()
            << QByteArray("abc<html>\r\n<head><title>Noname</title></head>\r\n<body>\r\n");
    }
    void pageStart()
    {
        QFETCH(QString, before);
        QFETCH(bool, retitle);
        QFETCH(QString, title);
        QFETCH(QByteArray, document);
        ProgramFixture program;
        QTest::keyClicks(form1()->HPQT, before);
        open(2);
        if (retitle)
            retype(windows().form2->Edit1, title);
        QSignalSpy changes(form1()->HPQT, &TextEditor::documentChanged);
        pressOk(2);
        QCOMPARE(printable(documentBytes()), printable(document));
        QCOMPARE(printable(program.read(u"look.html"_s)), printable(document));
        QCOMPARE(changes.count(), 3); // three appends, three changes
        QVERIFY(!windows().form2->isVisible());
        QVERIFY(program.errors.isEmpty());
    }

    void enterInTheTitleFieldUsesTheTitle()
    {
        ProgramFixture program;
        open(2);
        retype(windows().form2->Edit1, u"Start"_s);
        QCOMPARE(QApplication::focusWidget(), windows().form2->Edit1);
        QTest::keyClick(windows().form2->Edit1, Qt::Key_Return);
        QCOMPARE(printable(documentBytes()),
                 printable("<html>\r\n<head><title>Start</title></head>\r\n<body>\r\n"));
        QVERIFY(!windows().form2->isVisible());
    }

    void tableTag_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("heightField"); // Edit2, under "Höhe"
        QTest::addColumn<QString>("widthField");  // Edit1, under "Breite"
        QTest::addColumn<QString>("border");      // typed into the spin field, if any
        QTest::addColumn<QByteArray>("document");
        QTest::newRow("table untouched")
            << 9 << QString() << QString() << QString() << QString()
            << QByteArray("<table border=0 width= height=>\r\n");
        QTest::newRow("cell untouched")
            << 10 << QString() << QString() << QString() << QString()
            << QByteArray("<td border=0 width= height=>\r\n");
        QTest::newRow("header cell untouched")
            << 11 << QString() << QString() << QString() << QString()
            << QByteArray("<th border=0 width= height=>\r\n");
        QTest::newRow("height field gives the width")
            << 9 << QString() << u"50%"_s << u"120"_s << u"2"_s
            << QByteArray("<table border=2 width=50% height=120>\r\n");
        QTest::newRow("after text without a break")
            << 10 << u"<tr>x"_s << u"50%"_s << u"120"_s << QString()
            << QByteArray("<tr>x<td border=0 width=50% height=120>\r\n");
        QTest::newRow("quotes and blanks unchanged")
            << 11 << QString() << u"\"\""_s << u" 7 "_s << u"-3"_s
            << QByteArray("<th border=-3 width=\"\" height= 7 >\r\n");
        QTest::newRow("refused characters leave the border")
            << 9 << QString() << QString() << QString() << u"1 a"_s
            << QByteArray("<table border=1 width= height=>\r\n");
    }
    void tableTag()
    {
        QFETCH(int, number);
        QFETCH(QString, before);
        QFETCH(QString, heightField);
        QFETCH(QString, widthField);
        QFETCH(QString, border);
        QFETCH(QByteArray, document);
        ProgramFixture program;
        QTest::keyClicks(form1()->HPQT, before);
        open(number);
        QTest::keyClicks(control(number, "Edit2"), heightField);
        QTest::keyClicks(control(number, "Edit1"), widthField);
        if (!border.isEmpty())
            retype(control<SpinField>(number, "SpinEdit1"), border);
        QSignalSpy changes(form1()->HPQT, &TextEditor::documentChanged);
        pressOk(number);
        QCOMPARE(printable(documentBytes()), printable(document));
        QCOMPARE(printable(program.read(u"look.html"_s)), printable(document));
        QCOMPARE(changes.count(), 1);
        QVERIFY(!dialog(number)->isVisible());
        QVERIFY(program.errors.isEmpty());
    }

    void unreadableBorderReadsAsZeroAndStays_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::newRow("trailing blank") << u"7 "_s;
        QTest::newRow("decimal comma") << u"1,5"_s;
        QTest::newRow("decimal point") << u"1.5"_s;
        QTest::newRow("letters") << u"abc"_s;
        QTest::newRow("out of range") << u"2147483648"_s;
    }
    void unreadableBorderReadsAsZeroAndStays()
    {
        QFETCH(QString, pasted);
        ProgramFixture program;
        open(9);
        auto *border = control<SpinField>(9, "SpinEdit1");
        QApplication::clipboard()->setText(pasted);
        border->setFocus();
        border->selectAll();
        QTest::keyClick(border, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(border->text(), pasted);
        pressOk(9);
        QCOMPARE(documentBytes(), QByteArray("<table border=0 width= height=>\r\n"));
        open(9);
        QCOMPARE(border->text(), pasted);
        QVERIFY(program.errors.isEmpty());
    }

    void marquee_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("speed");
        QTest::addColumn<QString>("delay");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("document");
        QTest::newRow("untouched")
            << QString() << QString() << QString() << QString()
            << QByteArray("<marquee scrollamount=5 scrolldelay=5></marquee>\r\n");
        QTest::newRow("negative speed, refused delay")
            << QString() << u"-2"_s << u"x"_s << u"Hallo"_s
            << QByteArray("<marquee scrollamount=-2 scrolldelay=0>Hallo</marquee>\r\n");
        QTest::newRow("markup and umlauts unchanged")
            << u"abc"_s << u"12"_s << u"0"_s << u"<b>Grüße</b> &"_s
            << QByteArray("abc<marquee scrollamount=12 scrolldelay=0><b>Gr\xfc\xdf" "e</b> &"
                          "</marquee>\r\n");
    }
    void marquee()
    {
        QFETCH(QString, before);
        QFETCH(QString, speed);
        QFETCH(QString, delay);
        QFETCH(QString, text);
        QFETCH(QByteArray, document);
        ProgramFixture program;
        QTest::keyClicks(form1()->HPQT, before);
        open(12);
        Form12 *marquee = windows().form12;
        if (!speed.isEmpty())
            retype(marquee->SpinEdit1, speed);
        if (!delay.isEmpty())
            retype(marquee->SpinEdit2, delay);
        type(marquee->Edit1, text);
        QSignalSpy changes(form1()->HPQT, &TextEditor::documentChanged);
        pressOk(12);
        QCOMPARE(printable(documentBytes()), printable(document));
        QCOMPARE(printable(program.read(u"look.html"_s)), printable(document));
        QCOMPARE(changes.count(), 1);
        QVERIFY(!marquee->isVisible());
    }

    void fieldsPersistAcrossHideAndShow_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QByteArray>("once");
        QTest::newRow("Form2") << 2 << QByteArray("<html>\r\n<head><title>T</title></head>\r\n"
                                                  "<body>\r\n");
        QTest::newRow("Form9") << 9 << QByteArray("<table border=4 width=T height=U>\r\n");
        QTest::newRow("Form10") << 10 << QByteArray("<td border=4 width=T height=U>\r\n");
        QTest::newRow("Form11") << 11 << QByteArray("<th border=4 width=T height=U>\r\n");
        QTest::newRow("Form12")
            << 12 << QByteArray("<marquee scrollamount=4 scrolldelay=6>T</marquee>\r\n");
    }
    void fieldsPersistAcrossHideAndShow()
    {
        QFETCH(int, number);
        QFETCH(QByteArray, once);
        ProgramFixture program;
        open(number);
        QList<QLineEdit *> fields;
        if (number == 2) {
            fields = {windows().form2->Edit1};
            retype(windows().form2->Edit1, u"T"_s);
        } else if (number == 12) {
            Form12 *marquee = windows().form12;
            fields = {marquee->SpinEdit1, marquee->SpinEdit2, marquee->Edit1};
            QTest::keyClick(marquee->SpinEdit1, Qt::Key_Down);
            QTest::mouseClick(marquee->SpinEdit2->upArrow(), Qt::LeftButton);
            type(marquee->Edit1, u"T"_s);
        } else {
            auto *table = static_cast<TableTagDialog *>(dialog(number));
            fields = {table->Edit2, table->Edit1, table->SpinEdit1};
            type(table->Edit2, u"T"_s);
            type(table->Edit1, u"U"_s);
            retype(table->SpinEdit1, u"4"_s);
        }
        QStringList texts;
        for (QLineEdit *field : fields)
            texts.append(field->text());

        // Closed by the title bar, then opened again: nothing appended, nothing lost.
        dialog(number)->close();
        QVERIFY(!dialog(number)->isVisible());
        QCOMPARE(documentBytes(), QByteArray());
        open(number);
        for (qsizetype i = 0; i < fields.size(); ++i)
            QCOMPARE(fields.at(i)->text(), texts.at(i));

        // Used, opened again and used again: the same snippet twice.
        pressOk(number);
        open(number);
        for (qsizetype i = 0; i < fields.size(); ++i)
            QCOMPARE(fields.at(i)->text(), texts.at(i));
        pressOk(number);
        QCOMPARE(printable(documentBytes()), printable(once + once));
    }

    void enterIsNoDefaultInTheOthers_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("Form9 Edit2") << 9 << QByteArray("Edit2");
        QTest::newRow("Form9 spin field") << 9 << QByteArray("SpinEdit1");
        QTest::newRow("Form10 Edit1") << 10 << QByteArray("Edit1");
        QTest::newRow("Form11 spin field") << 11 << QByteArray("SpinEdit1");
        QTest::newRow("Form12 Edit1") << 12 << QByteArray("Edit1");
        QTest::newRow("Form12 speed") << 12 << QByteArray("SpinEdit1");
    }
    void enterIsNoDefaultInTheOthers()
    {
        QFETCH(int, number);
        QFETCH(QByteArray, field);
        ProgramFixture program;
        open(number);
        QLineEdit *edit = control(number, field.constData());
        edit->setFocus();
        QCOMPARE(QApplication::focusWidget(), edit);
        const QString text = edit->text();
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(documentBytes(), QByteArray());
        QCOMPARE(edit->text(), text);
        QVERIFY(dialog(number)->isVisible());
    }

    void tabOrder_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("Form2") << 2 << QStringList{u"Edit1"_s, u"Button1"_s};
        QTest::newRow("Form9") << 9
                               << QStringList{u"SpinEdit1"_s, u"Edit1"_s, u"Edit2"_s,
                                              u"Button1"_s};
        QTest::newRow("Form10") << 10
                                << QStringList{u"Edit2"_s, u"Edit1"_s, u"SpinEdit1"_s,
                                               u"Button1"_s};
        QTest::newRow("Form11") << 11
                                << QStringList{u"Edit2"_s, u"Edit1"_s, u"SpinEdit1"_s,
                                               u"Button1"_s};
        QTest::newRow("Form12") << 12
                                << QStringList{u"SpinEdit1"_s, u"SpinEdit2"_s, u"Edit1"_s,
                                               u"Button1"_s};
    }
    void tabOrder()
    {
        QFETCH(int, number);
        QFETCH(QStringList, order);
        ProgramFixture program;
        open(number);
        QStringList visited;
        for (qsizetype i = 0; i <= order.size(); ++i) {
            QWidget *focus = QApplication::focusWidget();
            QVERIFY(focus);
            visited.append(focus->objectName());
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(visited, order + QStringList{order.first()}); // round and back to the first
    }

    void tooLongForTheDocument_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<qsizetype>("capacity");
        QTest::addColumn<QByteArray>("document");
        // The page start's first line fits, the second no longer does.
        QTest::newRow("Form2") << 2 << qsizetype(8) << QByteArray("<html>\r\n");
        QTest::newRow("Form9") << 9 << qsizetype(8) << QByteArray();
        QTest::newRow("Form10") << 10 << qsizetype(8) << QByteArray();
        QTest::newRow("Form11") << 11 << qsizetype(8) << QByteArray();
        QTest::newRow("Form12") << 12 << qsizetype(8) << QByteArray();
    }
    void tooLongForTheDocument()
    {
        QFETCH(int, number);
        QFETCH(qsizetype, capacity);
        QFETCH(QByteArray, document);
        ProgramFixture program;
        form1()->HPQT->setCapacity(capacity);
        open(number);
        pressOk(number);
        QCOMPARE(program.errors, QStringList{u"Text exceeds memo capacity."_s});
        QCOMPARE(printable(documentBytes()), printable(document));
        QVERIFY(dialog(number)->isVisible());
    }
};

QTEST_MAIN(TestElementDialogs)
#include "tst_element_dialogs.moc"
