#pragma once

#include "platform/browsercontrol.h"

#include <QPointer>

#include <optional>

class BrowserPage;
class QWebEngineView;

// The embedded browser on Qt WebEngine. Serves as the visible browser and as
// the hidden receiver of pop-ups alike.
class WebEngineBrowser : public BrowserControl
{
    Q_OBJECT

public:
    explicit WebEngineBrowser(QObject *parent = nullptr);
    ~WebEngineBrowser() override;

    QWidget *widget() override;
    void Navigate(const QString &url) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;

private:
    friend class BrowserPage;

    BrowserPage *adoptPopup();
    void setPage(BrowserPage *page);
    void reportCommandState();

    QPointer<QWebEngineView> m_view;
    BrowserPage *m_page = nullptr;
    std::optional<bool> m_canGoBack;
    std::optional<bool> m_canGoForward;
};
