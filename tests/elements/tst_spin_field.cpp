#include "elements/spin_field.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>
#include <QtTest>

#include <limits>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A window with an ordinary field in front of the spin field, so the focus can come from it.
struct Window
{
    Window()
    {
        window->setObjectName(u"window"_s);
        before = new QLineEdit(window.get());
        before->setObjectName(u"before"_s);
        spin = new SpinField(window.get());
        spin->setObjectName(u"spin"_s);
        auto *layout = new QVBoxLayout(window.get());
        layout->addWidget(before);
        layout->addWidget(spin);
        window->show();
        QApplication::setActiveWindow(window.get());
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("window not active");
    }

    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QLineEdit *before;
    SpinField *spin;
};

QPoint middle(QWidget *widget)
{
    return widget->rect().center();
}

} // namespace

class TestSpinField : public QObject
{
    Q_OBJECT

private slots:
    void newFieldShowsZero()
    {
        SpinField spin;
        QCOMPARE(spin.text(), u"0"_s);
        QCOMPARE(spin.value(), 0);
    }

    void refusedCharactersLeaveTheText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters") << u"abc"_s;
        QTest::newRow("blank") << u" "_s;
        QTest::newRow("dollar") << u"$"_s;
        QTest::newRow("other separator")
            << (QLocale().decimalPoint() == u"."_s ? u","_s : u"."_s);
    }
    void refusedCharactersLeaveTheText()
    {
        QFETCH(QString, typed);
        Window w;
        w.spin->setText(u"12"_s);
        w.spin->setFocus();
        w.spin->end(false);
        QTest::keyClicks(w.spin, typed);
        QCOMPARE(w.spin->text(), u"12"_s);
    }

    void enterIsRefused()
    {
        Window w;
        w.spin->setText(u"12"_s);
        w.spin->setFocus();
        QTest::keyClick(w.spin, Qt::Key_Return);
        QTest::keyClick(w.spin, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(w.spin->text(), u"12"_s);
    }

    void acceptedCharacters()
    {
        Window w;
        w.spin->setFocus();
        w.spin->selectAll();
        const QString typed = u"-1"_s + QLocale().decimalPoint() + u"5+"_s;
        QTest::keyClicks(w.spin, typed);
        QCOMPARE(w.spin->text(), typed);
        QCOMPARE(w.spin->value(), 0); // unreadable, and the text stays as typed
        QCOMPARE(w.spin->text(), typed);
        QTest::keyClick(w.spin, Qt::Key_Backspace);
        QCOMPARE(w.spin->text(), typed.chopped(1));
    }

    void pastingPutsAnyTextIn()
    {
        Window w;
        QApplication::clipboard()->setText(u"12 Äpfel"_s);
        w.spin->setFocus();
        w.spin->selectAll();
        QTest::keyClick(w.spin, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.spin->text(), u"12 Äpfel"_s);
        QCOMPARE(w.spin->value(), 0);
    }

    void keysStepFromTheReadValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("result");
        QTest::newRow("letters up") << u"abc"_s << int(Qt::Key_Up) << u"1"_s;
        QTest::newRow("zero down") << u"0"_s << int(Qt::Key_Down) << u"-1"_s;
        QTest::newRow("largest up") << u"2147483647"_s << int(Qt::Key_Up) << u"2147483647"_s;
        QTest::newRow("smallest down") << u"-2147483648"_s << int(Qt::Key_Down)
                                       << u"-2147483648"_s;
    }
    void keysStepFromTheReadValue()
    {
        QFETCH(QString, text);
        QFETCH(int, key);
        QFETCH(QString, result);
        Window w;
        w.spin->setText(text);
        w.spin->setFocus();
        QTest::keyClick(w.spin, Qt::Key(key));
        QCOMPARE(w.spin->text(), result);
    }

    void boundsLimitSteppingAndLeaving()
    {
        Window w;
        w.spin->setRange(0, 10);
        w.spin->setText(u"10"_s);
        w.spin->stepUp();
        QCOMPARE(w.spin->text(), u"10"_s);
        w.spin->setFocus();
        w.spin->setText(u"25"_s);
        w.before->setFocus();
        QCOMPARE(w.spin->text(), u"10"_s);
    }

    void leavingWithoutBoundsKeepsTheText()
    {
        Window w;
        w.spin->setFocus();
        w.spin->setText(u"x 1"_s);
        w.before->setFocus();
        QCOMPARE(w.spin->text(), u"x 1"_s);
    }

    void arrowClickStepsOnceAndTakesTheFocus()
    {
        Window w;
        w.before->setFocus();
        w.spin->setText(u"abc"_s);
        QTest::mouseClick(w.spin->upArrow(), Qt::LeftButton, {}, middle(w.spin->upArrow()));
        QCOMPARE(w.spin->text(), u"1"_s);
        QVERIFY(w.spin->hasFocus());
        QTest::mouseClick(w.spin->downArrow(), Qt::LeftButton, {}, middle(w.spin->downArrow()));
        QTest::mouseClick(w.spin->downArrow(), Qt::LeftButton, {}, middle(w.spin->downArrow()));
        QCOMPARE(w.spin->text(), u"-1"_s);
    }

    void releasingAwayFromTheArrowDoesNotStep()
    {
        Window w;
        QAbstractButton *up = w.spin->upArrow();
        QTest::mousePress(up, Qt::LeftButton, {}, middle(up));
        QTest::mouseMove(up, QPoint(-50, -50));
        QTest::mouseRelease(up, Qt::LeftButton, {}, QPoint(-50, -50));
        QCOMPARE(w.spin->text(), u"0"_s);
    }

    void holdingAnArrowRepeats()
    {
        Window w;
        QAbstractButton *up = w.spin->upArrow();
        QElapsedTimer clock;
        QList<qint64> steps;
        connect(w.spin, &QLineEdit::textChanged, w.spin, [&] { steps.append(clock.elapsed()); });
        clock.start();
        QTest::mousePress(up, Qt::LeftButton, {}, middle(up));
        QTest::qWait(300);
        QVERIFY(steps.isEmpty()); // no step before the delay
        QTRY_VERIFY_WITH_TIMEOUT(steps.size() >= 3, 5000);
        const qsizetype held = steps.size();
        QTest::mouseRelease(up, Qt::LeftButton, {}, middle(up));
        // Coarse timers may fire up to 5% early.
        QVERIFY2(steps.at(0) >= 380, QByteArray::number(steps.at(0)));
        QVERIFY2(steps.at(1) - steps.at(0) >= 95, QByteArray::number(steps.at(1) - steps.at(0)));
        QVERIFY2(steps.at(1) - steps.at(0) < 380, QByteArray::number(steps.at(1) - steps.at(0)));
        QCOMPARE(w.spin->text(), QString::number(held + 1)); // the release steps once more
        QTest::qWait(250);
        QCOMPARE(w.spin->text(), QString::number(held + 1)); // and the repeat has stopped
    }

    void tabbingInSelectsAllClickingDoesNot()
    {
        Window w;
        w.spin->setText(u"123"_s);
        w.before->setFocus();
        QTest::keyClick(w.before, Qt::Key_Tab);
        QVERIFY(w.spin->hasFocus());
        QCOMPARE(w.spin->selectedText(), u"123"_s);

        w.before->setFocus();
        QTest::mouseClick(w.spin, Qt::LeftButton, {}, QPoint(4, w.spin->height() / 2));
        QVERIFY(w.spin->hasFocus());
        QVERIFY(w.spin->selectedText().isEmpty());

        // Coming back to the window enters the field again.
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QVERIFY(QTest::qWaitForWindowActive(&other));
        w.spin->deselect();
        QApplication::setActiveWindow(w.window.get());
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        QVERIFY(w.spin->hasFocus());
        QCOMPARE(w.spin->selectedText(), u"123"_s);
    }
};

QTEST_MAIN(TestSpinField)
#include "tst_spin_field.moc"
