#include "elements/link_dialog.h"

#include "document/text_editor.h"
#include "elements/composer_picture_window.h"
#include "elements/snippets.h"
#include "foundation/error_display.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

Form7::Form7(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form7"_s);
    setUpWindow(this, u"Link"_s, Border::Fixed, 200, 109, 247, 148);

    Label1 = addLabel(u"Label1"_s, u"Verweistext eingeben:"_s, this, 8, 8);
    Edit1 = addControl<QLineEdit>(u"Edit1"_s, this, 8, 24, 233, 21);
    Label2 = addLabel(u"Label2"_s, u"Verweisziel eingeben:"_s, this, 8, 48);
    Edit2 = addControl<QLineEdit>(u"Edit2"_s, this, 8, 64, 233, 21);
    normal = new QRadioButton(u"Text"_s, this);
    normal->setObjectName(u"normal"_s);
    normal->setChecked(true);
    place(normal, 8, 96, 113, 17);
    bild = addControl<QRadioButton>(u"bild"_s, this, 8, 112, 113, 17, u"Bild"_s);
    Button1 = addControl<QPushButton>(u"Button1"_s, this, 128, 96, 75, 25, u"O.K"_s);

    setTabChain({Edit1, Edit2, Button1, normal, bild});
    // Only a change to checked opens the picker, by mouse or by the arrow keys alike.
    connect(bild, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            runGuarded([this] { bildClick(); });
    });
    connectHandler(Button1, &QPushButton::clicked, this, &Form7::Button1Click);
}

void Form7::bildClick()
{
    openWindow(windows().form5);
}

void Form7::Button1Click()
{
    const QString link = normal->isChecked()
                             ? Snippets::textLink(Edit2->text(), Edit1->text())
                             : Snippets::pictureLink(Edit2->text(), windows().form5->Edit1->text());
    AppendLines(link, windows().HPQT);
    close();
}
