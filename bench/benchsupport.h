#pragma once

// What the catalogue benchmarks share: the timing, the plain reference
// connection and the way they give up.

#include "catalogue/cataloguesettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace Bench {

inline constexpr int Runs = 9;

[[noreturn]] inline void fail(const QString &message)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(message));
    std::exit(1);
}

// Median wall time in milliseconds of Runs calls, after one unmeasured call.
inline double medianMs(const std::function<void()> &run)
{
    run();
    std::vector<double> times;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A plain QMYSQL connection for the reference loops.
inline QSqlDatabase plainConnection(const CatalogueSettings &settings)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("plain"));
    db.setHostName(settings.host);
    db.setPort(settings.port);
    db.setDatabaseName(settings.database);
    db.setUserName(settings.user);
    db.setPassword(settings.password);
    if (!db.open())
        fail(db.lastError().text());
    return db;
}

} // namespace Bench
