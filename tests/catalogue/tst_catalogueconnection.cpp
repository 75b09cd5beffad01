// Connecting, failing to connect and coming back after the server went away.
#include "catalogue/cataloguequery.h"
#include "catalogue/uniconnection.h"
#include "support/testdatabase.h"

#include <QTcpServer>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {
// Starts the server again when a test ends while it is stopped, so later tests find it running.
class ServerStop
{
public:
    ServerStop() { TestDatabase::stopServer(); }
    ~ServerStop()
    {
        if (m_stopped)
            TestDatabase::startServer();
    }
    ServerStop(const ServerStop &) = delete;
    ServerStop &operator=(const ServerStop &) = delete;

    void restart()
    {
        TestDatabase::startServer();
        m_stopped = false;
    }

private:
    bool m_stopped = true;
};

int openError(UniQuery &query)
{
    try {
        CatalogueQuery::open(query, Statements::ClassIdByName, u"中文儿歌"_s);
    } catch (const CatalogueError &error) {
        qInfo("%s (%d)", qPrintable(error.message()), error.nativeCode());
        return error.message().isEmpty() ? -1 : error.nativeCode();
    }
    return 0;
}
}

using SettingsChange = std::function<void(CatalogueSettings &, QTcpServer &)>;
Q_DECLARE_METATYPE(SettingsChange)

class TestCatalogueConnection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void connectFails_data();
    void connectFails();
    void statementRejected();
    void serverAway_data();
    void serverAway();
};

void TestCatalogueConnection::connectFails_data()
{
    QTest::addColumn<SettingsChange>("change");
    QTest::addColumn<int>("nativeCode");

    QTest::newRow("wrong password") << SettingsChange([](CatalogueSettings &s, QTcpServer &) { s.password = u"wrongpasswd"_s; }) << 1045;
    QTest::newRow("database not granted") << SettingsChange([](CatalogueSettings &s, QTcpServer &) { s.database = u"mysql"_s; }) << 1044;
    QTest::newRow("nothing listening") << SettingsChange([](CatalogueSettings &s, QTcpServer &server) {
        QVERIFY(server.listen(QHostAddress::LocalHost));
        s.port = server.serverPort();
        server.close();
    }) << 2002;
    // The kernel completes the handshake for a listening socket; nothing ever greets.
    QTest::newRow("server never greets") << SettingsChange([](CatalogueSettings &s, QTcpServer &server) {
        QVERIFY(server.listen(QHostAddress::LocalHost));
        s.port = server.serverPort();
        s.connectTimeoutSeconds = 1;
    }) << 2013;
}

// The driver's message and code come out, the connection stays unconnected, and each Open
// tries again.
void TestCatalogueConnection::connectFails()
{
    QFETCH(SettingsChange, change);
    QFETCH(int, nativeCode);

    CatalogueSettings settings = TestDatabase::settings();
    QTcpServer server;
    change(settings, server);
    UniConnection connection(settings);
    UniQuery query(connection);

    QCOMPARE(openError(query), nativeCode);
    QVERIFY(!connection.Connected());
    QVERIFY(!query.Active());
    QCOMPARE(openError(query), nativeCode);
    QVERIFY(!connection.Connected());
}

// The server's own message; the connection survives a rejected statement.
void TestCatalogueConnection::statementRejected()
{
    CatalogueSettings settings = TestDatabase::settings();
    settings.database.clear();
    UniConnection connection(settings);
    UniQuery query(connection);

    QCOMPARE(openError(query), 1046);
    QVERIFY(connection.Connected());
    QVERIFY(!query.Active());
}

void TestCatalogueConnection::serverAway_data()
{
    QTest::addColumn<bool>("connectBefore");
    QTest::addColumn<bool>("openWhileDown");

    QTest::newRow("down before the first statement") << false << true;
    QTest::newRow("down after a statement") << true << true;
    QTest::newRow("restarted between two statements") << true << false;
}

// Once the server is back, the next Open succeeds on the same objects, also when the
// connection it had was cut by the restart.
void TestCatalogueConnection::serverAway()
{
    QFETCH(bool, connectBefore);
    QFETCH(bool, openWhileDown);

    UniConnection connection(TestDatabase::settings());
    UniQuery query(connection);
    if (connectBefore) {
        QVERIFY_SQL(CatalogueQuery::open(query, Statements::TitlesByClass, u"11"_s));
        query.Close();
    }

    ServerStop stop;
    if (openWhileDown) {
        QCOMPARE(openError(query), 2002);
        QVERIFY(!connection.Connected());
    }
    stop.restart();

    QVERIFY_SQL(CatalogueQuery::open(query, Statements::ClassIdByName, u"中文儿歌"_s));
    QCOMPARE(CatalogueQuery::firstValue(query, u"classid"_s), u"11"_s);
    QVERIFY(connection.Connected());
}

QTEST_GUILESS_MAIN(TestCatalogueConnection)
#include "tst_catalogueconnection.moc"
