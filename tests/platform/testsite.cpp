#include "testsite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

TestSite::TestSite(const QString &rufflePath)
{
    QStringList arguments{QString::fromUtf8(ZIRRABEE_TESTSITE), m_root.path()};
    if (!rufflePath.isEmpty())
        arguments << u"--ruffle"_s << rufflePath;
    m_server.start(u"python3"_s, arguments);
    if (m_server.waitForReadyRead(10000))
        m_port = m_server.readLine().trimmed().toInt();
}

TestSite::~TestSite()
{
    m_server.kill();
    m_server.waitForFinished();
}

QString TestSite::url(const QString &path, const QString &host) const
{
    return u"http://%1:%2/%3"_s.arg(host).arg(m_port).arg(path);
}

void TestSite::addFile(const QString &path, const QByteArray &content)
{
    const QString fileName = m_root.filePath(path);
    QDir().mkpath(QFileInfo(fileName).path());
    QFile file(fileName);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

QStringList TestSite::requests()
{
    while (m_server.canReadLine())
        m_requests << QString::fromUtf8(m_server.readLine().trimmed());
    return m_requests;
}

QByteArray makeSwf(const QStringList &arguments)
{
    QTemporaryDir dir;
    const QString output = dir.filePath(u"movie.swf"_s);
    QProcess generator;
    generator.start(u"python3"_s, QStringList{QString::fromUtf8(ZIRRABEE_MAKESWF), output} + arguments);
    generator.waitForFinished();
    QFile file(output);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
