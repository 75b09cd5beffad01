#include "catalogue/catalogueerror.h"

#include <QSqlError>

CatalogueError::CatalogueError(QString message, int nativeCode)
    : Error(std::move(message)), m_nativeCode(nativeCode)
{
}

CatalogueError CatalogueError::fromSqlError(const QSqlError &error)
{
    // databaseText() is the server's or libmariadb's own text; driverText() is Qt's summary
    // ("Unable to connect"), the only text when Qt failed before reaching the library.
    const QString message = error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
    return CatalogueError(message, error.nativeErrorCode().toInt());
}
