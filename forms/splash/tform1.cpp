#include "tform1.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

TForm1::TForm1(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zirrabee儿歌网"));
    setFixedSize(500, 250);

    // Rendered once at the screen's pixel ratio, so painting is a plain copy.
    const qreal ratio = devicePixelRatioF();
    m_picture = QPixmap(size() * ratio);
    m_picture.setDevicePixelRatio(ratio);
    m_picture.fill(palette().button().color());
    QPainter painter(&m_picture);
    QSvgRenderer(QStringLiteral(":/splash/splash.svg")).render(&painter, QRectF(rect()));

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = rect();
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
}

void TForm1::paintEvent(QPaintEvent *)
{
    QPainter(this).drawPixmap(0, 0, m_picture);
}
