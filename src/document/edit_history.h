#pragma once

#include "document/page_encoding.h"

#include <QList>
#include <QString>

#include <deque>
#include <optional>

// One replacement in the text: at `position`, `removed` gave way to `added`.
struct TextEdit
{
    qsizetype position = 0;
    QString removed;
    QString added;
};

// The editor's undo list: steps of edits, oldest first. Each change the program makes is one
// step; typing is grouped as Qt's own editor groups it (a run of characters typed one after
// the other, a run of Backspace or of Delete). The list is capped by steps and by the text it
// stores, oldest steps going first; the newest step is always kept, however large.
class EditHistory
{
public:
    // 100 steps, and 64 MiB of stored text: a 10 MiB page opened over another costs 40 MiB.
    static constexpr int defaultMaxSteps = 100;
    static constexpr qsizetype defaultMaxCharacters = qsizetype(32) * 1024 * 1024;

    explicit EditHistory(int maxSteps = defaultMaxSteps,
                         qsizetype maxCharacters = defaultMaxCharacters);

    // The edits recorded between the outermost beginStep() and its endStep() are one step.
    void beginStep();
    void endStep();
    // Records an edit: into the open step, else into the typing run before, else as a step.
    void record(TextEdit edit);
    // Records that the open step also switches the page's encoding, so that taking the step
    // back gives the text its old encoding again. Outside a step it does nothing.
    void recordEncoding(const PageEncoding &before, const PageEncoding &after);

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_steps.size(); }
    // The edits that take the newest step back, or put the next one in again, in the order
    // in which they are to be applied; nothing if there is no such step.
    QList<TextEdit> undo();
    QList<TextEdit> redo();
    // The encoding after the last undo() or redo(), when that step switched it.
    const std::optional<PageEncoding> &encodingAfterMove() const { return m_encodingAfterMove; }

    int undoSteps() const { return int(m_done); }
    int redoSteps() const { return int(m_steps.size() - m_done); }
    // Characters held by the steps, removed and added text together.
    qsizetype storedCharacters() const { return m_characters; }

private:
    struct Step
    {
        QList<TextEdit> edits;
        std::optional<PageEncoding> encodingBefore, encodingAfter;
    };
    void push(Step step);
    bool continuesTyping(const TextEdit &edit);

    std::deque<Step> m_steps;
    size_t m_done = 0; // steps before this index are done, the rest undone
    int m_maxSteps;
    qsizetype m_maxCharacters;
    qsizetype m_characters = 0;
    int m_depth = 0;
    Step m_open;
    bool m_typing = false; // the newest step is typing that the next keystroke may continue
    std::optional<PageEncoding> m_encodingAfterMove;
};
