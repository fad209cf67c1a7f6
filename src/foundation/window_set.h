#pragma once

#include <QString>

class Form1;
class Form2;
class Form3;
class Form4;
class Form5;
class Form6;
class Form7;
class Form8;
class Form9;
class Form10;
class Form11;
class Form12;
class Form13;
class Form14;
class FileDialog;
class TextEditor;

// The program's fourteen windows. Each exists once, from start-up to the end of the process,
// and the windows reach one another through this set by their names.
struct WindowSet
{
    Form1 *form1 = nullptr;
    Form2 *form2 = nullptr;
    Form3 *form3 = nullptr;
    Form4 *form4 = nullptr;
    Form5 *form5 = nullptr;
    Form6 *form6 = nullptr;
    Form7 *form7 = nullptr;
    Form8 *form8 = nullptr;
    Form9 *form9 = nullptr;
    Form10 *form10 = nullptr;
    Form11 *form11 = nullptr;
    Form12 *form12 = nullptr;
    Form13 *form13 = nullptr;
    Form14 *form14 = nullptr;

    // What the other windows read from the main window, so they need not know its class: the
    // page editor that their snippets go into, and the page chosen for the preview.
    TextEditor *HPQT = nullptr;
    FileDialog *OpenDialog2 = nullptr;
    // The page file the document was last opened from or saved to; empty after "Neu" and
    // before the first. The preview links to the source while it shows this page or look.html.
    QString pageFile;
};

// The set, filled at start-up by the program's roof.
WindowSet &windows();
