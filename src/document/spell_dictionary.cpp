#include "document/spell_dictionary.h"

#include <QFile>
#include <QStringList>

#include <hunspell.hxx>

#include <algorithm>

using namespace Qt::StringLiterals;

SpellDictionary::SpellDictionary(const QString &basePath)
{
    const QString aff = basePath + u".aff"_s;
    const QString dic = basePath + u".dic"_s;
    // Hunspell would load an empty dictionary from missing files and complain on the terminal.
    if (basePath.isEmpty() || !QFile::exists(aff) || !QFile::exists(dic))
        return;
    m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(),
                                            QFile::encodeName(dic).constData());
    const QString encoding = QString::fromStdString(m_hunspell->get_dict_encoding());
    m_utf8 = encoding.compare(u"UTF-8"_s, Qt::CaseInsensitive) == 0;
}

SpellDictionary::~SpellDictionary() = default;

QString SpellDictionary::installedGerman()
{
    for (const QString &base : {u"/usr/share/hunspell/de_DE"_s, u"/usr/share/myspell/dicts/de_DE"_s}) {
        if (QFile::exists(base + u".aff"_s) && QFile::exists(base + u".dic"_s))
            return base;
    }
    return {};
}

std::string SpellDictionary::encoded(const QString &word) const
{
    return m_utf8 ? word.toStdString() : word.toLatin1().toStdString();
}

bool SpellDictionary::knows(const QString &word)
{
    if (!m_hunspell)
        return false;
    const auto cached = m_known.constFind(word);
    if (cached != m_known.cend())
        return *cached;
    // A word the dictionary's encoding cannot hold is not German; leave it unmarked.
    const bool fits = m_utf8 || std::all_of(word.begin(), word.end(), [](QChar c) { return c.unicode() <= 0xff; });
    const bool known = !fits || m_hunspell->spell(encoded(word));
    m_known.insert(word, known);
    return known;
}

QStringList SpellDictionary::suggestions(const QString &word, int most)
{
    QStringList words;
    if (!m_hunspell)
        return words;
    for (const std::string &suggestion : m_hunspell->suggest(encoded(word))) {
        const QString text = m_utf8 ? QString::fromStdString(suggestion)
                                    : QString::fromLatin1(suggestion.data(), qsizetype(suggestion.size()));
        // Parts of compounds ("Fehl-", "-set") are no words to put in a page.
        if (text.startsWith(u'-') || text.endsWith(u'-') || text == word || words.contains(text))
            continue;
        words.append(text);
        if (words.size() == most)
            break;
    }
    return words;
}

void SpellDictionary::add(const QString &word)
{
    m_known.insert(word, true);
    if (m_hunspell)
        m_hunspell->add(encoded(word));
}
