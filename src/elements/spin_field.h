#pragma once

#include <QLineEdit>

class QAbstractButton;

// An integer field with a pair of arrows inside its right edge. It keeps its value only as its
// text: reading never changes the text, and unreadable text reads as the minimum. Equal minimum
// and maximum mean the field has no bounds.
class SpinField : public QLineEdit
{
    Q_OBJECT

public:
    explicit SpinField(QWidget *parent = nullptr);

    qint32 value() const;
    // Replaces the whole text by the value in decimal, limited to the bounds.
    void setValue(qint32 value);

    qint32 minimum() const { return m_minimum; }
    qint32 maximum() const { return m_maximum; }
    void setRange(qint32 minimum, qint32 maximum);
    qint32 increment() const { return m_increment; }
    void setIncrement(qint32 increment) { m_increment = increment; }

    void stepUp();
    void stepDown();

    QAbstractButton *upArrow() const { return m_up; }
    QAbstractButton *downArrow() const { return m_down; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void stepBy(qint32 delta);
    void placeArrows();

    QAbstractButton *m_up;
    QAbstractButton *m_down;
    qint32 m_minimum = 0;
    qint32 m_maximum = 0;
    qint32 m_increment = 1;
};
