#pragma once

#include <QString>

// One column of the current row, as FindField hands it out.
class UniField
{
public:
    UniField() = default;
    explicit UniField(QString value) : m_value(std::move(value)) {}

    // Numbers as decimal digits; "" for NULL and when there is no current row.
    QString AsString() const { return m_value; }

private:
    QString m_value;
};
