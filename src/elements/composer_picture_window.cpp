#include "elements/composer_picture_window.h"

#include "document/text_editor.h"
#include "elements/snippets.h"
#include "elements/text_composer.h"
#include "foundation/error_display.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
const PickerWindow::Layout placement{u"Form5", u"Bild", 374, 192, 282, 153, 73, 152,
                                     u"Bitte wählen sie jetzt ihr", u"Bild aus",
                                     u"Bild verwenden", 152, 128};
} // namespace

Form5::Form5(QWidget *parent) : PickerWindow(placement, parent)
{
    Button2 = addControl<QPushButton>(u"Button2"_s, this, 152, 88, 121, 25, u"Bild als Link"_s);

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
