#pragma once

#include "catalogue/cataloguesettings.h"

#include <QSqlDatabase>

// The one connection to the catalogue server; connects on demand, never asks for a login.
class UniConnection
{
public:
    explicit UniConnection(CatalogueSettings settings);
    ~UniConnection();
    UniConnection(const UniConnection &) = delete;
    UniConnection &operator=(const UniConnection &) = delete;

    bool Connected() const;
    // Does nothing when connected. Throws CatalogueError with the driver's message and stays
    // unconnected on failure, so the next call tries again.
    void Connect();
    // Safe when never connected.
    void Disconnect();

    const CatalogueSettings &settings() const { return m_settings; }

private:
    friend class UniQuery;
    QSqlDatabase database() const;

    CatalogueSettings m_settings;
    QString m_name;
};
