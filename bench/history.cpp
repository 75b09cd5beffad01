// Loads and saves a history of 100,000 titles and sets each against reading
// and decoding the same file with a plain loop, timed in the same run.

#include "forms/main/historyfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Entries = 100'000;
constexpr int Runs = 15;

struct Measure
{
    const char *name;
    std::function<void()> run;
    std::vector<double> times;
};

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QStringList titles(const QString &pattern)
{
    QStringList entries;
    entries.reserve(Entries);
    for (int i = 0; i < Entries; ++i)
        entries.append(pattern.arg(i));
    return entries;
}

} // namespace

int main()
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder: %s\n", qPrintable(dir.errorString()));
        return 1;
    }
    const QString path = HistoryFile::pathBeside(dir.path());
    const QString utf8Path = dir.filePath(u"utf8.dat"_s);
    const QStringList gbk = titles(u"中文儿歌 小兔子乖乖 第%1首"_s);
    const QStringList outside = titles(u"睡前故事 小兔子乖乖 %1 🐰"_s);
    HistoryFile::save(path, gbk);
    const qint64 bytes = QFileInfo(path).size();

    qsizetype sink = 0;
    Measure measures[] = {
        {"plain read + decode + split", [&] {
             QFile file(path);
             if (!file.open(QIODevice::ReadOnly))
                 return;
             QStringDecoder decoder("GBK");
             const QString text = decoder.decode(file.readAll());
             sink += text.split(u"\r\n"_s).size();
         }, {}},
        {"load", [&] { sink += HistoryFile::load(path).size(); }, {}},
        {"save in GBK", [&] { HistoryFile::save(path, gbk); }, {}},
        {"save as UTF-8 (emoji titles)", [&] { HistoryFile::save(utf8Path, outside); }, {}},
    };

    // The measures take turns, so that the heap and the page cache treat them
    // alike; the first round warms up and is not counted.
    for (int run = 0; run <= Runs; ++run) {
        for (Measure &measure : measures) {
            QElapsedTimer timer;
            timer.start();
            measure.run();
            if (run > 0)
                measure.times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }

    std::printf("history of %d titles, %lld bytes in GBK, median of %d runs (%lld)\n", Entries, qlonglong(bytes), Runs,
                qlonglong(sink));
    const double plain = median(measures[0].times);
    for (const Measure &measure : measures) {
        const double ms = median(measure.times);
        std::printf("  %-30s %8.2f ms", measure.name, ms);
        if (&measure != &measures[0])
            std::printf("   ratio %.2f", ms / plain);
        std::printf("\n");
    }
    return 0;
}
