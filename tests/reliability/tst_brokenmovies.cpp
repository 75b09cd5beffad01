// Broken movies in the real player (Ruffle in Qt WebEngine): what each one shows, and that the
// control keeps taking commands and the next movie plays. Ruffle plays whatever frames a file
// holds, so a cut or padded movie plays its intact part rather than failing.
#include "platform/platformschemes.h"
#include "platform/rufflemovie.h"
#include "platform/testsite.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <memory>

using namespace Qt::Literals::StringLiterals;

class tst_BrokenMovies : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void brokenMovie_data();
    void brokenMovie();

private:
    RuffleMovie *open(const QString &path);

    TestSite m_site{QString::fromUtf8(ZIRRABEE_RUFFLE_DIR)};
    RuffleMovieFactory m_factory{QString::fromUtf8(ZIRRABEE_RUFFLE_DIR)};
    std::unique_ptr<QWidget> m_window;
    QByteArray m_good;
};

namespace {
// The little-endian file length in an SWF header.
QByteArray withLength(QByteArray swf, quint32 length)
{
    for (int i = 0; i < 4; ++i)
        swf[4 + i] = char((length >> (8 * i)) & 0xFF);
    return swf;
}
}

void tst_BrokenMovies::initTestCase()
{
    QVERIFY(m_site.isRunning());
    const QStringList moving{u"--frames"_s, u"10"_s, u"--fps"_s, u"20"_s, u"--report-frames"_s};
    m_good = makeSwf(moving);
    const QByteArray packed = makeSwf(moving + QStringList{u"--compressed"_s});
    QVERIFY(m_good.startsWith("FWS") && packed.startsWith("CWS"));
    m_site.addFile(u"good.swf"_s, m_good);

    m_site.addFile(u"empty.swf"_s, {});
    m_site.addFile(u"header-only.swf"_s, m_good.left(8));
    m_site.addFile(u"half.swf"_s, m_good.left(m_good.size() / 2));
    m_site.addFile(u"packed-half.swf"_s, packed.left(packed.size() / 2));
    m_site.addFile(u"packed-garbage.swf"_s, packed.left(8) + QByteArray(4096, '\x5A'));
    m_site.addFile(u"claims-1gib.swf"_s, withLength(m_good, 1u << 30));
    m_site.addFile(u"png.swf"_s, QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"));
    // 128 MiB: a valid movie followed by zeros, its header telling the true length.
    QByteArray huge = m_good + QByteArray(128 << 20, '\0');
    m_site.addFile(u"huge.swf"_s, withLength(huge, quint32(huge.size())));
}

RuffleMovie *tst_BrokenMovies::open(const QString &path)
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(320, 240);
    auto *movie = static_cast<RuffleMovie *>(m_factory.create(m_window.get()));
    movie->widget()->setGeometry(0, 0, 320, 240);
    m_window->show();
    movie->setMovie(m_site.url(path));
    movie->Play();
    return movie;
}

enum class Outcome { Message, Plays, Blank };
Q_DECLARE_METATYPE(Outcome)

void tst_BrokenMovies::brokenMovie_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Outcome>("outcome");

    QTest::newRow("missing") << u"missing.swf"_s << Outcome::Message;
    QTest::newRow("empty file") << u"empty.swf"_s << Outcome::Message;
    QTest::newRow("header only") << u"header-only.swf"_s << Outcome::Message;
    QTest::newRow("cut in half") << u"half.swf"_s << Outcome::Plays;
    // Ruffle waits for the rest of the stream and never reports: the area stays empty.
    QTest::newRow("compressed, cut in half") << u"packed-half.swf"_s << Outcome::Blank;
    QTest::newRow("compressed, garbage stream") << u"packed-garbage.swf"_s << Outcome::Message;
    QTest::newRow("header claims 1 GiB") << u"claims-1gib.swf"_s << Outcome::Plays;
    QTest::newRow("not a SWF") << u"png.swf"_s << Outcome::Message;
    QTest::newRow("128 MiB") << u"huge.swf"_s << Outcome::Plays;
}

void tst_BrokenMovies::brokenMovie()
{
    QFETCH(QString, path);
    QFETCH(Outcome, outcome);

    RuffleMovie *movie = open(path);
    QSignalSpy failed(movie, &RuffleMovie::movieFailed);
    QSignalSpy frames(movie, &RuffleMovie::fsCommand);
    switch (outcome) {
    case Outcome::Message:
        QVERIFY(failed.wait(60'000));
        QVERIFY(!failed.first().first().toString().trimmed().isEmpty());
        qInfo("%s", qPrintable(failed.first().first().toString().simplified()));
        break;
    case Outcome::Plays:
        QTRY_VERIFY_WITH_TIMEOUT(!frames.isEmpty(), 60'000);
        QVERIFY(failed.isEmpty());
        break;
    case Outcome::Blank:
        QVERIFY(!failed.wait(20'000));
        QVERIFY(frames.isEmpty());
        break;
    }
    // Commands on a broken movie raise nothing.
    movie->Rewind();
    movie->Forward();
    movie->StopPlay();

    // The program goes on: the next movie plays in a fresh control.
    RuffleMovie *next = open(u"good.swf"_s);
    QSignalSpy nextFrames(next, &RuffleMovie::fsCommand);
    QTRY_VERIFY_WITH_TIMEOUT(nextFrames.size() >= 2, 30'000);
}

int main(int argc, char **argv)
{
    registerPlatformSchemes();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    tst_BrokenMovies test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_brokenmovies.moc"
