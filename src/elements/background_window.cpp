#include "elements/background_window.h"

#include "app/error_display.h"
#include "app/window_frame.h"
#include "app/window_set.h"
#include "document/main_window.h"
#include "document/text_editor.h"
#include "elements/picture_picker.h"
#include "elements/snippets.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

Form8::Form8(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form8"_s);
    setUpWindow(this, u"Hintergrund"_s, Border::Fixed, 411, 264, 276, 157);

    picker = new PicturePicker(this);
    DriveComboBox1 = picker->DriveComboBox1;
    DirectoryListBox1 = picker->DirectoryListBox1;
    FileListBox1 = picker->FileListBox1;
    Edit1 = picker->Edit1;
    picker->placeControls(78, 147);

    Label1 = addLabel(u"Label1"_s, u"Bitte wählen sie jetzt ihren"_s, this, 152, 32);
    Label2 = addLabel(u"Label2"_s, u"Hintergrund aus."_s, this, 152, 48);
    Button1 = new QPushButton(u"Als Hindergrund"_s, this);
    Button1->setObjectName(u"Button1"_s);
    place(Button1, 147, 112, 121, 25);

    setTabChain({Button1, FileListBox1, DirectoryListBox1, DriveComboBox1, Edit1});
    connectHandler(Button1, &QPushButton::clicked, this, &Form8::Button1Click);
}

void Form8::Button1Click()
{
    AppendLines(Snippets::background(Edit1->text()), windows().form1->HPQT);
    close();
}
