#pragma once

#include <QWidget>

#include <functional>

class QTextBlock;
class TextEditor;

// The line numbers in a narrow grey margin at the editor's left, inside its frame. The margin
// is as wide as the line count's digits; it paints only the lines on screen. Others may give
// it a small sign for some lines, with a tool tip over it.
class LineNumberMargin : public QWidget
{
    Q_OBJECT

public:
    explicit LineNumberMargin(TextEditor *editor);

    QSize sizeHint() const override { return {marginWidth(), 0}; }
    int marginWidth() const;

    // A circle is drawn for an error, a triangle for a warning: told apart by shape, not by
    // colour alone.
    enum class Sign { None, Warning, Error };
    using SignOf = std::function<Sign(const QTextBlock &line)>;
    using TipOf = std::function<QString(const QTextBlock &line)>;
    // Makes room left of the numbers for a sign on each line; empty functions take the room
    // away again.
    void setSigns(SignOf sign, TipOf tip);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitWidth();
    void follow(const QRect &rect, int dy);
    void placeBesideText();
    int signWidth() const;
    void paintSign(QPainter &painter, Sign sign, const QRectF &line) const;
    QTextBlock lineAt(int y) const;

    TextEditor *m_editor;
    QWidget *m_viewport;
    int m_width = 0;
    SignOf m_sign;
    TipOf m_tip;
};
