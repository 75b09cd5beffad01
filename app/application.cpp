#include "application.h"

#include "errorhandler.h"

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(ErrorHandler::applicationTitle());
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    bool delivered = false;
    ErrorHandler::run([&] { delivered = QApplication::notify(receiver, event); });
    return delivered;
}
