#pragma once

#include <QNetworkAccessManager>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

class QWebEngineUrlRequestJob;

// Answers the player page's scheme: the page itself, Ruffle's files from
// disk, and the web, proxied because the site sends no CORS headers.
//   zirrabee://player/player.html?movie=<url>   the page
//   zirrabee://player/ruffle/<file>             Ruffle
//   zirrabee://player/web/<scheme>/<host[:port]>/<path>   <scheme>://<host>/<path>
class RuffleSchemeHandler : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT

public:
    static const QByteArray scheme;

    RuffleSchemeHandler(const QString &rufflePath, QObject *parent);

    static QUrl playerUrl(const QString &movie);

    void requestStarted(QWebEngineUrlRequestJob *job) override;

private:
    void serveFile(QWebEngineUrlRequestJob *job, const QString &path);
    void proxy(QWebEngineUrlRequestJob *job, const QUrl &url);

    QString m_rufflePath;
    QNetworkAccessManager m_network;
};
