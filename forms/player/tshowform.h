#pragma once

#include "imagelist.h"

#include <QEvent>
#include <QPointer>
#include <QRect>
#include <QWidget>

class MovieControl;
class MovieControlFactory;
class QLabel;
class QToolButton;
class QGridLayout;
class Tmainform;

// The player window: the movie above a bar of transport buttons.
class Tshowform : public QWidget
{
    Q_OBJECT

public:
    Tshowform(MovieControlFactory &movies, Tmainform *mainform);
    ~Tshowform() override;

    const ImageList &sAlphaImageList1() const { return m_images; }
    MovieControl *ShockwaveFlash1() const { return m_movie; }

    // Frees the movie control and puts a fresh one in its place, in front of
    // the loading panel. Throws when the control cannot be made; the panel
    // then shows through.
    MovieControl *replaceMovieControl();

    bool windowed() const { return m_windowed; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void connectEvents();

    void FormCreate();
    void FormShow();
    void FormClose();
    void FormKeyDown(int key);
    void ApplicationEvents1ActionExecute(QObject *target, QEvent *event);

    void sSpeedButton1Click();
    void sSpeedButton2Click();
    void sSpeedButton3Click();
    void sSpeedButton4Click();
    void sSpeedButton5Click();
    void sSpeedButton6Click();
    void sSpeedButton7Click();
    void sSpeedButton8Click();

    // Qt hands an ignored key or mouse event on to the parents of the widget
    // it was meant for, and the application filter sees every hand-on.
    // Recognises such a copy so each press acts once.
    struct Delivery
    {
        QPointer<QObject> target;
        QEvent::Type type = QEvent::None;
        quint64 timestamp = 0;
        int key = 0;
    };
    bool isHandOn(QObject *watched, QEvent::Type type, quint64 timestamp, int key) const;

    void enterFullScreen();
    void leaveFullScreen(bool sizeable);
    void setPlayImage(int index);

    MovieControlFactory &m_movies;
    Tmainform *m_mainform;
    ImageList m_images;
    MovieControl *m_movie = nullptr;

    QWidget *m_movieArea = nullptr;
    QGridLayout *m_movieLayout = nullptr;
    QLabel *sPanel2 = nullptr;
    QWidget *sPanel7 = nullptr;
    QLabel *sLabel1 = nullptr;
    QWidget *sPanel1 = nullptr;
    QToolButton *sSpeedButton1 = nullptr;
    QToolButton *sSpeedButton2 = nullptr;
    QToolButton *sSpeedButton3 = nullptr;
    QToolButton *sSpeedButton4 = nullptr;
    QToolButton *sSpeedButton5 = nullptr;
    QToolButton *sSpeedButton6 = nullptr;
    QToolButton *sSpeedButton7 = nullptr;
    QToolButton *sSpeedButton8 = nullptr;

    // Program-wide player state: framed or full screen, and the outer
    // bounds saved when full screen was last entered (none before that).
    Delivery m_lastDelivery;
    bool m_windowed = false;
    QRect m_savedBounds;
    bool m_boundsSaved = false;
    bool m_shownOnce = false;
    int m_playImage = 6;
};
