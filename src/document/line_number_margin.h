#pragma once

#include <QWidget>

class TextEditor;

// The line numbers in a narrow grey margin at the editor's left, inside its frame. The margin
// is as wide as the line count's digits; it paints only the lines on screen.
class LineNumberMargin : public QWidget
{
    Q_OBJECT

public:
    explicit LineNumberMargin(TextEditor *editor);

    QSize sizeHint() const override { return {marginWidth(), 0}; }
    int marginWidth() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitWidth();
    void follow(const QRect &rect, int dy);
    void placeBesideText();

    TextEditor *m_editor;
    QWidget *m_viewport;
    int m_width = 0;
};
