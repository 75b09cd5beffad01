#include "fakemovie.h"

#include "app/error.h"

#include <QWidget>

using namespace Qt::Literals::StringLiterals;

FakeMovieControl::FakeMovieControl(QWidget *parent) : MovieControl(parent), m_widget(new QWidget(parent))
{
    m_widget->setObjectName(u"fakeMovieWidget"_s);
}

FakeMovieControl::~FakeMovieControl()
{
    delete m_widget;
}

QWidget *FakeMovieControl::widget()
{
    return m_widget;
}

bool FakeMovieControl::isMovieWindow(const QObject *target) const
{
    for (const QObject *o = target; o; o = o->parent()) {
        if (o == m_widget)
            return true;
    }
    return false;
}

void FakeMovieControl::setMovie(const QString &url)
{
    calls << u"Movie "_s + url;
}

void FakeMovieControl::Play()
{
    calls << u"Play"_s;
}

void FakeMovieControl::StopPlay()
{
    calls << u"StopPlay"_s;
}

void FakeMovieControl::Rewind()
{
    calls << u"Rewind"_s;
}

void FakeMovieControl::Stop()
{
    calls << u"Stop"_s;
}

void FakeMovieControl::Back()
{
    calls << u"Back"_s;
}

void FakeMovieControl::Forward()
{
    calls << u"Forward"_s;
}

MovieControl *FakeMovieFactory::create(QWidget *parent)
{
    if (failCreate)
        throw Error(u"fake movie factory: no movie player available"_s);
    auto *control = new FakeMovieControl(parent);
    created << control;
    return control;
}
