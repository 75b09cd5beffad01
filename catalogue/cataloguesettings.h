#pragma once

#include <QString>

// Where and as whom the catalogue connects; the program's values come from the build.
struct CatalogueSettings
{
    QString host;
    int port = 3306;
    QString database = QStringLiteral("kelvoro");
    QString user = QStringLiteral("kelvororoot");
    QString password;
    // Without it a server that accepts TCP but never greets blocks the window for minutes.
    int connectTimeoutSeconds = 5;
    // Bounds each wait for the server once connected, so a server that stops answering mid-run
    // surfaces as an error instead of a window that never responds again.
    int readTimeoutSeconds = 30;
};
