#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The embedded browser as the main window uses it: navigation, history and
// the three events it reports. Engine types stay behind the implementation.
class BrowserControl : public QObject
{
    Q_OBJECT

public:
    enum Command { CommandForward = 1, CommandBack = 2 };

    using QObject::QObject;

    // The view to place in a layout; deleting the BrowserControl deletes it.
    virtual QWidget *widget() = 0;

    virtual void Navigate(const QString &url) = 0;
    // Both throw Error when there is no page to go to.
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Refresh() = 0;

Q_SIGNALS:
    // Reported before every navigation; setting *cancel stops it.
    void BeforeNavigate2(const QString &url, bool *cancel);
    // The page asks for a window. The handler sets *ppDisp to the control that
    // receives it; left null, the pop-up is not opened.
    void NewWindow2(BrowserControl **ppDisp);
    // command is CommandForward or CommandBack.
    void CommandStateChange(int command, bool enable);
};
