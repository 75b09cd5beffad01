#include "movieaddress.h"

namespace MovieAddress {

QString absolute(const QString &siteRoot, const QString &stored)
{
    if (stored.isEmpty() || stored.startsWith(QLatin1String("http"), Qt::CaseSensitive))
        return stored;
    return siteRoot + stored;
}

} // namespace MovieAddress
