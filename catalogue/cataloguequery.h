#pragma once

#include "catalogue/statements.h"
#include "catalogue/uniquery.h"

#include <QString>
#include <QStringList>

// The one order in which every use runs a statement: assign, open, read, close. Callers keep
// control of the close, so a use may leave the result open for the next assignment to discard.
namespace CatalogueQuery {
// Assigns the statement with its value (discarding any open result) and opens it.
void open(UniQuery &query, const Statement &statement, const QString &value);
// The column of the first row; "" when there is none.
QString firstValue(UniQuery &query, const QString &column);
// The column of every row in result order: RecordCount once, then RecNo 1 to that count.
QStringList allValues(UniQuery &query, const QString &column);
}
