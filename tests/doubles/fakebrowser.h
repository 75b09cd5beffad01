#pragma once

#include "platform/browsercontrol.h"

#include <QPointer>
#include <QStringList>

class QWidget;

// Records the calls made on the browser and lets tests fire its events.
class FakeBrowser : public BrowserControl
{
    Q_OBJECT

public:
    explicit FakeBrowser(QObject *parent = nullptr);
    ~FakeBrowser() override;

    QWidget *widget() override;
    void Navigate(const QString &url) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;

    // Returns whether a handler cancelled the navigation.
    bool simulateNavigation(const QString &url);
    // Returns the control that the handler handed back, or null.
    BrowserControl *simulateNewWindow();
    void simulateCommandState(int command, bool enable);

    // Calls in order: "Navigate <url>", "GoBack", "GoForward", "Refresh".
    QStringList calls;
    // When set, GoBack and GoForward throw Error as a browser without history does.
    bool historyFails = false;

private:
    QPointer<QWidget> m_widget;
};
