#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The movie player as the player window uses it: one movie, set once, and
// the transport commands of the Flash control.
class MovieControl : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Fills the player's area; deleting the MovieControl deletes it.
    virtual QWidget *widget() = 0;
    // True when target is the widget, or a child of it, that receives the
    // mouse over the movie.
    virtual bool isMovieWindow(const QObject *target) const = 0;

    // Set once, right after creation; url is absolute (http...).
    virtual void setMovie(const QString &url) = 0;
    virtual void Play() = 0;
    virtual void StopPlay() = 0;
    virtual void Rewind() = 0;
    virtual void Stop() = 0;
    // One frame back or forward on the main timeline, then halted.
    virtual void Back() = 0;
    virtual void Forward() = 0;
};

// Makes the movie controls; the player window replaces its control per movie.
class MovieControlFactory
{
public:
    virtual ~MovieControlFactory() = default;
    // Throws Error when no control can be made; the caller owns the result.
    virtual MovieControl *create(QWidget *parent) = 0;
};
