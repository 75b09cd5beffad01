// Lists a 100,000-row title search in the main window (the search button,
// through to the filled results list) and sets it against a plain QSqlQuery
// loop fetching the same rows, in the same run. Expects the server that
// bench/run-catalogue starts.

#include "doubles/fakebrowser.h"
#include "forms/main/tmainform.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 9;
const QString Pattern = u"快乐儿歌第%"_s;

double medianMs(const std::function<void()> &run)
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

[[noreturn]] void fail(const QString &message)
{
    std::fprintf(stderr, "bench_search: %s\n", qPrintable(message));
    std::exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const CatalogueSettings settings = TestDatabase::settings();

    Tmainform mainform(settings, u"http://site.test/"_s, new FakeBrowser, new FakeBrowser, QString());
    mainform.show();
    auto *edit = mainform.findChild<QLineEdit *>(u"sEdit1"_s);
    auto *button = mainform.findChild<QPushButton *>(u"sButton1"_s);
    auto *results = mainform.findChild<QListWidget *>(u"sListBox3"_s);
    edit->setText(Pattern);
    const double windowMs = medianMs([&] {
        button->click();
        // Include the repaint the family waits for.
        QCoreApplication::processEvents();
    });
    const int listed = results->count();

    QSqlDatabase db = QSqlDatabase::addDatabase(u"QMYSQL"_s, u"plain"_s);
    db.setHostName(settings.host);
    db.setPort(settings.port);
    db.setDatabaseName(settings.database);
    db.setUserName(settings.user);
    db.setPassword(settings.password);
    if (!db.open())
        fail(db.lastError().text());
    qsizetype fetched = 0;
    const double plainMs = medianMs([&] {
        QSqlQuery plain(db);
        plain.setForwardOnly(true);
        plain.prepare(u"SELECT `title` FROM`morrowick_ecms_game` where    title  like ?"_s);
        plain.addBindValue(Pattern);
        if (!plain.exec())
            fail(plain.lastError().text());
        QStringList titles;
        while (plain.next())
            titles.append(plain.value(0).toString());
        fetched = titles.size();
    });

    if (listed != fetched)
        fail(u"row counts differ: %1 listed, %2 fetched"_s.arg(listed).arg(fetched));

    std::printf("TitlesLike \"%s\", %d rows, median of %d runs:\n", qPrintable(Pattern), listed, Runs);
    std::printf("  search button to filled list     %8.2f ms\n", windowMs);
    std::printf("  plain QSqlQuery next() loop      %8.2f ms\n", plainMs);
    std::printf("  search / plain loop              %8.2f (goal <= 1.3)\n", windowMs / plainMs);
    return 0;
}
