// The prefix rule on any stored address: the result is the address itself when it is empty or
// starts with exactly "http", otherwise the site root followed by the whole address.
#include "forms/player/movieaddress.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // An odd first byte reads the rest as UTF-16, so unpaired surrogates come in too.
    const QString stored = size > 0 && (data[0] & 1)
        ? QString(reinterpret_cast<const QChar *>(data + 1), qsizetype((size - 1) / 2))
        : QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString root = QStringLiteral("http://127.0.0.1:8180/");
    const QString address = MovieAddress::absolute(root, stored);
    const bool keeps = stored.isEmpty() || stored.startsWith(QLatin1String("http"), Qt::CaseSensitive);
    if (address != (keeps ? stored : root + stored))
        std::abort();
    if (!address.isEmpty() && !address.startsWith(QLatin1String("http")))
        std::abort();
    return 0;
}
