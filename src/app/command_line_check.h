#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What `tagschmied --check SEITE...` prints and returns.
struct PageCheckRun
{
    QByteArray output; // one line a message: SEITE:ZEILE:SPALTE: Fehler|Warnung|Hinweis: Meldung
    QByteArray errors; // one German line for each page that could not be read
    int exitStatus = 0; // 0 no Fehler, 1 a page has one, 2 a page could not be read
};

// Checks each page as the editor reads it (its encoding), its links looked up in its own
// folder; pages are named as on the command line, relative ones from startFolder, and printed
// as named.
PageCheckRun checkPageFiles(const QStringList &pages, const QString &startFolder);
