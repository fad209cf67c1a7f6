#pragma once

#include <QObject>
#include <QTimer>

class TextEditor;

// With the caret in a tag's name, that tag and its partner get a light background, as extra
// selections of the editor beside any others it has. Looked for once the caret has come to
// rest after an event, never inside a keystroke's change.
class TagMatching : public QObject
{
    Q_OBJECT

public:
    explicit TagMatching(TextEditor *editor);

    // Marks the tags for the caret now, without waiting.
    void update();

private:
    TextEditor *m_editor;
    QTimer m_later;
    bool m_marking = false;
};
