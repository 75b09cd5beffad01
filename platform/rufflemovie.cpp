#include "rufflemovie.h"

#include "app/error.h"
#include "platform/enginecallback.h"
#include "platform/ruffleschemehandler.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

using namespace Qt::Literals::StringLiterals;

// Hands the player page's console reports to its control.
class MoviePage : public QWebEnginePage
{
public:
    MoviePage(QWebEngineProfile *profile, RuffleMovie *movie) : QWebEnginePage(profile, movie), m_movie(movie) {}

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &message, int,
                                  const QString &) override
    {
        runEngineCallback([&] { m_movie->pageMessage(message); });
    }

private:
    RuffleMovie *m_movie;
};

RuffleMovie::RuffleMovie(QWebEngineProfile *profile, QWidget *parent)
    : MovieControl(parent), m_view(new QWebEngineView(parent)), m_page(new MoviePage(profile, this))
{
    // Transparent until the movie draws, so the player's loading caption shows.
    m_page->setBackgroundColor(Qt::transparent);
    m_view->setPage(m_page);
    // The right button belongs to the movie's own menu.
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool) {
        m_pageReady = true;
        for (const QString &name : std::as_const(m_pending))
            command(name);
        m_pending.clear();
    });
}

RuffleMovie::~RuffleMovie()
{
    delete m_view;
    delete m_page;
}

QWidget *RuffleMovie::widget()
{
    return m_view;
}

bool RuffleMovie::isMovieWindow(const QObject *target) const
{
    // Chromium's input widget is a child (the focus proxy) of the view.
    for (const QObject *o = target; o; o = o->parent()) {
        if (o == m_view)
            return true;
    }
    return false;
}

void RuffleMovie::setMovie(const QString &url)
{
    m_pageReady = false;
    m_page->load(RuffleSchemeHandler::playerUrl(url));
}

void RuffleMovie::Play()
{
    command(u"play"_s);
}

void RuffleMovie::StopPlay()
{
    command(u"stopPlay"_s);
}

void RuffleMovie::Rewind()
{
    command(u"rewind"_s);
}

void RuffleMovie::Stop()
{
    command(u"stopPlay"_s);
}

void RuffleMovie::Back()
{
    command(u"back"_s);
}

void RuffleMovie::Forward()
{
    command(u"forward"_s);
}

// Commands given before the page has loaded wait for it; the page itself
// holds them until the movie is there.
void RuffleMovie::command(const QString &name)
{
    if (!m_pageReady) {
        m_pending << name;
        return;
    }
    m_page->runJavaScript(u"window.zirrabee && window.zirrabee.command('%1')"_s.arg(name));
}

void RuffleMovie::pageMessage(const QString &message)
{
    static const auto prefix = "zirrabee:"_L1;
    if (!message.startsWith(prefix))
        return;
    const QJsonObject report = QJsonDocument::fromJson(message.mid(prefix.size()).toUtf8()).object();
    const QString event = report.value("event"_L1).toString();
    if (event == "loaded"_L1)
        Q_EMIT movieLoaded();
    else if (event == "failed"_L1)
        Q_EMIT movieFailed(report.value("message"_L1).toString());
    else if (event == "fscommand"_L1)
        Q_EMIT fsCommand(report.value("command"_L1).toString(), report.value("args"_L1).toString());
}

RuffleMovieFactory::RuffleMovieFactory(const QString &rufflePath)
    : m_rufflePath(rufflePath.isEmpty() ? QCoreApplication::applicationDirPath() + "/ruffle"_L1 : rufflePath)
{
}

RuffleMovieFactory::~RuffleMovieFactory() = default;

MovieControl *RuffleMovieFactory::create(QWidget *parent)
{
    if (!QFileInfo::exists(m_rufflePath + "/ruffle.js"_L1))
        throw Error(u"找不到动画播放器 Ruffle:%1"_s.arg(QDir::toNativeSeparators(m_rufflePath)));
    if (!m_profile) {
        // Pages may outlive the factory; the profile lives as long as the application.
        m_profile = new QWebEngineProfile(QCoreApplication::instance());
        // Ruffle's menu labels follow the page's language; the commands look for the English ones.
        m_profile->setHttpAcceptLanguage(u"en-US"_s);
        m_profile->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
        m_profile->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);
        m_handler = new RuffleSchemeHandler(m_rufflePath, m_profile);
        m_profile->installUrlSchemeHandler(RuffleSchemeHandler::scheme, m_handler);
    }
    return new RuffleMovie(m_profile, parent);
}
