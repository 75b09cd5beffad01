#pragma once

#include "app/errorhandler.h"

#include <QTimer>

#include <exception>

// Runs an event handler called back from inside the web engine. Chromium is
// built without exceptions, so nothing may unwind through it: what the
// handler raises is shown by the application's error handler once the
// engine's call has returned.
template<typename Handler>
void runEngineCallback(Handler &&handler)
{
    try {
        handler();
    } catch (...) {
        QTimer::singleShot(0, [error = std::current_exception()] { ErrorHandler::report(error); });
    }
}
