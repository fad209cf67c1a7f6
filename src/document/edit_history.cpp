#include "document/edit_history.h"

#include <algorithm>
#include <utility>

namespace {

qsizetype sizeOf(const TextEdit &edit)
{
    return edit.removed.size() + edit.added.size();
}

qsizetype sizeOf(const QList<TextEdit> &edits)
{
    qsizetype size = 0;
    for (const TextEdit &edit : edits)
        size += sizeOf(edit);
    return size;
}

bool breaksLine(const QString &s)
{
    return s.contains(QChar::ParagraphSeparator);
}

} // namespace

EditHistory::EditHistory(int maxSteps, qsizetype maxCharacters)
    : m_maxSteps(std::max(maxSteps, 1)), m_maxCharacters(maxCharacters)
{
}

void EditHistory::beginStep()
{
    ++m_depth;
    m_typing = false;
}

void EditHistory::endStep()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    if (!m_open.edits.isEmpty() || m_open.encodingAfter)
        push(std::exchange(m_open, {}));
}

void EditHistory::record(TextEdit edit)
{
    if (m_depth > 0) {
        m_open.edits.append(std::move(edit));
        return;
    }
    if (continuesTyping(edit))
        return;
    push({{std::move(edit)}, {}, {}});
    m_typing = true;
}

void EditHistory::recordEncoding(const PageEncoding &before, const PageEncoding &after)
{
    if (m_depth == 0 || before == after)
        return;
    if (!m_open.encodingBefore)
        m_open.encodingBefore = before;
    m_open.encodingAfter = after;
}

bool EditHistory::continuesTyping(const TextEdit &edit)
{
    if (!m_typing || m_done == 0 || m_steps[m_done - 1].edits.size() != 1)
        return false;
    TextEdit &last = m_steps[m_done - 1].edits.front();
    if (breaksLine(edit.added) || breaksLine(edit.removed) || breaksLine(last.added))
        return false;
    const bool inserts = edit.removed.isEmpty() && !edit.added.isEmpty();
    const bool removes = edit.added.isEmpty() && !edit.removed.isEmpty();
    if (inserts && !last.added.isEmpty() && edit.position == last.position + last.added.size()) {
        last.added += edit.added;
    } else if (removes && last.added.isEmpty()
               && edit.position + edit.removed.size() == last.position) { // Backspace
        last.position = edit.position;
        last.removed.prepend(edit.removed);
    } else if (removes && last.added.isEmpty() && edit.position == last.position) { // Delete
        last.removed += edit.removed;
    } else {
        return false;
    }
    m_characters += sizeOf(edit);
    return true;
}

void EditHistory::push(Step step)
{
    // A new step ends what could be redone.
    while (m_steps.size() > m_done) {
        m_characters -= sizeOf(m_steps.back().edits);
        m_steps.pop_back();
    }
    m_characters += sizeOf(step.edits);
    m_steps.push_back(std::move(step));
    m_done = m_steps.size();
    while (m_steps.size() > 1
           && (m_steps.size() > size_t(m_maxSteps) || m_characters > m_maxCharacters)) {
        m_characters -= sizeOf(m_steps.front().edits);
        m_steps.pop_front();
        --m_done;
    }
}

QList<TextEdit> EditHistory::undo()
{
    m_typing = false;
    m_encodingAfterMove.reset();
    if (!canUndo())
        return {};
    const Step &step = m_steps[--m_done];
    m_encodingAfterMove = step.encodingBefore;
    QList<TextEdit> back;
    back.reserve(step.edits.size());
    for (auto edit = step.edits.crbegin(); edit != step.edits.crend(); ++edit)
        back.append({edit->position, edit->added, edit->removed});
    return back;
}

QList<TextEdit> EditHistory::redo()
{
    m_typing = false;
    m_encodingAfterMove.reset();
    if (!canRedo())
        return {};
    const Step &step = m_steps[m_done++];
    m_encodingAfterMove = step.encodingAfter;
    return step.edits;
}
