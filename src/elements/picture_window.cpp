#include "elements/picture_window.h"

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

Form6::Form6(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form6"_s);
    setUpWindow(this, u"Bild"_s, Border::Fixed, 395, 216, 270, 160);

    picker = new PicturePicker(this);
    DriveComboBox1 = picker->DriveComboBox1;
    DirectoryListBox1 = picker->DirectoryListBox1;
    FileListBox1 = picker->FileListBox1;
    Edit1 = picker->Edit1;
    picker->placeControls(78, 147);

    Label1 = addLabel(u"Label1"_s, u"Bitte wählen sie jetzt ihr"_s, this, 152, 32);
    Label2 = addLabel(u"Label2"_s, u"Bild aus"_s, this, 152, 48);
    Button1 = new QPushButton(u"Bild verwenden"_s, this);
    Button1->setObjectName(u"Button1"_s);
    place(Button1, 147, 112, 121, 25);

    setTabChain({Button1, Edit1, DirectoryListBox1, DriveComboBox1, FileListBox1});
    connectHandler(Button1, &QPushButton::clicked, this, &Form6::Button1Click);
}

void Form6::Button1Click()
{
    AppendLines(Snippets::image(Edit1->text()), windows().form1->HPQT);
    close();
}
