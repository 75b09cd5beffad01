// Movie benchmark: time from setting a movie to its first frame, and peak
// memory, for the player control against a bare page with Ruffle showing the
// same movie. Each measurement runs in a fresh process; the figures are medians.

#include "platform/platformschemes.h"
#include "platform/rufflemovie.h"
#include "platform/webenginebrowser.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Rounds = 5;
constexpr int TimeoutMs = 60000;

// Peak resident memory in kB of this process and all its descendants (the
// engine's helper processes).
qint64 peakMemoryKb()
{
    QMultiMap<qint64, qint64> children;
    const QStringList pids = QDir(u"/proc"_s).entryList(QDir::Dirs);
    for (const QString &pid : pids) {
        QFile stat(u"/proc/%1/stat"_s.arg(pid));
        if (!pid.toLongLong() || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            children.insert(fields.at(1).toLongLong(), pid.toLongLong());
    }
    qint64 total = 0;
    QList<qint64> todo{QCoreApplication::applicationPid()};
    while (!todo.isEmpty()) {
        const qint64 pid = todo.takeLast();
        todo += children.values(pid);
        QFile status(u"/proc/%1/status"_s.arg(pid));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                total += line.mid(6).trimmed().split(' ').first().toLongLong();
        }
    }
    return total;
}

bool waitFor(bool &flag)
{
    QElapsedTimer timer;
    timer.start();
    while (!flag && timer.elapsed() < TimeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return flag;
}

// One measurement in this process; prints "<milliseconds> <peak kB>".
int measure(const QString &kind, const QString &site, const QString &rufflePath)
{
    QWidget window;
    window.resize(640, 480);
    window.show();

    // Start the engine before the clock runs: both sides pay that alike.
    bool warm = false;
    WebEngineBrowser warmUp;
    QObject::connect(&warmUp, &BrowserControl::CommandStateChange, [&] { warm = true; });
    warmUp.Navigate(site + "blank.html"_L1);
    if (!waitFor(warm))
        return 2;

    const QString movieUrl = site + "movie.swf"_L1;
    bool shown = false;
    QElapsedTimer clock;
    RuffleMovieFactory factory(rufflePath);
    std::unique_ptr<MovieControl> movie;
    std::unique_ptr<WebEngineBrowser> bare;
    clock.start();
    if (kind == "player"_L1) {
        movie.reset(factory.create(&window));
        movie->widget()->setGeometry(0, 0, 640, 480);
        movie->widget()->show();
        QObject::connect(static_cast<RuffleMovie *>(movie.get()), &RuffleMovie::fsCommand, [&] { shown = true; });
        movie->setMovie(movieUrl);
    } else {
        bare = std::make_unique<WebEngineBrowser>();
        bare->widget()->setParent(&window);
        bare->widget()->setGeometry(0, 0, 640, 480);
        bare->widget()->show();
        QObject::connect(bare.get(), &BrowserControl::BeforeNavigate2, [&](const QString &url, bool *cancel) {
            if (url.endsWith("/firstframe"_L1)) {
                shown = true;
                *cancel = true;
            }
        });
        bare->Navigate(site + "bare.html?movie="_L1 + QString::fromUtf8(QUrl::toPercentEncoding(movieUrl)));
    }
    if (!waitFor(shown))
        return 3;
    const qint64 elapsed = clock.elapsed();
    // Let the movie play on a while so that memory reaches its working level.
    QEventLoop settle;
    QTimer::singleShot(2000, &settle, &QEventLoop::quit);
    settle.exec();
    std::printf("%lld %lld\n", static_cast<long long>(elapsed), static_cast<long long>(peakMemoryKb()));
    return 0;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

int run(const QString &rufflePath)
{
    QTemporaryDir root;
    QFile::copy(QString::fromUtf8(ZIRRABEE_BARE_PAGE), root.filePath(u"bare.html"_s));
    QFile blank(root.filePath(u"blank.html"_s));
    if (!blank.open(QIODevice::WriteOnly))
        return 1;
    blank.write("<!DOCTYPE html><title>blank</title>");
    blank.close();
    const int made = QProcess::execute(u"python3"_s, {QString::fromUtf8(ZIRRABEE_MAKESWF), root.filePath(u"movie.swf"_s),
                                                      u"--frames"_s, u"24"_s, u"--report-frames"_s, u"--compressed"_s,
                                                      u"--colors"_s, u"e62828,28a0e6,f0c020"_s});
    if (made != 0)
        return 1;

    QProcess server;
    server.start(u"python3"_s, {QString::fromUtf8(ZIRRABEE_TESTSITE), root.path(), u"--ruffle"_s, rufflePath});
    if (!server.waitForReadyRead(10000))
        return 1;
    const QString site = u"http://127.0.0.1:%1/"_s.arg(QString::fromUtf8(server.readLine().trimmed()));

    QMap<QString, QList<double>> times;
    QMap<QString, QList<double>> memory;
    for (int round = 0; round < Rounds; ++round) {
        for (const QString &kind : {u"player"_s, u"bare"_s}) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(), {u"--child"_s, kind, site, rufflePath});
            child.waitForFinished(TimeoutMs * 2);
            const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
            if (child.exitCode() != 0 || figures.size() != 2) {
                std::fprintf(stderr, "%s measurement failed (exit %d)\n", qPrintable(kind), child.exitCode());
                return 1;
            }
            times[kind] << figures.at(0).toDouble();
            memory[kind] << figures.at(1).toDouble() / 1024;
        }
    }
    server.kill();
    server.waitForFinished();

    const double playerTime = median(times[u"player"_s]);
    const double bareTime = median(times[u"bare"_s]);
    const double playerMemory = median(memory[u"player"_s]);
    const double bareMemory = median(memory[u"bare"_s]);
    std::printf("Movie set to first frame, median of %d runs each:\n", Rounds);
    std::printf("  player control  %7.0f ms   peak memory %6.0f MB\n", playerTime, playerMemory);
    std::printf("  bare Ruffle     %7.0f ms   peak memory %6.0f MB\n", bareTime, bareMemory);
    std::printf("  ratio (goal <= 1.2): time %.2f, memory %.2f\n", playerTime / bareTime, playerMemory / bareMemory);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    registerPlatformSchemes();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString defaultRuffle = QString::fromUtf8(ZIRRABEE_RUFFLE_DIR);
    if (arguments.size() == 5 && arguments.at(1) == "--child"_L1)
        return measure(arguments.at(2), arguments.at(3), arguments.at(4));
    return run(arguments.size() > 1 ? arguments.at(1) : defaultRuffle);
}
