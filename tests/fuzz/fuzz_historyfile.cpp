// Bytes -> entries -> bytes: whatever a file holds, the entries read from it save to bytes that
// read back as the same entries, and saving those again gives the same bytes.
#include "forms/main/historyfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList entries = HistoryFile::decode(bytes);
    const QByteArray saved = HistoryFile::encode(entries);
    const QStringList reread = HistoryFile::decode(saved);
    if (reread != entries)
        std::abort();
    if (HistoryFile::encode(reread) != saved)
        std::abort();
    for (const QString &entry : entries) {
        if (entry.contains(u'\r') || entry.contains(u'\n') || entry.contains(QChar(u'\0')))
            std::abort();
    }
    return 0;
}
