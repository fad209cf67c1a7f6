#pragma once

#include <QWidget>

class TextEditor;

// The text composer: a block of text appended to the document as text or heading.
class Form3 : public QWidget
{
    Q_OBJECT

public:
    explicit Form3(QWidget *parent = nullptr);

    TextEditor *Memo1; // the composer text, also appended to by Form4 and Form5
};
