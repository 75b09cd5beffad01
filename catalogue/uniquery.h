#pragma once

#include "catalogue/statements.h"
#include "catalogue/unifield.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

class UniConnection;

// The shared query: one statement, its whole result buffered on Open, one current row.
class UniQuery
{
public:
    explicit UniQuery(UniConnection &connection);
    UniQuery(const UniQuery &) = delete;
    UniQuery &operator=(const UniQuery &) = delete;

    // Closes an open result. A Number statement takes decimal digits (an optional sign, nothing
    // else); anything else throws CatalogueError here, before a statement reaches the server.
    void setSQL(const Statement &statement, const QString &value);

    // Connects when needed, runs the statement, buffers every row and makes the first current.
    // When the server dropped the connection (it restarted, or the link broke) the connection is
    // made again and the statement run once more. Throws CatalogueError. Does nothing when open.
    void Open();
    bool Active() const { return m_active; }

    void First();
    // The column of the current row; "" when there is no current row (closed or empty result).
    // A name the result lacks (compared without case, as MySQL does) throws CatalogueError.
    UniField FindField(const QString &name) const;
    // 0 when closed or empty.
    int RecordCount() const { return m_rowCount; }
    // 1-based; 0 when there is no current row.
    int RecNo() const { return m_recNo; }
    // n from 1 to RecordCount(); any other n leaves the current row as it is. Every row is
    // buffered, so any order of rows costs the same.
    void setRecNo(int n);

    // Discards the result; safe when closed.
    void Close();

private:
    void fetch();

    UniConnection &m_connection;
    std::optional<Statement> m_statement;
    QVariant m_value;
    bool m_active = false;
    QStringList m_columns;
    QStringList m_cells; // row after row, m_columns.size() per row
    int m_rowCount = 0;
    int m_recNo = 0;
};
