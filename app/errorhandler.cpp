#include "errorhandler.h"

#include "error.h"

#include <QApplication>
#include <QMessageBox>

namespace ErrorHandler {
namespace {

void showMessageBox(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

Presenter &presenter()
{
    static Presenter current = showMessageBox;
    return current;
}

QString describe(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Error &e) {
        return e.message();
    } catch (const std::bad_alloc &) {
        return QStringLiteral("Out of memory");
    } catch (const std::exception &e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("An unexpected error occurred");
    }
}

bool isSilent(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const SilentAbort &) {
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

QString applicationTitle()
{
    return QStringLiteral("Zirrabee儿歌大全");
}

QString messageText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void report(std::exception_ptr error)
{
    if (!error || isSilent(error))
        return;
    presenter()(applicationTitle(), messageText(describe(error)));
}

void setPresenter(Presenter replacement)
{
    presenter() = replacement ? std::move(replacement) : Presenter(showMessageBox);
}

} // namespace ErrorHandler
