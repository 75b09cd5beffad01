// Walks a 100,000-row TitlesByClass result through CatalogueQuery and sets it against a plain
// QSqlQuery next() loop over the same statement and against the mariadb command-line client
// fetching it, all timed in the same run. Expects the server that bench/run-catalogue starts.

#include "catalogue/cataloguequery.h"
#include "catalogue/uniconnection.h"
#include "benchsupport.h"
#include "support/testdatabase.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

const QString ClassId = u"90"_s;

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const CatalogueSettings settings = TestDatabase::settings();
    const Statement &statement = Statements::TitlesByClass;

    UniConnection connection(settings);
    UniQuery query(connection);
    qsizetype rows = 0;
    const double catalogueMs = Bench::medianMs([&] {
        CatalogueQuery::open(query, statement, ClassId);
        rows = CatalogueQuery::allValues(query, u"title"_s).size();
        query.Close();
    });

    QSqlDatabase db = Bench::plainConnection(settings);
    qsizetype plainRows = 0;
    const double plainMs = Bench::medianMs([&] {
        QSqlQuery plain(db);
        plain.setForwardOnly(true);
        plain.prepare(statement.preparedText());
        plain.addBindValue(ClassId.toLongLong());
        if (!plain.exec())
            Bench::fail(plain.lastError().text());
        QStringList titles;
        while (plain.next())
            titles.append(plain.value(0).toString());
        plainRows = titles.size();
    });

    const QStringList clientArguments{u"--no-defaults"_s, u"--batch"_s, u"--skip-column-names"_s,
                                      u"--host="_s + settings.host, u"--port=%1"_s.arg(settings.port),
                                      u"--user="_s + settings.user, u"--password="_s + settings.password,
                                      u"--database="_s + settings.database,
                                      u"--execute="_s + statement.fixedText + ClassId + statement.afterValue};
    qsizetype clientRows = 0;
    const double clientMs = Bench::medianMs([&] {
        QProcess client;
        client.start(u"mariadb"_s, clientArguments);
        if (!client.waitForFinished(60000) || client.exitCode() != 0)
            Bench::fail(u"mariadb client: "_s + QString::fromLocal8Bit(client.readAllStandardError()));
        clientRows = client.readAllStandardOutput().count('\n');
    });

    if (rows != plainRows || rows != clientRows)
        Bench::fail(u"row counts differ: %1, %2, %3"_s.arg(rows).arg(plainRows).arg(clientRows));

    std::printf("TitlesByClass, %lld rows, median of %d runs:\n", qlonglong(rows), Bench::Runs);
    std::printf("  CatalogueQuery open + allValues  %8.2f ms\n", catalogueMs);
    std::printf("  plain QSqlQuery next() loop      %8.2f ms\n", plainMs);
    std::printf("  mariadb client (own process)     %8.2f ms\n", clientMs);
    std::printf("  CatalogueQuery / plain loop      %8.2f (goal <= 1.2)\n", catalogueMs / plainMs);
    std::printf("  CatalogueQuery / mariadb client  %8.2f\n", catalogueMs / clientMs);
    return 0;
}
