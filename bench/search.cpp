// Lists a 100,000-row title search in the main window (the search button,
// through to the filled results list) and sets it against a plain QSqlQuery
// loop fetching the same rows, in the same run. Expects the server that
// bench/run-catalogue starts.

#include "doubles/fakebrowser.h"
#include "forms/main/tmainform.h"
#include "benchsupport.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const QString Pattern = u"快乐儿歌第%"_s;

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
    const double windowMs = Bench::medianMs([&] {
        button->click();
        // Include the repaint the family waits for.
        QCoreApplication::processEvents();
    });
    const int listed = results->count();

    QSqlDatabase db = Bench::plainConnection(settings);
    qsizetype fetched = 0;
    const double plainMs = Bench::medianMs([&] {
        QSqlQuery plain(db);
        plain.setForwardOnly(true);
        plain.prepare(u"SELECT `title` FROM`morrowick_ecms_game` where    title  like ?"_s);
        plain.addBindValue(Pattern);
        if (!plain.exec())
            Bench::fail(plain.lastError().text());
        QStringList titles;
        while (plain.next())
            titles.append(plain.value(0).toString());
        fetched = titles.size();
    });

    if (listed != fetched)
        Bench::fail(u"row counts differ: %1 listed, %2 fetched"_s.arg(listed).arg(fetched));

    std::printf("TitlesLike \"%s\", %d rows, median of %d runs:\n", qPrintable(Pattern), listed, Bench::Runs);
    std::printf("  search button to filled list     %8.2f ms\n", windowMs);
    std::printf("  plain QSqlQuery next() loop      %8.2f ms\n", plainMs);
    std::printf("  search / plain loop              %8.2f (goal <= 1.3)\n", windowMs / plainMs);
    return 0;
}
