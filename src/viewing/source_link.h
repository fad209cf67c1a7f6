#pragma once

#include "viewing/preview_scripts.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>

class BrowserView;
class QPointF;
class QVariant;
class TextEditor;
class TreePaths;

// Links the preview to the page's source while it shows the page being edited (look.html, or
// the page file the document was opened from or saved to): a Ctrl+click in the page puts the
// editor's caret at the element under it, or at the character where the text stands so in the
// source, and the element around the caret is framed in the page. The editor's text is parsed
// apart from the event loop, when first needed after a change, and only while linked; where the
// page's tree does not agree with that parse, nothing happens on either side.
class SourceLink : public QObject
{
    Q_OBJECT

public:
    // How long the caret rests before its element is framed (ms); on a page whose parse takes
    // longer, three times that parse's processor time, so that typing at a steady pace is not
    // parsed behind.
    static constexpr int caretRest = 40;

    SourceLink(BrowserView *browser, TextEditor *editor, QObject *parent = nullptr);
    ~SourceLink() override;

    // The preview was shown or hidden.
    void setShown(bool shown);
    // A page load has ended: the page may be another, or the same anew.
    void pageLoaded();

signals:
    // The frame script has run in the page, with its answer ("framed", "changed", ...).
    void frameDone(const QString &outcome);
    // A Ctrl+click has been handled: whether it placed the caret.
    void clickDone(bool placed);

private:
    // The absolute path of the page shown, if it is the page being edited; else empty.
    QString editedPageShown() const;
    void updateLinked();
    void link();
    void unlink();

    void caretRested();
    bool controlClick(const QPointF &place);
    void clickRead(const QVariant &answer);

    void needParse();
    void parseDone(std::shared_ptr<const TreePaths> parse, quint64 revision, qint64 parseMs);
    void frame(const TreePaths &parse);
    void runFrameScript(bool scroll);
    bool placeCaret(const PreviewClick &click, const TreePaths &parse);

    BrowserView *m_browser;
    TextEditor *m_editor;
    QTimer m_rest;
    bool m_shown = false;
    bool m_linked = false;
    QList<QMetaObject::Connection> m_editorConnections;

    // The text's revision: counts the editor's changes while linked.
    quint64 m_revision = 0;
    std::shared_ptr<const TreePaths> m_parse;
    quint64 m_parseRevision = 0;
    bool m_parsing = false;

    // What waits for a parse of the present text.
    bool m_frameWaiting = false;
    std::optional<PreviewClick> m_clickWaiting;

    // The frame asked for last, which the page script also applies to each reload.
    std::optional<FrameRequest> m_frame;
};
