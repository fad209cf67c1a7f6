#pragma once

#include <QWidget>

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
    };

    TableTagDialog(const Member &member, QWidget *parent);

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
