#include "ruffleschemehandler.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QNetworkReply>
#include <QPointer>
#include <QUrlQuery>
#include <QWebEngineUrlRequestJob>

using namespace Qt::Literals::StringLiterals;

const QByteArray RuffleSchemeHandler::scheme = "zirrabee"_ba;

namespace {

QByteArray mimeType(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix == "html"_L1)
        return "text/html"_ba;
    if (suffix == "js"_L1)
        return "text/javascript"_ba;
    if (suffix == "wasm"_L1)
        return "application/wasm"_ba;
    if (suffix == "json"_L1 || suffix == "map"_L1)
        return "application/json"_ba;
    return "application/octet-stream"_ba;
}

QWebEngineUrlRequestJob::Error jobError(QNetworkReply *reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 404 || status == 410)
        return QWebEngineUrlRequestJob::UrlNotFound;
    if (status == 401 || status == 403)
        return QWebEngineUrlRequestJob::RequestDenied;
    return QWebEngineUrlRequestJob::RequestFailed;
}

} // namespace

RuffleSchemeHandler::RuffleSchemeHandler(const QString &rufflePath, QObject *parent)
    : QWebEngineUrlSchemeHandler(parent), m_rufflePath(rufflePath)
{
    // A site that accepts the connection and never answers must not keep
    // the player waiting for ever.
    m_network.setTransferTimeout(30000);
}

QUrl RuffleSchemeHandler::playerUrl(const QString &movie)
{
    QUrl url;
    url.setScheme(QString::fromLatin1(scheme));
    url.setHost(u"player"_s);
    url.setPath(u"/player.html"_s);
    QUrlQuery query;
    query.addQueryItem(u"movie"_s, QString::fromUtf8(QUrl::toPercentEncoding(movie)));
    url.setQuery(query);
    return url;
}

void RuffleSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    const QUrl url = job->requestUrl();
    const QString path = url.path(QUrl::FullyDecoded);
    if (url.host() != "player"_L1) {
        job->fail(QWebEngineUrlRequestJob::UrlInvalid);
    } else if (path == "/player.html"_L1 || path == "/player.js"_L1) {
        serveFile(job, u":/platform/player"_s + path);
    } else if (path.startsWith("/ruffle/"_L1) && !path.contains("/.."_L1)) {
        serveFile(job, m_rufflePath + path.mid(7));
    } else if (path.startsWith("/web/"_L1)) {
        // <scheme>/<authority><path>, taken encoded so the site sees its own bytes.
        const QString rest = url.path(QUrl::FullyEncoded).mid(5);
        const qsizetype schemeEnd = rest.indexOf(u'/');
        const qsizetype hostEnd = rest.indexOf(u'/', schemeEnd + 1);
        const QString siteScheme = rest.left(schemeEnd);
        if (schemeEnd <= 0 || (siteScheme != "http"_L1 && siteScheme != "https"_L1)) {
            job->fail(QWebEngineUrlRequestJob::UrlInvalid);
            return;
        }
        QString target = siteScheme + "://"_L1 + rest.mid(schemeEnd + 1);
        if (hostEnd < 0)
            target += u'/';
        if (url.hasQuery())
            target += u'?' + url.query(QUrl::FullyEncoded);
        proxy(job, QUrl(target, QUrl::StrictMode));
    } else {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    }
}

void RuffleSchemeHandler::serveFile(QWebEngineUrlRequestJob *job, const QString &path)
{
    auto *file = new QFile(path, job);
    if (!file->open(QIODevice::ReadOnly)) {
        delete file;
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    job->reply(mimeType(path), file);
}

void RuffleSchemeHandler::proxy(QWebEngineUrlRequestJob *job, const QUrl &url)
{
    if (!url.isValid() || job->requestMethod() != "GET"_ba) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    QNetworkRequest request(url);
    QNetworkReply *reply = m_network.get(request);
    QPointer<QWebEngineUrlRequestJob> guard(job);
    connect(job, &QObject::destroyed, reply, &QNetworkReply::abort);
    connect(reply, &QNetworkReply::finished, this, [reply, guard] {
        reply->deleteLater();
        if (!guard)
            return;
        if (reply->error() != QNetworkReply::NoError) {
            guard->fail(jobError(reply));
            return;
        }
        auto *body = new QBuffer(guard);
        body->setData(reply->readAll());
        body->open(QIODevice::ReadOnly);
        QByteArray type = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        if (type.isEmpty())
            type = mimeType(reply->url().path());
        guard->reply(type, body);
    });
}
