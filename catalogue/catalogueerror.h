#pragma once

#include "app/error.h"

class QSqlError;

// A failed connect or statement, with the driver's or the server's message as it stands.
class CatalogueError : public Error
{
public:
    explicit CatalogueError(QString message, int nativeCode = 0);
    static CatalogueError fromSqlError(const QSqlError &error);

    // The MySQL error number (2002 no server, 2013 lost connection, 1064 syntax...), 0 when
    // the error is the client's own.
    int nativeCode() const noexcept { return m_nativeCode; }

private:
    int m_nativeCode;
};
