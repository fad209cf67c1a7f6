#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include <memory>

class BrowserView;
class FileFollower;
class QLabel;
class QUrl;
class SourceLink;

// The preview window: shows the page file picked in Form1's OpenDialog2 in a browser engine.
class Form13 : public QWidget
{
    Q_OBJECT

public:
    explicit Form13(QWidget *parent = nullptr);
    ~Form13() override;

    QLabel *Panel1;
    // The browser's widget once the engine is loaded; until then an empty stand-in.
    QWidget *shower;

    void FormShow();
    void Panel1Click();
    // F12: the current document at once, through look.html of the working folder, as if it
    // had been picked; shown even when the window is open already.
    void showCurrentPage();

    // The browser component, or null while it has not been loaded.
    BrowserView *browser() const { return m_browser.get(); }
    // The link between the page shown and the editor's source, made with the browser.
    SourceLink *sourceLink() const { return m_sourceLink; }

signals:
    // After each page load in the browser, with its outcome.
    void pageLoaded(bool ok);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createBrowser();
    void releaseBrowser();
    void navigateToPick();
    // While the window is visible, the page shown is loaded again whenever its file changes.
    void followShownFile(const QUrl &shown);
    void shownFileChanged();
    void pageDone();

    std::unique_ptr<BrowserView> m_browser;
    SourceLink *m_sourceLink = nullptr;
    FileFollower *m_follower = nullptr;
    QElapsedTimer m_loading; // valid while a load runs
    bool m_reloadWaiting = false;
    bool m_byF12 = false;
    bool m_quietFailure = false;
};
