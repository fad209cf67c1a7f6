#pragma once

#include <QWidget>

#include <memory>

class BrowserView;
class QLabel;

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

    // The browser component, or null while it has not been loaded.
    BrowserView *browser() const { return m_browser.get(); }

signals:
    // After each page load in the browser, with its outcome.
    void pageLoaded(bool ok);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createBrowser();
    void releaseBrowser();

    std::unique_ptr<BrowserView> m_browser;
};
