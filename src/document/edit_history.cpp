#include "document/edit_history.h"

#include <algorithm>
#include <utility>

namespace {

qsizetype sizeOf(const TextEdit &edit)
{
    return edit.removed.size() + edit.added.size();
}

qsizetype sizeOf(const QList<TextEdit> &step)
{
    qsizetype size = 0;
    for (const TextEdit &edit : step)
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
    if (!m_open.isEmpty())
        push(std::exchange(m_open, {}));
}

void EditHistory::record(TextEdit edit)
{
    if (m_depth > 0) {
        m_open.append(std::move(edit));
        return;
    }
    if (continuesTyping(edit))
        return;
    push({std::move(edit)});
    m_typing = true;
}

bool EditHistory::continuesTyping(const TextEdit &edit)
{
    if (!m_typing || m_done == 0 || m_steps[m_done - 1].size() != 1)
        return false;
    TextEdit &last = m_steps[m_done - 1].front();
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
        m_characters -= sizeOf(m_steps.back());
        m_steps.pop_back();
    }
    m_characters += sizeOf(step);
    m_steps.push_back(std::move(step));
    m_done = m_steps.size();
    while (m_steps.size() > 1
           && (m_steps.size() > size_t(m_maxSteps) || m_characters > m_maxCharacters)) {
        m_characters -= sizeOf(m_steps.front());
        m_steps.pop_front();
        --m_done;
    }
}

QList<TextEdit> EditHistory::undo()
{
    m_typing = false;
    if (!canUndo())
        return {};
    const Step &step = m_steps[--m_done];
    QList<TextEdit> back;
    back.reserve(step.size());
    for (auto edit = step.crbegin(); edit != step.crend(); ++edit)
        back.append({edit->position, edit->added, edit->removed});
    return back;
}

QList<TextEdit> EditHistory::redo()
{
    m_typing = false;
    if (!canRedo())
        return {};
    return m_steps[m_done++];
}
