#include "app/main_window.h"
#include "document/text_editor.h"
#include "elements/composer_picture_window.h"
#include "elements/link_dialog.h"
#include "elements/text_composer.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"
#include "support/test_support.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

Form7 *dialog()
{
    return windows().form7;
}

Form5 *picker()
{
    return windows().form5;
}

void openDialog()
{
    QTest::mouseClick(windows().form1->Button7, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(dialog()));
}

// Radio buttons take clicks on their indicator and text only.
void clickRadio(QRadioButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void chooseFile(const QString &name)
{
    QListWidget *files = picker()->FileListBox1;
    const QList<QListWidgetItem *> found = files->findItems(name, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(name));
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(found.constFirst()).center());
}

QByteArray document()
{
    return windows().form1->HPQT->bytes();
}

void makeFile(const ProgramFixture &program, const QString &name)
{
    program.write(name, "GIF89a");
}

} // namespace

class TestLinkDialog : public QObject
{
    Q_OBJECT

private slots:
    void links_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<QByteArray>("appended");
        QTest::newRow("empty text link") << QString() << QString() << false
                                         << QByteArray("<a href=\"\"></a>\r\n");
        QTest::newRow("text link") << u"Start"_s << u"index.html"_s << false
                                   << QByteArray("<a href=\"index.html\">Start</a>\r\n");
        QTest::newRow("nothing escaped") << u"<b>\"hier\"</b>"_s << u"a b\"c"_s << false
                                         << QByteArray("<a href=\"a b\"c\"><b>\"hier\"</b></a>\r\n");
        QTest::newRow("picture link ignores the text")
            << u"Start"_s << u"http://example.org/"_s << true
            << QByteArray("<a href=\"http://example.org/\"><img src=\"*.jpg;*.gif\"></a>\r\n");
    }
    void links()
    {
        QFETCH(QString, text);
        QFETCH(QString, target);
        QFETCH(bool, picture);
        QFETCH(QByteArray, appended);
        ProgramFixture program;
        openDialog();
        QTest::keyClicks(dialog()->Edit1, text);
        QTest::keyClicks(dialog()->Edit2, target);
        if (picture)
            clickRadio(dialog()->bild);
        QTest::mouseClick(dialog()->Button1, Qt::LeftButton);
        QVERIFY(program.errors.isEmpty());
        QCOMPARE(printable(document()), printable(appended));
        QCOMPARE(printable(program.read(u"look.html"_s)), printable(appended));
        QVERIFY(!dialog()->isVisible());

        // Nothing is reset: the next "O.K" appends the same link again.
        openDialog();
        QCOMPARE(dialog()->Edit1->text(), text);
        QCOMPARE(dialog()->bild->isChecked(), picture);
        QTest::mouseClick(dialog()->Button1, Qt::LeftButton);
        QCOMPARE(printable(document()), printable(appended + appended));
    }

    void pictureLinkTakesTheNameChosenInThePicker()
    {
        ProgramFixture program;
        makeFile(program, u"urlaub.jpg"_s);
        makeFile(program, u"see.gif"_s);
        openDialog();
        typeInto(dialog()->Edit2, u"gross.html"_s);
        clickRadio(dialog()->bild);
        QVERIFY(QTest::qWaitForWindowExposed(picker()));
        chooseFile(u"urlaub.jpg"_s);
        QTest::mouseClick(picker()->Button2, Qt::LeftButton); // "Bild als Link"
        QVERIFY(!picker()->isVisible());
        QCOMPARE(picker()->Edit1->text(), u"urlaub.jpg"_s);

        QTest::mouseClick(dialog()->Button1, Qt::LeftButton);
        QCOMPARE(document(), QByteArray("<a href=\"gross.html\"><img src=\"urlaub.jpg\"></a>\r\n"));

        // The field at the moment of "O.K" counts, typed or chosen, whoever opened the picker.
        openWindow(picker());
        typeInto(picker()->Edit1, u"anders.gif"_s);
        openDialog();
        QTest::mouseClick(dialog()->Button1, Qt::LeftButton);
        QVERIFY(document().endsWith("<a href=\"gross.html\"><img src=\"anders.gif\"></a>\r\n"));
    }

    void useInPickerGoesToTheComposer()
    {
        ProgramFixture program;
        makeFile(program, u"urlaub.jpg"_s);
        openDialog();
        clickRadio(dialog()->bild);
        QVERIFY(QTest::qWaitForWindowExposed(picker()));
        chooseFile(u"urlaub.jpg"_s);
        QTest::mouseClick(picker()->Button1, Qt::LeftButton); // "Bild verwenden"
        QCOMPARE(windows().form3->Memo1->bytes(), QByteArray("<img src=\"urlaub.jpg\">\r\n"));
        QCOMPARE(document(), QByteArray());
        QVERIFY(!program.exists(u"look.html"_s));

        QTest::mouseClick(dialog()->Button1, Qt::LeftButton);
        QCOMPARE(document(), QByteArray("<a href=\"\"><img src=\"urlaub.jpg\"></a>\r\n"));
    }

    void pickerOpensOnlyWhenBildBecomesChecked_data()
    {
        QTest::addColumn<bool>("keyboard");
        QTest::newRow("mouse") << false;
        QTest::newRow("keyboard") << true;
    }
    void pickerOpensOnlyWhenBildBecomesChecked()
    {
        QFETCH(bool, keyboard);
        ProgramFixture program;
        openDialog();
        if (keyboard) {
            dialog()->normal->setFocus();
            QTest::keyClick(dialog()->normal, Qt::Key_Down);
        } else {
            clickRadio(dialog()->bild);
        }
        QVERIFY(dialog()->bild->isChecked());
        QVERIFY(picker()->isVisible());

        // Already checked: clicking again opens nothing.
        picker()->close();
        clickRadio(dialog()->bild);
        QVERIFY(!picker()->isVisible());

        // Back to "Text" and then "Bild" again: it opens again.
        clickRadio(dialog()->normal);
        QVERIFY(!picker()->isVisible());
        clickRadio(dialog()->bild);
        QVERIFY(picker()->isVisible());
    }

    void backToTextBeforeOkGivesATextLink()
    {
        ProgramFixture program;
        openDialog();
        QTest::keyClicks(dialog()->Edit1, u"Hier"_s);
        clickRadio(dialog()->bild);
        clickRadio(dialog()->normal);
        QTest::mouseClick(dialog()->Button1, Qt::LeftButton);
        QCOMPARE(document(), QByteArray("<a href=\"\">Hier</a>\r\n"));
        QVERIFY(picker()->isVisible()); // stays open until closed
    }

    void fullDocumentKeepsTheDialogOpen()
    {
        ProgramFixture program;
        openDialog();
        windows().form1->HPQT->setCapacity(10);
        QTest::mouseClick(dialog()->Button1, Qt::LeftButton);
        QCOMPARE(program.errors, QStringList{u"Text exceeds memo capacity."_s});
        QVERIFY(dialog()->isVisible());
        QCOMPARE(document(), QByteArray());
    }
};

QTEST_MAIN(TestLinkDialog)
#include "tst_link_dialog.moc"
