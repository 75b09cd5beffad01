#include "catalogue/uniconnection.h"

#include "catalogue/catalogueerror.h"

#include <QAtomicInt>
#include <QSqlError>

using namespace Qt::StringLiterals;

namespace {
QString uniqueConnectionName()
{
    static QAtomicInt counter;
    return u"zirrabee-catalogue-%1"_s.arg(counter.fetchAndAddRelaxed(1));
}
}

UniConnection::UniConnection(CatalogueSettings settings)
    : m_settings(std::move(settings)), m_name(uniqueConnectionName())
{
    QSqlDatabase::addDatabase(u"QMYSQL"_s, m_name);
}

UniConnection::~UniConnection()
{
    Disconnect();
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase UniConnection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

bool UniConnection::Connected() const
{
    return database().isOpen();
}

void UniConnection::Connect()
{
    QSqlDatabase db = database();
    if (db.isOpen())
        return;
    db.setHostName(m_settings.host);
    db.setPort(m_settings.port);
    db.setDatabaseName(m_settings.database);
    db.setUserName(m_settings.user);
    db.setPassword(m_settings.password);
    db.setConnectOptions(u"MYSQL_OPT_CONNECT_TIMEOUT=%1;MYSQL_OPT_READ_TIMEOUT=%2;MYSQL_OPT_WRITE_TIMEOUT=%2"_s
                             .arg(m_settings.connectTimeoutSeconds)
                             .arg(m_settings.readTimeoutSeconds));
    if (!db.open()) {
        const CatalogueError error = CatalogueError::fromSqlError(db.lastError());
        db.close();
        throw error;
    }
}

void UniConnection::Disconnect()
{
    database().close();
}
