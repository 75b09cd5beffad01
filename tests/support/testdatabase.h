#pragma once

#include "catalogue/catalogueerror.h"
#include "catalogue/cataloguesettings.h"

#include <QStringList>
#include <QTest>

// The throwaway MariaDB server that the "mariadb" CTest fixture starts (tests/mariadb/testdb).
// Tests that use it list FIXTURES mariadb; they then run one at a time, as some stop the server.
namespace TestDatabase {
// The catalogue account on the fixture's server, read from $ZIRRABEE_TESTDB_DIR.
CatalogueSettings settings();
// How many statements the catalogue account has run on the server so far, counted from the
// server's general log over a separate admin connection. Compare before and after an action.
int executedStatements();
// The texts of those statements in order, with their bound values filled in by the server.
QStringList executedStatementTexts();
// How many connections the catalogue account has opened on the server so far.
int connectionsMade();
// Stops the server and waits until it is gone; clients then fail as with a server that is down.
void stopServer();
// Starts the stopped server again on the same port with the same data.
void startServer();
}

// Runs a catalogue call; on CatalogueError fails the test with the driver's message and code.
#define QVERIFY_SQL(expression) \
    do { \
        try { \
            expression; \
        } catch (const CatalogueError &sqlError_) { \
            QFAIL(qPrintable(QStringLiteral("%1 failed: %2 (%3)") \
                                 .arg(QStringLiteral(#expression), sqlError_.message()) \
                                 .arg(sqlError_.nativeCode()))); \
        } \
    } while (false)
