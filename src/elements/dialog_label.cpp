#include "elements/dialog_label.h"

#include "app/window_frame.h"

#include <QLabel>

QLabel *createLabel(QWidget *parent, const QString &name, const QString &caption, int left,
                    int top, int width)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    place(label, left, top, qMax(width, label->sizeHint().width()), 13);
    return label;
}
