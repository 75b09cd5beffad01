#pragma once

#include "platform/moviecontrol.h"

#include <QList>
#include <QPointer>
#include <QStringList>

// Records the calls made on a movie control; its widget is a plain QWidget.
class FakeMovieControl : public MovieControl
{
    Q_OBJECT

public:
    explicit FakeMovieControl(QWidget *parent = nullptr);
    ~FakeMovieControl() override;

    QWidget *widget() override;
    bool isMovieWindow(const QObject *target) const override;
    void setMovie(const QString &url) override;
    void Play() override;
    void StopPlay() override;
    void Rewind() override;
    void Stop() override;
    void Back() override;
    void Forward() override;

    // Calls in order: "Movie <url>", "Play", "StopPlay", "Rewind", "Stop", "Back", "Forward".
    QStringList calls;

private:
    QPointer<QWidget> m_widget;
};

// Makes FakeMovieControls and keeps track of them.
class FakeMovieFactory : public MovieControlFactory
{
public:
    MovieControl *create(QWidget *parent) override;

    // Every control made, in order; an entry turns null once the control is deleted.
    QList<QPointer<FakeMovieControl>> created;
    // When set, create throws Error as if no player were installed.
    bool failCreate = false;
};
