#pragma once

#include <QString>
#include <QStringList>

class Form1;

// What the command line asks for: `tagschmied [--eigener-ordner] [SEITE]`, or
// `tagschmied --check SEITE...`.
struct CommandLine
{
    enum class Action {
        Run,    // start the editor
        Answer, // print answer on standard output and end (help, version)
        Refuse, // print answer on standard error and end with exit status 2
        Check,  // check the pages and print the messages, with no window
    };
    Action action = Action::Run;
    QString answer;
    QString page;           // a full path; empty when none was named
    QStringList checkPages; // as named, for Check
    bool ownFolder = false; // work in ~/Tagschmied, as the menu entry starts the editor
};

// Reads the arguments, the program's name first and Qt's own options already taken out. A
// relative page name resolves against startFolder. Texts come in the language of the
// translators installed.
CommandLine readCommandLine(const QStringList &arguments, const QString &startFolder);

// Whether the arguments ask for the check alone, which needs no display: known before Qt's
// application object is made, so that none is made for windows.
bool asksForCheckOnly(int argc, char *argv[]);

// ~/Tagschmied, where the menu entry starts the editor, so that look.html and eigene.lst have
// a writable home.
QString ownFolder();

// Makes ownFolder() when it is missing and makes it the working folder.
// Throws "Cannot create folder <path>" or the framework's message for the failed change.
void enterOwnFolder();

// Opens the page named on the command line as "Öffnen" would, once the event loop runs, so the
// main window shows first; "Öffnen" then proposes it, also when it could not be read.
void openNamedPage(Form1 *form1, const QString &page);
