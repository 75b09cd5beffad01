// historyfile_writer <path> <first> <saves>: saves big history <first> (0 or 1),
// then the other, and so on, <saves> times in all or, with 0, until killed.

#include "bighistory.h"

#include "app/error.h"
#include "forms/main/historyfile.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fputs("usage: historyfile_writer <path> <first history, 0 or 1> <saves, 0 for no end>\n", stderr);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const long first = std::strtol(argv[2], nullptr, 10) == 0 ? 0 : 1;
    const long saves = std::strtol(argv[3], nullptr, 10);
    const QStringList histories[] = {bigHistory(0), bigHistory(1)};

    std::puts("ready");
    std::fflush(stdout);
    try {
        for (long round = 0; saves == 0 || round < saves; ++round)
            HistoryFile::save(path, histories[(first + round) % 2]);
    } catch (const Error &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
