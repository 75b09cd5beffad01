#include "catalogue/cataloguequery.h"

namespace CatalogueQuery {
void open(UniQuery &query, const Statement &statement, const QString &value)
{
    query.setSQL(statement, value);
    query.Open();
}

QString firstValue(UniQuery &query, const QString &column)
{
    query.First();
    return query.FindField(column).AsString();
}

QStringList allValues(UniQuery &query, const QString &column)
{
    const int count = query.RecordCount();
    QStringList values;
    values.reserve(count);
    for (int n = 1; n <= count; ++n) {
        query.setRecNo(n);
        values.append(query.FindField(column).AsString());
    }
    return values;
}
}
