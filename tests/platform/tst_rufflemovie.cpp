#include "app/error.h"
#include "platform/platformschemes.h"
#include "platform/rufflemovie.h"
#include "testsite.h"

#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <memory>

using namespace Qt::Literals::StringLiterals;

// Ruffle in the player page, playing movies of the local site.
class TestRuffleMovie : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void plays_data();
    void plays();
    void relativeLoadInsideMovie();
    void stopPlayHoldsAndPlayResumes();
    void rewindAndStopReturnToFirstFrame();
    void forwardAndBackStepOneFrame();
    void commandsBeforeLoadWait();
    void oneFrameMovieIgnoresFrameCommands();
    void unloadableMovieShowsMessage_data();
    void unloadableMovieShowsMessage();
    void mouseWindowIsTheView();
    void factoryWithoutRuffleThrows();

private:
    // Creates a control in a shown window and sets its movie.
    RuffleMovie *open(const QString &url);
    // The frames reported by the movie until `count` have arrived.
    static bool waitForFrames(QSignalSpy &spy, int count);
    // Whether the reports stop coming: the commands reach the page a little later.
    static bool becomesQuiet(QSignalSpy &spy);
    static int lastFrame(const QSignalSpy &spy) { return spy.last().at(1).toInt(); }
    static bool showsColor(QWidget *widget, QRgb color);

    TestSite m_site{QString::fromUtf8(ZIRRABEE_RUFFLE_DIR)};
    RuffleMovieFactory m_factory{QString::fromUtf8(ZIRRABEE_RUFFLE_DIR)};
    std::unique_ptr<QWidget> m_window;
};

// Frames come at 20 a second; a quiet spell this long means the movie is halted.
// A busy machine stalls the page for more than half a second now and then.
constexpr int QuietMs = 1500;
constexpr QRgb Red = qRgb(230, 40, 40);

void TestRuffleMovie::initTestCase()
{
    QVERIFY(m_site.isRunning());
    const QStringList moving{u"--frames"_s, u"10"_s, u"--fps"_s, u"20"_s, u"--report-frames"_s};
    const QByteArray plain = makeSwf(moving);
    QVERIFY(plain.startsWith("FWS"));
    m_site.addFile(u"movies/plain.swf"_s, plain);
    m_site.addFile(u"movies/packed.swf"_s, makeSwf(moving + QStringList{u"--compressed"_s}));
    // Long enough that frame 1 comes back only when a command brings it.
    m_site.addFile(u"movies/long.swf"_s,
                   makeSwf({u"--frames"_s, u"200"_s, u"--fps"_s, u"20"_s, u"--report-frames"_s}));
    m_site.addFile(u"movies/one.swf"_s, makeSwf({u"--frames"_s, u"1"_s, u"--report-frames"_s}));
    m_site.addFile(u"movies/loader.swf"_s,
                   makeSwf({u"--frames"_s, u"1"_s, u"--load"_s, u"sub/child.swf"_s}));
    m_site.addFile(u"movies/sub/child.swf"_s,
                   makeSwf(moving + QStringList{u"--report-command"_s, u"child"_s}));
    m_site.addFile(u"movies/text.swf"_s, "<html>not a movie</html>");
}

RuffleMovie *TestRuffleMovie::open(const QString &url)
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(320, 240);
    auto *movie = static_cast<RuffleMovie *>(m_factory.create(m_window.get()));
    movie->widget()->setGeometry(0, 0, 320, 240);
    m_window->show();
    movie->setMovie(url);
    return movie;
}

bool TestRuffleMovie::waitForFrames(QSignalSpy &spy, int count)
{
    for (int i = 0; spy.size() < count && i < 100; ++i)
        spy.wait(200);
    return spy.size() >= count;
}

bool TestRuffleMovie::becomesQuiet(QSignalSpy &spy)
{
    for (int i = 0; i < 10; ++i) {
        if (!spy.wait(QuietMs))
            return true;
    }
    return false;
}

bool TestRuffleMovie::showsColor(QWidget *widget, QRgb color)
{
    const QImage image = widget->grab().toImage();
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4) {
            const QRgb pixel = image.pixel(x, y);
            if (qAbs(qRed(pixel) - qRed(color)) < 12 && qAbs(qGreen(pixel) - qGreen(color)) < 12
                && qAbs(qBlue(pixel) - qBlue(color)) < 12)
                return true;
        }
    }
    return false;
}

void TestRuffleMovie::plays_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("host");

    QTest::newRow("uncompressed") << u"movies/plain.swf"_s << u"127.0.0.1"_s;
    QTest::newRow("compressed") << u"movies/packed.swf"_s << u"127.0.0.1"_s;
    QTest::newRow("another host") << u"movies/plain.swf"_s << u"localhost"_s;
    QTest::newRow("with a query") << u"movies/plain.swf?v=2"_s << u"127.0.0.1"_s;
}

void TestRuffleMovie::plays()
{
    QFETCH(QString, path);
    QFETCH(QString, host);

    RuffleMovie *movie = open(m_site.url(path, host));
    QSignalSpy frames(movie, &RuffleMovie::fsCommand);
    QVERIFY(waitForFrames(frames, 3));
    QCOMPARE(frames.at(0).at(0).toString(), u"frame"_s);
    QCOMPARE(lastFrame(frames), frames.at(frames.size() - 2).at(1).toInt() % 10 + 1);
    QTRY_VERIFY(showsColor(movie->widget(), Red));
}

