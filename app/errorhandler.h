#pragma once

#include <QString>

#include <exception>
#include <functional>

// The one place where errors raised by handlers end up: a modal message box
// with the application title, an error icon and the error's message.
namespace ErrorHandler {

// The application title, also the caption of every error message box.
QString applicationTitle();

// The message as the box shows it: a full stop is appended when the last
// character's code lies above that of ".".
QString messageText(const QString &message);

// Shows the error held by the pointer; a SilentAbort shows nothing.
void report(std::exception_ptr error);

// Where report() sends its box; tests replace the modal dialog with a recorder.
using Presenter = std::function<void(const QString &title, const QString &text)>;
void setPresenter(Presenter presenter);

// Runs a handler; whatever it raises is reported and goes no further.
// Returns false when the handler raised.
template<typename Handler>
bool run(Handler &&handler)
{
    try {
        handler();
        return true;
    } catch (...) {
        report(std::current_exception());
        return false;
    }
}

} // namespace ErrorHandler
