#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A local web site for the tests of the real controls: serves a temporary
// folder over HTTP on 127.0.0.1 and records the requests it answers.
class TestSite
{
public:
    // rufflePath, when given, is also served under /ruffle/.
    explicit TestSite(const QString &rufflePath = QString());
    ~TestSite();

    bool isRunning() const { return m_port != 0; }
    // The absolute address of path on the site, e.g. url(u"a.html").
    QString url(const QString &path, const QString &host = QStringLiteral("127.0.0.1")) const;
    void addFile(const QString &path, const QByteArray &content);
    // The requests answered so far, as "GET /path".
    QStringList requests();

private:
    QTemporaryDir m_root;
    QProcess m_server;
    int m_port = 0;
    QStringList m_requests;
};

// A movie from tests/swf/makeswf.py; arguments as on its command line.
QByteArray makeSwf(const QStringList &arguments);
