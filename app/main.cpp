// Start-up: the splash picture while both windows are built, then the loop.
#include "application.h"
#include "buildconfig.h"
#include "shutdownsignals.h"

#include "catalogue/cataloguesettings.h"
#include "forms/main/tmainform.h"
#include "forms/player/tshowform.h"
#include "forms/splash/tform1.h"
#include "platform/platformschemes.h"
#include "platform/rufflemovie.h"
#include "platform/webenginebrowser.h"

#include <QFile>
#include <QIcon>

#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

CatalogueSettings catalogueSettings()
{
    CatalogueSettings settings;
    settings.host = QLatin1String(BuildConfig::CatalogueHost);
    settings.port = BuildConfig::CataloguePort;
    settings.password = QLatin1String(BuildConfig::CataloguePassword);
    return settings;
}

void loadSkin(QApplication &app)
{
    QFile skin(QStringLiteral(":/skin/neonnight.qss"));
    if (skin.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromUtf8(skin.readAll()));
}

// Honours a launcher's request for a maximised or minimised first window.
void showMainWindow(QWidget *window)
{
#ifdef Q_OS_WIN
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);
    if (startup.dwFlags & STARTF_USESHOWWINDOW) {
        if (startup.wShowWindow == SW_SHOWMAXIMIZED || startup.wShowWindow == SW_MAXIMIZE) {
            window->showMaximized();
            return;
        }
        if (startup.wShowWindow == SW_SHOWMINIMIZED || startup.wShowWindow == SW_MINIMIZE
            || startup.wShowWindow == SW_SHOWMINNOACTIVE) {
            window->showMinimized();
            return;
        }
    }
#endif
    window->show();
}

} // namespace

int main(int argc, char *argv[])
{
    registerPlatformSchemes();
    // The web views want shared GL contexts, set before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    Application app(argc, argv);
    app.setWindowIcon(QIcon(QStringLiteral(":/icon/zirrabee.svg")));
    loadSkin(app);

    // The loop does not run yet, so the splash is painted by hand.
    auto splash = std::make_unique<TForm1>();
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    RuffleMovieFactory movies;
    auto mainform = std::make_unique<Tmainform>(catalogueSettings(), QLatin1String(BuildConfig::SiteRoot),
                                                new WebEngineBrowser, new WebEngineBrowser,
                                                QCoreApplication::applicationDirPath());
    auto *showform = new Tshowform(movies, mainform.get());
    mainform->attachPlayer(showform);

    splash.reset();
    closeOnShutdownSignals(mainform.get());
    showMainWindow(mainform.get());
    const int result = app.exec();
    mainform.reset();
    return result;
}
