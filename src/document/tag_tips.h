#pragma once

#include <QObject>
#include <QRect>

class TextEditor;

// Resting the mouse on an element or attribute name in the editor shows what it is for, in
// German; an element's tip adds the attributes it takes, an obsolete one's what a page uses
// today instead.
class TagTips : public QObject
{
    Q_OBJECT

public:
    explicit TagTips(TextEditor *editor);

    // The tip for the name under a point of the editor's viewport, or an empty text; `name`
    // receives where that name stands, so the tip goes when the mouse leaves it.
    QString tipAt(const QPoint &position, QRect *name = nullptr) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TextEditor *m_editor;
};
