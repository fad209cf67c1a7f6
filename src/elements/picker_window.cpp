#include "elements/picker_window.h"

#include "elements/picture_picker.h"
#include "foundation/window_frame.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

PickerWindow::PickerWindow(const Layout &layout, QWidget *parent) : QWidget(parent)
{
    setObjectName(QString::fromUtf16(layout.name));
    setUpWindow(this, QString::fromUtf16(layout.caption), Border::Fixed, layout.left, layout.top,
                layout.width, layout.height);

    picker = new PicturePicker(this);
    DriveComboBox1 = picker->DriveComboBox1;
    DirectoryListBox1 = picker->DirectoryListBox1;
    FileListBox1 = picker->FileListBox1;
    Edit1 = picker->Edit1;
    picker->placeControls(layout.fileListHeight, layout.fieldLeft);

    Label1 = addLabel(u"Label1"_s, QString::fromUtf16(layout.prompt), this, 152, 32);
    Label2 = addLabel(u"Label2"_s, QString::fromUtf16(layout.subject), this, 152, 48);
    Button1 = addControl<QPushButton>(u"Button1"_s, this, layout.useLeft, layout.useTop, 121, 25,
                                      QString::fromUtf16(layout.useCaption));
}
