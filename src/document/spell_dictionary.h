#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class Hunspell;

// The German dictionary, with answers kept per word so that lines coming on screen again cost
// next to nothing. Without its files it is empty and knows no word: isLoaded() says so.
class SpellDictionary
{
public:
    // basePath names the files without their endings: ".../de_DE" for de_DE.aff and de_DE.dic.
    explicit SpellDictionary(const QString &basePath);
    ~SpellDictionary();

    // Where Debian puts the German dictionary, or an empty name if it is not installed.
    static QString installedGerman();

    bool isLoaded() const { return m_hunspell != nullptr; }
    bool knows(const QString &word);
    // Up to `most` words the dictionary would write instead.
    QStringList suggestions(const QString &word, int most = 5);
    // Knows the word from now on, for this run.
    void add(const QString &word);

private:
    std::string encoded(const QString &word) const;

    std::unique_ptr<Hunspell> m_hunspell;
    bool m_utf8 = true; // the dictionary's own encoding, else ISO 8859-1
    QHash<QString, bool> m_known;
};
