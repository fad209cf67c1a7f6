#pragma once

class TextEditor;

// Replaces the German umlauts and ß in an editor by their HTML entities, sweep by sweep.
class UmlautConversion
{
public:
    explicit UmlautConversion(TextEditor *editor) : m_editor(editor) {}

    // One sweep over the editor's text; true when anything was replaced.
    bool sweep();

private:
    TextEditor *m_editor;
};
