#include "elements/picture_window.h"

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
const PickerWindow::Layout placement{u"Form6", u"Bild", 395, 216, 270, 160, 78, 147,
                                     u"Bitte wählen sie jetzt ihr", u"Bild aus",
                                     u"Bild verwenden", 147, 112};
} // namespace

Form6::Form6(QWidget *parent) : PickerWindow(placement, parent)
{
    setTabChain({Button1, Edit1, DirectoryListBox1, DriveComboBox1, FileListBox1});
    connectHandler(Button1, &QPushButton::clicked, this, &Form6::Button1Click);
}

void Form6::Button1Click()
{
    AppendLines(Snippets::image(Edit1->text()), windows().HPQT);
    close();
}
