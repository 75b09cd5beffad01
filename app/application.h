#pragma once

#include <QApplication>

// The application object. Qt does not let exceptions cross its event loop,
// so every event is delivered inside the error handler.
class Application : public QApplication
{
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};
