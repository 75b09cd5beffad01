#include "playlink.h"

namespace PlayLink {
namespace {

const QLatin1String suffix("_play.html");

// Item numbers are bound as 64-bit integers; 18 digits always fit.
constexpr int maxDigits = 18;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

bool isPlayLink(const QString &url)
{
    return url.endsWith(suffix, Qt::CaseSensitive);
}

QString itemId(const QString &url)
{
    const qsizetype end = url.indexOf(suffix, 0, Qt::CaseSensitive);
    if (end < 0)
        return {};
    qsizetype start = end;
    while (start > 0 && isAsciiDigit(url.at(start - 1)))
        --start;
    const qsizetype length = end - start;
    if (length == 0 || length > maxDigits)
        return {};
    return url.mid(start, length);
}

} // namespace PlayLink
