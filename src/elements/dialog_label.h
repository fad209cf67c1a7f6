#pragma once

#include <QString>

class QLabel;
class QWidget;

// A caption label of a dialog at its fixed place. It shows its text as written (no markup) and
// grows to the right when the face in use is wider than the one the width was measured with,
// so no caption is cut off.
QLabel *createLabel(QWidget *parent, const QString &name, const QString &caption, int left,
                    int top, int width);
