// The play-link rule on any address: an id is only ever 1 to 18 ASCII digits that stand right
// before the first "_play.html", so it always binds as a 64-bit number and never as text.
#include "forms/main/playlink.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // An odd first byte reads the rest as UTF-16, so unpaired surrogates come in too.
    const QString url = size > 0 && (data[0] & 1)
        ? QString(reinterpret_cast<const QChar *>(data + 1), qsizetype((size - 1) / 2))
        : QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const bool playLink = PlayLink::isPlayLink(url);
    if (playLink != url.endsWith(QLatin1String("_play.html")))
        std::abort();
    const QString id = PlayLink::itemId(url);
    if (id.isEmpty())
        return 0;
    if (id.size() > 18)
        std::abort();
    for (const QChar c : id) {
        if (c < u'0' || c > u'9')
            std::abort();
    }
    bool ok = false;
    id.toLongLong(&ok);
    if (!ok)
        std::abort();
    const qsizetype suffix = url.indexOf(QLatin1String("_play.html"));
    if (suffix < id.size() || url.mid(suffix - id.size(), id.size()) != id)
        std::abort();
    return 0;
}
