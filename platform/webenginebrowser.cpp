#include "webenginebrowser.h"

#include "app/error.h"
#include "platform/enginecallback.h"

#include <QAction>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace Qt::Literals::StringLiterals;

// Re-emits the engine's navigation and window requests as the control's events.
class BrowserPage : public QWebEnginePage
{
public:
    explicit BrowserPage(WebEngineBrowser *browser) : QWebEnginePage(browser), m_browser(browser) {}

protected:
    // Every navigation comes here: typed, link, form post, redirect,
    // back/forward, reload, and those of frames inside the page.
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool) override
    {
        // A handler that raises after setting cancel keeps the navigation cancelled.
        bool cancel = false;
        runEngineCallback([&] { Q_EMIT m_browser->BeforeNavigate2(url.toString(), &cancel); });
        return !cancel;
    }

    QWebEnginePage *createWindow(WebWindowType) override
    {
        BrowserControl *receiver = nullptr;
        runEngineCallback([&] { Q_EMIT m_browser->NewWindow2(&receiver); });
        auto *engineReceiver = qobject_cast<WebEngineBrowser *>(receiver);
        return engineReceiver ? engineReceiver->adoptPopup() : nullptr;
    }

private:
    WebEngineBrowser *m_browser;
};

WebEngineBrowser::WebEngineBrowser(QObject *parent) : BrowserControl(parent), m_view(new QWebEngineView)
{
    setPage(new BrowserPage(this));
}

WebEngineBrowser::~WebEngineBrowser()
{
    delete m_view;
    delete m_page;
}

QWidget *WebEngineBrowser::widget()
{
    return m_view;
}

void WebEngineBrowser::Navigate(const QString &url)
{
    m_page->load(QUrl(url));
}

void WebEngineBrowser::GoBack()
{
    // The engine ignores a back step without history; the control it stands for fails.
    if (!m_page->history()->canGoBack())
        throw Error(u"无法后退:没有上一个网页。"_s);
    m_page->triggerAction(QWebEnginePage::Back);
}

void WebEngineBrowser::GoForward()
{
    if (!m_page->history()->canGoForward())
        throw Error(u"无法前进:没有下一个网页。"_s);
    m_page->triggerAction(QWebEnginePage::Forward);
}

void WebEngineBrowser::Refresh()
{
    m_page->triggerAction(QWebEnginePage::Reload);
}

// A pop-up is opened in a fresh page of ours so that its first navigation
// reaches this control's BeforeNavigate2 and nothing of an earlier pop-up
// remains.
BrowserPage *WebEngineBrowser::adoptPopup()
{
    BrowserPage *old = m_page;
    setPage(new BrowserPage(this));
    old->deleteLater();
    return m_page;
}

void WebEngineBrowser::setPage(BrowserPage *page)
{
    m_page = page;
    if (m_view)
        m_view->setPage(page);
    connect(page->action(QWebEnginePage::Back), &QAction::changed, this, &WebEngineBrowser::reportCommandState);
    connect(page->action(QWebEnginePage::Forward), &QAction::changed, this, &WebEngineBrowser::reportCommandState);
    connect(page, &QWebEnginePage::loadStarted, this, &WebEngineBrowser::reportCommandState);
    connect(page, &QWebEnginePage::urlChanged, this, &WebEngineBrowser::reportCommandState);
}

// Reports each command whose availability differs from the last report;
// the first navigation reports both.
void WebEngineBrowser::reportCommandState()
{
    const bool back = m_page->history()->canGoBack();
    const bool forward = m_page->history()->canGoForward();
    runEngineCallback([&] {
        if (m_canGoForward != forward) {
            m_canGoForward = forward;
            Q_EMIT CommandStateChange(CommandForward, forward);
        }
        if (m_canGoBack != back) {
            m_canGoBack = back;
            Q_EMIT CommandStateChange(CommandBack, back);
        }
    });
}
