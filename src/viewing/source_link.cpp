#include "viewing/source_link.h"

#include "document/page_files.h"
#include "document/text_editor.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"
#include "html/parser/tree_paths.h"
#include "viewing/browser/browser_view.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointF>
#include <QPointer>
#include <QTextCursor>
#include <QThreadPool>
#include <QUrl>
#include <QVariant>

#include <algorithm>
#include <utility>

#include <time.h>

namespace {

// The processor time this thread has had (ms): what a parse costs, whatever else the machine
// is busy with.
qint64 threadCpuMs()
{
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return qint64(time.tv_sec) * 1000 + time.tv_nsec / 1000000;
}

// One name for a file, however it was reached.
QString canonical(const QString &path)
{
    const QFileInfo file(path);
    const QString resolved = file.canonicalFilePath();
    return resolved.isEmpty() ? file.absoluteFilePath() : resolved;
}

} // namespace

SourceLink::SourceLink(BrowserView *browser, TextEditor *editor, QObject *parent)
    : QObject(parent), m_browser(browser), m_editor(editor)
{
    m_rest.setSingleShot(true);
    m_rest.setInterval(caretRest);
    connect(&m_rest, &QTimer::timeout, this, &SourceLink::caretRested);
    m_browser->setControlClickHandler([this](const QPointF &place) { return controlClick(place); });
}

SourceLink::~SourceLink()
{
    m_browser->setControlClickHandler({});
    m_browser->setPageScript({});
}

void SourceLink::setShown(bool shown)
{
    m_shown = shown;
    updateLinked();
}

void SourceLink::pageLoaded()
{
    updateLinked();
    // The page script framed the element as the document was parsed; the page's own scripts
    // may have changed the tree since, at its load.
    if (m_linked)
        runFrameScript(false);
}

QString SourceLink::editedPageShown() const
{
    const QUrl shown = m_browser->location();
    if (!shown.isLocalFile())
        return {};
    const QString file = canonical(shown.toLocalFile());
    const QString previewCopy = QDir::current().absoluteFilePath(QString::fromLatin1(previewCopyName));
    if (file == canonical(previewCopy)
        || (!windows().pageFile.isEmpty() && file == canonical(windows().pageFile)))
        return shown.toLocalFile();
    return {};
}

void SourceLink::updateLinked()
{
    const bool linked = m_shown && !editedPageShown().isEmpty();
    if (linked == m_linked)
        return;
    if (linked)
        link();
    else
        unlink();
}

void SourceLink::link()
{
    m_linked = true;
    ++m_revision; // the text may have changed while unlinked
    m_editorConnections = {
        connect(m_editor, &QPlainTextEdit::textChanged, this,
                [this] {
                    ++m_revision;
                    m_rest.start();
                }),
        connect(m_editor, &QPlainTextEdit::cursorPositionChanged, &m_rest,
                qOverload<>(&QTimer::start)),
    };
    m_rest.start();
}

void SourceLink::unlink()
{
    m_linked = false;
    for (const QMetaObject::Connection &connection : std::as_const(m_editorConnections))
        disconnect(connection);
    m_editorConnections.clear();
    m_rest.stop();
    m_parse.reset(); // a large page's tree is not kept for nothing
    m_frameWaiting = false;
    m_clickWaiting.reset();
    m_browser->setPageScript({});
    // A page no longer the one being edited (after "Neu", or with look.html in another folder
    // now) keeps no frame of it.
    if (std::exchange(m_frame, std::nullopt))
        runFrameScript(false);
}

void SourceLink::caretRested()
{
    updateLinked(); // the working folder, and with it look.html, may have moved
    if (!m_linked)
        return;
    m_frameWaiting = true;
    needParse();
}

bool SourceLink::controlClick(const QPointF &place)
{
    updateLinked();
    if (!m_linked)
        return false;
    QPointer<SourceLink> self(this);
    m_browser->runScriptApart(clickScript(place), [self](const QVariant &answer) {
        if (self)
            self->clickRead(answer);
    });
    return true;
}

void SourceLink::clickRead(const QVariant &answer)
{
    std::optional<PreviewClick> click = readClick(answer);
    if (!m_linked || !click || click->file != editedPageShown()) {
        emit clickDone(false);
        return;
    }
    m_clickWaiting = std::move(click);
    needParse();
}

// Runs what waits on a parse of the present text, parsing it first where needed.
void SourceLink::needParse()
{
    if (m_parse && m_parseRevision == m_revision) {
        parseDone(m_parse, m_parseRevision, -1);
        return;
    }
    if (m_parsing)
        return; // what waits is run when that parse is done, or the next
    m_parsing = true;
    const quint64 revision = m_revision;
    QPointer<SourceLink> self(this);
    // The copy shares the editor's text until the other thread changes its line breaks.
    QThreadPool::globalInstance()->start([self, revision, text = m_editor->rawText()]() mutable {
        const qint64 started = threadCpuMs();
        text.replace(QChar::ParagraphSeparator, u'\n');
        std::shared_ptr<const TreePaths> parse = std::make_shared<const TreePaths>(std::move(text));
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, parse, revision, parseMs = threadCpuMs() - started] {
                if (self)
                    self->parseDone(parse, revision, parseMs);
            },
            Qt::QueuedConnection);
    });
}

void SourceLink::parseDone(std::shared_ptr<const TreePaths> parse, quint64 revision,
                           qint64 parseMs)
{
    if (parseMs >= 0) {
        m_parsing = false;
        m_rest.setInterval(int(std::clamp<qint64>(3 * parseMs, caretRest, 3000)));
    }
    if (!m_linked)
        return;
    m_parse = std::move(parse);
    m_parseRevision = revision;
    // Typed on while it ran: the frame waits for the next rest, a click not.
    if (revision != m_revision) {
        if (m_clickWaiting)
            needParse();
        return;
    }
    if (std::exchange(m_frameWaiting, false))
        frame(*m_parse);
    if (m_clickWaiting)
        emit clickDone(placeCaret(*std::exchange(m_clickWaiting, std::nullopt), *m_parse));
}

void SourceLink::frame(const TreePaths &parse)
{
    const HtmlNode *element = parse.elementAround(m_editor->textCursor().position());
    std::optional<FrameRequest> request;
    if (element && TreePaths::isInBody(element))
        request = FrameRequest{editedPageShown(), parse.elementCount(), TreePaths::pathOf(element)};
    const bool moved = request != m_frame;
    if (moved) {
        m_frame = std::move(request);
        m_browser->setPageScript(frameScript(m_frame, false));
    }
    runFrameScript(moved);
}

void SourceLink::runFrameScript(bool scroll)
{
    QPointer<SourceLink> self(this);
    m_browser->runScriptApart(frameScript(m_frame, scroll), [self](const QVariant &outcome) {
        if (self)
            emit self->frameDone(outcome.toString());
    });
}

bool SourceLink::placeCaret(const PreviewClick &click, const TreePaths &parse)
{
    if (click.elementCount != parse.elementCount())
        return false;
    const HtmlNode *element = parse.elementAt(click.path);
    if (!element)
        return false;
    qsizetype offset = -1;
    if (click.textIndex >= 0)
        offset = parse.characterOffset(element, click.textIndex, click.character, click.textData);
    if (offset < 0)
        offset = parse.startOf(element);
    if (offset < 0)
        return false;
    QTextCursor caret = m_editor->textCursor();
    caret.setPosition(int(offset));
    m_editor->setTextCursor(caret);
    m_editor->ensureCursorVisible();
    openWindow(m_editor->window());
    m_editor->setFocus(Qt::OtherFocusReason);
    return true;
}
