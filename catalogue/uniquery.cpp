#include "catalogue/uniquery.h"

#include "catalogue/catalogueerror.h"
#include "catalogue/uniconnection.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
// CR_SERVER_GONE_ERROR and CR_SERVER_LOST: the server restarted or the link broke; a fresh
// connection usually cures both.
bool connectionLost(int nativeCode)
{
    return nativeCode == 2006 || nativeCode == 2013;
}

QVariant numberValue(const Statement &statement, const QString &value)
{
    static const QRegularExpression digits(u"\\A[+-]?[0-9]+\\z"_s);
    bool ok = false;
    const qlonglong number = digits.match(value).hasMatch() ? value.toLongLong(&ok) : 0;
    if (!ok)
        throw CatalogueError(u"%1: \"%2\" is not a number."_s.arg(QLatin1StringView(statement.name), value));
    return number;
}
}

UniQuery::UniQuery(UniConnection &connection) : m_connection(connection) {}

void UniQuery::setSQL(const Statement &statement, const QString &value)
{
    Close();
    m_statement.reset();
    m_value = statement.kind == Statement::Number ? numberValue(statement, value) : QVariant(value);
    m_statement = statement;
}

void UniQuery::Open()
{
    if (m_active)
        return;
    if (!m_statement)
        throw CatalogueError(u"No statement to run."_s);
    m_connection.Connect();
    try {
        fetch();
    } catch (const CatalogueError &error) {
        if (!connectionLost(error.nativeCode()))
            throw;
        m_connection.Disconnect();
        m_connection.Connect();
        fetch();
    }
}

void UniQuery::fetch()
{
    QSqlQuery query(m_connection.database());
    query.setForwardOnly(true);
    if (!query.prepare(m_statement->preparedText()))
        throw CatalogueError::fromSqlError(query.lastError());
    query.addBindValue(m_value);
    if (!query.exec())
        throw CatalogueError::fromSqlError(query.lastError());

    const QSqlRecord record = query.record();
    QStringList columns;
    for (int c = 0; c < record.count(); ++c)
        columns.append(record.fieldName(c));
    QStringList cells;
    if (query.size() > 0)
        cells.reserve(query.size() * columns.size());
    while (query.next()) {
        for (int c = 0; c < columns.size(); ++c)
            cells.append(query.value(c).toString());
    }
    if (query.lastError().isValid())
        throw CatalogueError::fromSqlError(query.lastError());

    m_columns = std::move(columns);
    m_cells = std::move(cells);
    m_rowCount = m_columns.isEmpty() ? 0 : int(m_cells.size() / m_columns.size());
    m_recNo = m_rowCount > 0 ? 1 : 0;
    m_active = true;
}

void UniQuery::First()
{
    if (m_rowCount > 0)
        m_recNo = 1;
}

UniField UniQuery::FindField(const QString &name) const
{
    if (!m_active)
        return UniField();
    // Callers spell the names as the statements do; the exact comparison spares a walk of a
    // large result the slower caseless one on every row.
    qsizetype column = m_columns.indexOf(name);
    if (column < 0) {
        const auto sameName = [&](const QString &c) { return c.compare(name, Qt::CaseInsensitive) == 0; };
        column = std::find_if(m_columns.cbegin(), m_columns.cend(), sameName) - m_columns.cbegin();
        if (column == m_columns.size())
            throw CatalogueError(u"%1: the result has no column \"%2\"."_s.arg(QLatin1StringView(m_statement->name), name));
    }
    return m_recNo > 0 ? UniField(m_cells.at((m_recNo - 1) * m_columns.size() + column)) : UniField();
}

void UniQuery::setRecNo(int n)
{
    if (n >= 1 && n <= m_rowCount)
        m_recNo = n;
}

void UniQuery::Close()
{
    m_active = false;
    m_columns.clear();
    m_cells.clear();
    m_rowCount = 0;
    m_recNo = 0;
}
