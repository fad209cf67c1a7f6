#include "document/spelling_marks.h"

#include "document/personal_words.h"
#include "document/spell_dictionary.h"
#include "document/text_editor.h"
#include "foundation/error_display.h"
#include "html/spelling_words.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QSettings>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString settingKey = u"Rechtschreibung/pruefen"_s;

QSettings settings()
{
    return QSettings(u"tagschmied"_s, u"tagschmied"_s);
}

// Time after the editor is first shown before the dictionary loads, so the window is on
// screen before the program spends the 30 ms it takes.
constexpr int loadDelayMilliseconds = 250;

} // namespace

SpellingMarks::SpellingMarks(TextEditor *editor, HtmlColouring *colouring,
                             const QString &dictionaryPath)
    : QObject(editor), m_editor(editor), m_colouring(colouring), m_dictionaryPath(dictionaryPath)
{
    m_on = settings().value(settingKey, true).toBool();
    m_mark.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    m_mark.setUnderlineColor(Qt::red);
    colouring->addExtraFormats([this](const QTextBlock &block, int state,
                                      const QList<HtmlSpan> &spans,
                                      QList<QTextLayout::FormatRange> &ranges) {
        markWords(block, state, spans, ranges);
    });
    connect(editor, &TextEditor::contextMenuAboutToShow, this, &SpellingMarks::addEntries);
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, &SpellingMarks::caretMoved);
    editor->installEventFilter(this);
}

SpellingMarks::~SpellingMarks() = default;

QString SpellingMarks::installedDictionary()
{
    return SpellDictionary::installedGerman();
}

bool SpellingMarks::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Show && !m_loadScheduled) {
        m_loadScheduled = true;
        QTimer::singleShot(loadDelayMilliseconds, this, &SpellingMarks::loadDictionary);
    }
    return false;
}

void SpellingMarks::loadDictionary()
{
    if (m_dictionary)
        return;
    m_dictionary = std::make_unique<SpellDictionary>(m_dictionaryPath);
    if (!m_dictionary->isLoaded())
        return; // the page stays without marks, as without this
    m_personalWords = readPersonalWords(personalWordsPath());
    for (const QString &word : std::as_const(m_personalWords))
        m_dictionary->add(word);
    refresh();
}

bool SpellingMarks::hasDictionary() const
{
    return m_dictionary && m_dictionary->isLoaded();
}

void SpellingMarks::setOn(bool on)
{
    if (on == m_on)
        return;
    m_on = on;
    settings().setValue(settingKey, on);
    refresh();
}

void SpellingMarks::markWords(const QTextBlock &block, int state, const QList<HtmlSpan> &spans,
                              QList<QTextLayout::FormatRange> &ranges)
{
    if (!m_on || !hasDictionary())
        return;
    const QString line = block.text();
    const QTextCursor caret = m_editor->textCursor();
    const int caretColumn = caret.block() == block ? caret.positionInBlock() : -1;
    for (const SpellingWord &word : spellingWords(line, state, spans)) {
        // The word being typed is marked once the caret leaves it, not while half written.
        if (word.end == caretColumn) {
            m_heldLine = block.blockNumber();
            continue;
        }
        if (isMisspelt(word))
            ranges.append({word.start, word.end - word.start, m_mark});
    }
}

void SpellingMarks::caretMoved()
{
    if (m_heldLine < 0)
        return;
    // After the event that moved the caret, as it may move inside an edit.
    QMetaObject::invokeMethod(this, [this, line = std::exchange(m_heldLine, -1)] {
        if (m_colouring)
            m_colouring->refreshExtraFormats(m_editor->document()->findBlockByNumber(line));
    }, Qt::QueuedConnection);
}

void SpellingMarks::refresh()
{
    if (m_colouring)
        m_colouring->refreshExtraFormats();
}

bool SpellingMarks::isMisspelt(const SpellingWord &word)
{
    return !m_ignored.contains(word.text) && !m_dictionary->knows(word.text)
           && !(word.fullStopAfter && m_dictionary->knows(word.text + u'.'));
}

void SpellingMarks::addEntries(QMenu *menu, const QPoint &position)
{
    loadDictionary();
    QAction *first = menu->actions().value(0);
    const auto insert = [menu, first](const QString &text) {
        auto *action = new QAction(text, menu);
        menu->insertAction(first, action);
        return action;
    };
    if (m_on && hasDictionary() && !m_editor->isReadOnly()) {
        const QTextCursor at = m_editor->cursorForPosition(position);
        const QTextBlock block = at.block();
        const QString line = block.text();
        const int column = at.positionInBlock();
        const int state = m_colouring ? m_colouring->startState(block) : int(HtmlState::Text);
        for (const SpellingWord &word : spellingWords(line, state)) {
            if (column < word.start || column > word.end || !isMisspelt(word))
                continue;
            const QStringList suggestions = m_dictionary->suggestions(word.text);
            for (const QString &suggestion : suggestions) {
                QString caption = suggestion;
                connect(insert(caption.replace(u'&', u"&&"_s)), &QAction::triggered, this,
                        [this, number = block.blockNumber(), line, word, suggestion] {
                            replaceWord(number, line, word, suggestion);
                        });
            }
            if (suggestions.isEmpty())
                insert(u"(keine Vorschläge)"_s)->setEnabled(false);
            connect(insert(u"Zum Wörterbuch hinzufügen"_s), &QAction::triggered, this,
                    [this, text = word.text] { addToPersonalWords(text); });
            connect(insert(u"Ignorieren"_s), &QAction::triggered, this, [this, text = word.text] {
                m_ignored.insert(text);
                refresh();
            });
            menu->insertSeparator(first);
            break;
        }
    }
    menu->addSeparator();
    QAction *toggle = menu->addAction(u"Rechtschreibung prüfen"_s);
    toggle->setObjectName(u"spelling"_s);
    toggle->setCheckable(true);
    toggle->setChecked(m_on);
    connect(toggle, &QAction::toggled, this, &SpellingMarks::setOn);
    if (!hasDictionary()) {
        toggle->setText(u"Rechtschreibung prüfen (kein deutsches Wörterbuch installiert: hunspell-de-de)"_s);
        toggle->setEnabled(false);
    }
}

void SpellingMarks::replaceWord(int lineNumber, const QString &line, const SpellingWord &word,
                                const QString &replacement)
{
    // The line may have changed since the menu was made (a timer's edit): then the word's
    // place is no longer known, and nothing is replaced.
    const QTextBlock block = m_editor->document()->findBlockByNumber(lineNumber);
    if (!block.isValid() || block.text() != line)
        return;
    const QString written = word.writtenWithReferences ? withCharacterReferences(replacement)
                                                       : replacement;
    runGuarded([&] {
        m_editor->editAsOneChange([&](QTextCursor &cursor) {
            cursor.setPosition(block.position() + word.start);
            cursor.setPosition(block.position() + word.end, QTextCursor::KeepAnchor);
            cursor.insertText(written);
        });
    });
}

void SpellingMarks::addToPersonalWords(const QString &word)
{
    m_dictionary->add(word);
    refresh();
    if (m_personalWords.contains(word))
        return;
    m_personalWords.append(word);
    runGuarded([this] { writePersonalWords(personalWordsPath(), m_personalWords); });
}
