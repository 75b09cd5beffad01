#pragma once

#include "platform/moviecontrol.h"

#include <QPointer>
#include <QStringList>

class MoviePage;
class QWebEngineProfile;
class QWebEngineView;
class RuffleSchemeHandler;

// The movie control: a web view with a player page of ours hosting Ruffle.
class RuffleMovie : public MovieControl
{
    Q_OBJECT

public:
    RuffleMovie(QWebEngineProfile *profile, QWidget *parent);
    ~RuffleMovie() override;

    QWidget *widget() override;
    bool isMovieWindow(const QObject *target) const override;
    void setMovie(const QString &url) override;
    void Play() override;
    void StopPlay() override;
    void Rewind() override;
    void Stop() override;
    void Back() override;
    void Forward() override;

Q_SIGNALS:
    // Ruffle has read the movie's header.
    void movieLoaded();
    // The movie could not be loaded; the message is shown in the movie area.
    void movieFailed(const QString &message);
    // An FSCommand sent by the movie.
    void fsCommand(const QString &command, const QString &args);

private:
    friend class MoviePage;

    void command(const QString &name);
    void pageMessage(const QString &message);

    QPointer<QWebEngineView> m_view;
    MoviePage *m_page;
    bool m_pageReady = false;
    QStringList m_pending;
};

// Makes RuffleMovie controls that share one browser profile and the scheme
// handler serving the player page, Ruffle's files and the proxied site.
class RuffleMovieFactory : public MovieControlFactory
{
public:
    // rufflePath: the folder with Ruffle's files; empty means "ruffle" beside
    // the executable.
    explicit RuffleMovieFactory(const QString &rufflePath = QString());
    ~RuffleMovieFactory() override;

    MovieControl *create(QWidget *parent) override;

private:
    QString m_rufflePath;
    QWebEngineProfile *m_profile = nullptr;
    RuffleSchemeHandler *m_handler = nullptr;
};
