#include "elements/composer_picture_window.h"

#include "app/error_display.h"
#include "app/window_frame.h"
#include "app/window_set.h"
#include "document/text_editor.h"
#include "elements/picture_picker.h"
#include "elements/snippets.h"
#include "elements/text_composer.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

Form5::Form5(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form5"_s);
    setUpWindow(this, u"Bild"_s, Border::Fixed, 374, 192, 282, 153);

    picker = new PicturePicker(this);
    DriveComboBox1 = picker->DriveComboBox1;
    DirectoryListBox1 = picker->DirectoryListBox1;
    FileListBox1 = picker->FileListBox1;
    Edit1 = picker->Edit1;
    picker->placeControls(73, 152);

    Label1 = addLabel(u"Label1"_s, u"Bitte wählen sie jetzt ihr"_s, this, 152, 32);
    Label2 = addLabel(u"Label2"_s, u"Bild aus"_s, this, 152, 48);
    Button1 = new QPushButton(u"Bild verwenden"_s, this);
    Button1->setObjectName(u"Button1"_s);
    place(Button1, 152, 128, 121, 25);
    Button2 = new QPushButton(u"Bild als Link"_s, this);
    Button2->setObjectName(u"Button2"_s);
    place(Button2, 152, 88, 121, 25);

    setTabChain({FileListBox1, DirectoryListBox1, DriveComboBox1, Edit1, Button1, Button2});
    connectHandler(Button1, &QPushButton::clicked, this, &Form5::Button1Click);
    connectHandler(Button2, &QPushButton::clicked, this, &Form5::Button2Click);
}

void Form5::Button1Click()
{
    AppendLines(Snippets::image(Edit1->text()), windows().form3->Memo1);
    close();
}

void Form5::Button2Click()
{
    close();
}
