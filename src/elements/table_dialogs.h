#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class SpinField;

// The table, cell and header-cell dialogs: one family that differs in tag, caption and layout.
class TableTagDialog : public QWidget
{
    Q_OBJECT

public:
    struct Member
    {
        const char16_t *name;
        const char16_t *caption;
        const char16_t *tagStart;
        int left, top, width, height;
        int buttonTop;
        bool borderFirst; // the border field leads the tab order
    };

    TableTagDialog(const Member &member, QWidget *parent);

    QLabel *Label1, *Label2, *Label3;
    QLineEdit *Edit2; // under the height label, yet it gives the width
    QLineEdit *Edit1; // under the width label, yet it gives the height
    SpinField *SpinEdit1;
    QPushButton *Button1;

    void Button1Click();

private:
    const Member &m_member;
};

class Form9 : public TableTagDialog
{
    Q_OBJECT
public:
    explicit Form9(QWidget *parent = nullptr);
};

class Form10 : public TableTagDialog
{
    Q_OBJECT
public:
    explicit Form10(QWidget *parent = nullptr);
};

class Form11 : public TableTagDialog
{
    Q_OBJECT
public:
    explicit Form11(QWidget *parent = nullptr);
};
