#include "elements/background_window.h"

#include "document/text_editor.h"
#include "elements/snippets.h"
#include "foundation/error_display.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
const PickerWindow::Layout placement{u"Form8", u"Hintergrund", 411, 264, 276, 157, 78, 147,
                                     u"Bitte wählen sie jetzt ihren", u"Hintergrund aus.",
                                     u"Als Hindergrund", 147, 112};
} // namespace

Form8::Form8(QWidget *parent) : PickerWindow(placement, parent)
{
    setTabChain({Button1, FileListBox1, DirectoryListBox1, DriveComboBox1, Edit1});
    connectHandler(Button1, &QPushButton::clicked, this, &Form8::Button1Click);
}

void Form8::Button1Click()
{
    AppendLines(Snippets::background(Edit1->text()), windows().HPQT);
    close();
}
