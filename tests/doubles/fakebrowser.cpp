#include "fakebrowser.h"

#include "app/error.h"

#include <QWidget>

using namespace Qt::Literals::StringLiterals;

FakeBrowser::FakeBrowser(QObject *parent) : BrowserControl(parent), m_widget(new QWidget)
{
}

FakeBrowser::~FakeBrowser()
{
    delete m_widget;
}

QWidget *FakeBrowser::widget()
{
    return m_widget;
}

void FakeBrowser::Navigate(const QString &url)
{
    calls << u"Navigate "_s + url;
}

void FakeBrowser::GoBack()
{
    calls << u"GoBack"_s;
    if (historyFails)
        throw Error(u"fake browser: no page to go back to"_s);
}

void FakeBrowser::GoForward()
{
    calls << u"GoForward"_s;
    if (historyFails)
        throw Error(u"fake browser: no page to go forward to"_s);
}

void FakeBrowser::Refresh()
{
    calls << u"Refresh"_s;
}

bool FakeBrowser::simulateNavigation(const QString &url)
{
    bool cancel = false;
    Q_EMIT BeforeNavigate2(url, &cancel);
    return cancel;
}

BrowserControl *FakeBrowser::simulateNewWindow()
{
    BrowserControl *receiver = nullptr;
    Q_EMIT NewWindow2(&receiver);
    return receiver;
}

void FakeBrowser::simulateCommandState(int command, bool enable)
{
    Q_EMIT CommandStateChange(command, enable);
}