// Inside a movie, relative addresses resolve against the movie's folder.
void TestRuffleMovie::relativeLoadInsideMovie()
{
    RuffleMovie *movie = open(m_site.url(u"movies/loader.swf"_s));
    QSignalSpy reports(movie, &RuffleMovie::fsCommand);
    QVERIFY(waitForFrames(reports, 2));
    QCOMPARE(reports.last().at(0).toString(), u"child"_s);
    QVERIFY(m_site.requests().contains(u"GET /movies/sub/child.swf"_s));
}

void TestRuffleMovie::stopPlayHoldsAndPlayResumes()
{
    RuffleMovie *movie = open(m_site.url(u"movies/long.swf"_s));
    QSignalSpy frames(movie, &RuffleMovie::fsCommand);
    QVERIFY(waitForFrames(frames, 2));

    movie->StopPlay();
    QVERIFY(becomesQuiet(frames));

    movie->Play();
    QVERIFY(waitForFrames(frames, 2));
}

void TestRuffleMovie::rewindAndStopReturnToFirstFrame()
{
    RuffleMovie *movie = open(m_site.url(u"movies/long.swf"_s));
    QSignalSpy frames(movie, &RuffleMovie::fsCommand);
    QVERIFY(waitForFrames(frames, 3));
    QTRY_VERIFY(lastFrame(frames) > 1);

    movie->Rewind();
    movie->Stop();
    // A stalled page is quiet too: the movie must be back at frame 1 first.
    QTRY_COMPARE(lastFrame(frames), 1);
    QVERIFY(becomesQuiet(frames));
    QCOMPARE(lastFrame(frames), 1);
}

void TestRuffleMovie::forwardAndBackStepOneFrame()
{
    RuffleMovie *movie = open(m_site.url(u"movies/long.swf"_s));
    QSignalSpy frames(movie, &RuffleMovie::fsCommand);
    QVERIFY(waitForFrames(frames, 2));
    movie->Rewind();
    QTRY_COMPARE(lastFrame(frames), 1);
    frames.clear();

    movie->Forward();
    QVERIFY(waitForFrames(frames, 1));
    QCOMPARE(lastFrame(frames), 2);
    movie->Forward();
    QVERIFY(waitForFrames(frames, 2));
    QCOMPARE(lastFrame(frames), 3);
    movie->Back();
    QVERIFY(waitForFrames(frames, 3));
    QCOMPARE(lastFrame(frames), 2);
    QVERIFY(becomesQuiet(frames));
}

// The player window calls Play right after setting the movie, and the user may
// press a button while it loads.
void TestRuffleMovie::commandsBeforeLoadWait()
{
    RuffleMovie *movie = open(m_site.url(u"movies/long.swf"_s));
    QSignalSpy frames(movie, &RuffleMovie::fsCommand);
    movie->Play();
    movie->Rewind();
    movie->Stop();
    QVERIFY(waitForFrames(frames, 1));
    QVERIFY(becomesQuiet(frames));
    QCOMPARE(lastFrame(frames), 1);
}

void TestRuffleMovie::oneFrameMovieIgnoresFrameCommands()
{
    RuffleMovie *movie = open(m_site.url(u"movies/one.swf"_s));
    QSignalSpy frames(movie, &RuffleMovie::fsCommand);
    QSignalSpy failed(movie, &RuffleMovie::movieFailed);
    QVERIFY(waitForFrames(frames, 1));
    movie->Forward();
    movie->Back();
    movie->Rewind();
    movie->Stop();
    movie->StopPlay();
    movie->Play();
    QTRY_VERIFY(showsColor(movie->widget(), Red));
    QVERIFY(becomesQuiet(frames));
    QCOMPARE(lastFrame(frames), 1);
    QCOMPARE(failed.size(), 0);
}

void TestRuffleMovie::unloadableMovieShowsMessage_data()
{
    QTest::addColumn<QString>("url");

    QTest::newRow("not found") << m_site.url(u"movies/missing.swf"_s);
    QTest::newRow("not a movie") << m_site.url(u"movies/text.swf"_s);
    // Port 9 (discard) is closed on a test machine.
    QTest::newRow("host down") << u"http://127.0.0.1:9/movie.swf"_s;
}

void TestRuffleMovie::unloadableMovieShowsMessage()
{
    QFETCH(QString, url);

    RuffleMovie *movie = open(url);
    QSignalSpy failed(movie, &RuffleMovie::movieFailed);
    QVERIFY(failed.wait(20000));
    QVERIFY(failed.at(0).at(0).toString().contains(url));
    QTRY_VERIFY(showsColor(movie->widget(), qRgb(0x30, 0x30, 0x30)));
    // Commands on a movie that never came raise nothing.
    movie->Play();
    movie->Forward();
}

void TestRuffleMovie::mouseWindowIsTheView()
{
    RuffleMovie *movie = open(m_site.url(u"movies/plain.swf"_s));
    QSignalSpy loaded(movie, &RuffleMovie::movieLoaded);
    QVERIFY(loaded.wait(20000));
    QWidget *view = movie->widget();
    QTRY_VERIFY(view->focusProxy());
    QVERIFY(movie->isMovieWindow(view));
    QVERIFY(movie->isMovieWindow(view->focusProxy()));
    QVERIFY(!movie->isMovieWindow(m_window.get()));
    QVERIFY(!movie->isMovieWindow(nullptr));

    QPointer<QWidget> guard(view);
    delete movie;
    QVERIFY(guard.isNull());
}

void TestRuffleMovie::factoryWithoutRuffleThrows()
{
    RuffleMovieFactory factory(u"/nonexistent/ruffle"_s);
    QWidget parent;
    QVERIFY_THROWS_EXCEPTION(Error, factory.create(&parent));
}

int main(int argc, char **argv)
{
    registerPlatformSchemes();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestRuffleMovie test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_rufflemovie.moc"
