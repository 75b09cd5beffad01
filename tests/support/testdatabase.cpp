#include "testdatabase.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {
QString directory()
{
    const QString dir = qEnvironmentVariable("ZIRRABEE_TESTDB_DIR");
    if (dir.isEmpty())
        qFatal("ZIRRABEE_TESTDB_DIR is not set: run the test through ctest, whose \"mariadb\" fixture starts the server");
    return dir;
}

QHash<QString, QString> serverEnv()
{
    QFile file(QDir(directory()).filePath(u"server.env"_s));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("%s: no test server is running (the \"mariadb\" fixture writes this file)", qPrintable(file.fileName()));
    QHash<QString, QString> values;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            values.insert(line.left(eq), line.mid(eq + 1));
    }
    return values;
}

// Runs one admin query as root over the server's socket; a fresh connection each time, since
// tests stop and start the server in between.
template<typename Reader>
void withAdminQuery(const QString &sql, Reader read)
{
    const QString name = u"zirrabee-testdb-admin"_s;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QMYSQL"_s, name);
        db.setUserName(u"root"_s);
        db.setConnectOptions(u"UNIX_SOCKET="_s + serverEnv().value(u"socket"_s));
        if (!db.open())
            qFatal("admin connection to the test server: %s", qPrintable(db.lastError().text()));
        QSqlQuery query(db);
        if (!query.exec(sql))
            qFatal("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        read(query);
    }
    QSqlDatabase::removeDatabase(name);
}

// Statements by prepare/execute and plain queries alike; the connection's own set-up is not one.
const QString executedFilter = u"FROM mysql.general_log WHERE user_host LIKE '%1[%' "
                               "AND (command_type = 'Execute' OR (command_type = 'Query' AND argument NOT LIKE 'SET %'))"_s;

void runScript(const QString &command)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(ZIRRABEE_TESTDB_SCRIPT), {command, directory()});
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        qFatal("testdb %s failed: %s", qPrintable(command), process.readAll().constData());
}
}

namespace TestDatabase {
CatalogueSettings settings()
{
    const QHash<QString, QString> env = serverEnv();
    CatalogueSettings settings;
    settings.host = env.value(u"host"_s);
    settings.port = env.value(u"port"_s).toInt();
    settings.database = env.value(u"database"_s);
    settings.user = env.value(u"user"_s);
    settings.password = env.value(u"password"_s);
    return settings;
}

int executedStatements()
{
    int count = 0;
    withAdminQuery(u"SELECT COUNT(*) "_s + executedFilter.arg(settings().user), [&](QSqlQuery &query) {
        query.next();
        count = query.value(0).toInt();
    });
    return count;
}

QStringList executedStatementTexts()
{
    QStringList texts;
    withAdminQuery(u"SELECT CONVERT(argument USING utf8mb4) "_s + executedFilter.arg(settings().user), [&](QSqlQuery &query) {
        while (query.next())
            texts.append(query.value(0).toString());
    });
    return texts;
}

int connectionsMade()
{
    int count = 0;
    withAdminQuery(u"SELECT COUNT(*) FROM mysql.general_log WHERE command_type = 'Connect' AND argument LIKE '%1@%'"_s
                       .arg(settings().user),
                   [&](QSqlQuery &query) {
                       query.next();
                       count = query.value(0).toInt();
                   });
    return count;
}

void stopServer()
{
    runScript(u"stop"_s);
}

void startServer()
{
    runScript(u"restart"_s);
}
}
