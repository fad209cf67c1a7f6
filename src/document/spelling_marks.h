#pragma once

#include "html/html_colouring.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTextCharFormat>

#include <memory>

class QMenu;
class SpellDictionary;
class TextEditor;
struct SpellingWord;

// Red wavy marks under the words of a page's text that the German dictionary does not know,
// beside the HTML colours in the same layouts; they never change the text. The editor's
// context menu offers suggestions for a marked word, takes it into the user's own word list
// or ignores it for this run, and switches the marks off and on (remembered across runs).
// The dictionary is loaded on first need: shortly after the editor is first shown, or when its
// context menu is first asked for.
class SpellingMarks : public QObject
{
    Q_OBJECT

public:
    SpellingMarks(TextEditor *editor, HtmlColouring *colouring,
                  const QString &dictionaryPath = installedDictionary());
    ~SpellingMarks() override;

    static QString installedDictionary();

    bool isOn() const { return m_on; }
    void setOn(bool on);
    // Loads the dictionary and the user's own words, once.
    void loadDictionary();
    bool hasDictionary() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void markWords(const QTextBlock &block, int state, const QList<HtmlSpan> &spans,
                   QList<QTextLayout::FormatRange> &ranges);
    bool isMisspelt(const SpellingWord &word);
    void addEntries(QMenu *menu, const QPoint &position);
    void replaceWord(int lineNumber, const QString &line, const SpellingWord &word,
                     const QString &replacement);
    void addToPersonalWords(const QString &word);
    void caretMoved();
    void refresh();

    TextEditor *m_editor;
    QPointer<HtmlColouring> m_colouring; // the marks end with the colouring they join
    QString m_dictionaryPath;
    std::unique_ptr<SpellDictionary> m_dictionary;
    QStringList m_personalWords;
    QSet<QString> m_ignored;
    bool m_on = true;
    bool m_loadScheduled = false;
    // The line whose word at the caret was left unmarked, or -1.
    int m_heldLine = -1;
    QTextCharFormat m_mark;
};
