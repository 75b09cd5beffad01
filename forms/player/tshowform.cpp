#include "tshowform.h"

#include "app/errorhandler.h"
#include "forms/main/tmainform.h"
#include "forms/main/titlelist.h"
#include "platform/moviecontrol.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QFont tahoma(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

Tshowform::Tshowform(MovieControlFactory &movies, Tmainform *mainform)
    : QWidget(mainform, Qt::Window)
    , m_movies(movies)
    , m_mainform(mainform)
{
    setObjectName(QStringLiteral("showform"));
    buildLayout();
    connectEvents();
    ErrorHandler::run([this] { FormCreate(); });
}

Tshowform::~Tshowform()
{
    qApp->removeEventFilter(this);
    delete m_movie;
}

void Tshowform::buildLayout()
{
    setWindowTitle(QStringLiteral("showform"));
    setFont(tahoma(11));
    resize(846, 687);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The loading panel lies behind the movie and shows wherever no movie covers it.
    m_movieArea = new QWidget(this);
    m_movieLayout = new QGridLayout(m_movieArea);
    m_movieLayout->setContentsMargins(0, 0, 0, 0);
    sPanel2 = new QLabel(QStringLiteral("动画正在载入中,请稍候......."), m_movieArea);
    sPanel2->setObjectName(QStringLiteral("sPanel2"));
    sPanel2->setAlignment(Qt::AlignCenter);
    m_movieLayout->addWidget(sPanel2, 0, 0);
    layout->addWidget(m_movieArea, 1);

    sPanel7 = new QWidget(this);
    sPanel7->setObjectName(QStringLiteral("sPanel7"));
    sPanel7->setFixedHeight(47);
    sPanel7->setAttribute(Qt::WA_StyledBackground);
    layout->addWidget(sPanel7);

    sLabel1 = new QLabel(QStringLiteral("按一下回车键可以切换全屏"), sPanel7);
    sLabel1->setObjectName(QStringLiteral("sLabel1"));
    sLabel1->setGeometry(12, 16, 144, 13);
    sLabel1->setFont(tahoma(11));

    auto *barLayout = new QHBoxLayout(sPanel7);
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->addStretch(1);
    sPanel1 = new QWidget(sPanel7);
    sPanel1->setObjectName(QStringLiteral("sPanel1"));
    sPanel1->setFixedSize(417, 47);
    barLayout->addWidget(sPanel1);

    auto makeButton = [this](QToolButton *&button, const char *name, int left, int image) {
        button = new QToolButton(sPanel1);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(left, 6, 35, 35);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIconSize(ImageList::drawSize());
        button->setIcon(m_images.icon(image));
    };
    makeButton(sSpeedButton1, "sSpeedButton1", 56, 0);
    makeButton(sSpeedButton2, "sSpeedButton2", 97, 1);
    makeButton(sSpeedButton3, "sSpeedButton3", 138, 6);
    makeButton(sSpeedButton6, "sSpeedButton6", 178, 5);
    makeButton(sSpeedButton4, "sSpeedButton4", 219, 3);
    makeButton(sSpeedButton5, "sSpeedButton5", 260, 4);
    makeButton(sSpeedButton7, "sSpeedButton7", 301, 9);
    makeButton(sSpeedButton8, "sSpeedButton8", 373, 10);
    sSpeedButton3->setProperty("imageIndex", m_playImage);
}

void Tshowform::connectEvents()
{
    const auto on = [this](QToolButton *button, void (Tshowform::*handler)()) {
        connect(button, &QToolButton::clicked, this, [this, handler] { ErrorHandler::run([&] { (this->*handler)(); }); });
    };
    on(sSpeedButton1, &Tshowform::sSpeedButton1Click);
    on(sSpeedButton2, &Tshowform::sSpeedButton2Click);
    on(sSpeedButton3, &Tshowform::sSpeedButton3Click);
    on(sSpeedButton4, &Tshowform::sSpeedButton4Click);
    on(sSpeedButton5, &Tshowform::sSpeedButton5Click);
    on(sSpeedButton6, &Tshowform::sSpeedButton6Click);
    on(sSpeedButton7, &Tshowform::sSpeedButton7Click);
    on(sSpeedButton8, &Tshowform::sSpeedButton8Click);
}

MovieControl *Tshowform::replaceMovieControl()
{
    delete m_movie;
    m_movie = nullptr;
    m_movie = m_movies.create(m_movieArea);
    m_movieLayout->addWidget(m_movie->widget(), 0, 0);
    m_movie->widget()->raise();
    m_movie->widget()->show();
    return m_movie;
}

void Tshowform::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (!m_shownOnce) {
        m_shownOnce = true;
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    ErrorHandler::run([this] { FormShow(); });
}

void Tshowform::closeEvent(QCloseEvent *event)
{
    ErrorHandler::run([this] { FormClose(); });
    event->accept();
}

void Tshowform::keyPressEvent(QKeyEvent *event)
{
    // Only keys the window receives itself, not those passed up from the movie.
    const QWidget *focus = focusWidget();
    if (!focus || focus == this)
        ErrorHandler::run([&] { FormKeyDown(event->key()); });
    QWidget::keyPressEvent(event);
}

void Tshowform::FormCreate()
{
    qApp->installEventFilter(this);
}

void Tshowform::FormShow()
{
    if (m_movie)
        m_movie->Play();
    m_windowed = true;
}

void Tshowform::FormClose()
{
    if (m_movie)
        m_movie->Stop();
}

void Tshowform::FormKeyDown(int key)
{
    if (key != Qt::Key_Escape)
        return;
    leaveFullScreen(false);
}

bool Tshowform::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonDblClick || type == QEvent::KeyPress)
        ErrorHandler::run([&] { ApplicationEvents1ActionExecute(watched, event); });
    return false;
}

bool Tshowform::isHandOn(QObject *watched, QEvent::Type type, quint64 timestamp, int key) const
{
    const Delivery &last = m_lastDelivery;
    if (!last.target || last.type != type || last.timestamp != timestamp || last.key != key)
        return false;
    for (QObject *o = last.target->parent(); o; o = o->parent()) {
        if (o == watched)
            return true;
    }
    return false;
}

void Tshowform::ApplicationEvents1ActionExecute(QObject *target, QEvent *event)
{
    // The window-system delivery to the top-level QWindow comes first; the
    // widget delivery that follows is the one that counts.
    if (!target->isWidgetType())
        return;
    const auto *input = static_cast<QInputEvent *>(event);
    const int key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent *>(event)->key() : 0;
    if (isHandOn(target, event->type(), input->timestamp(), key))
        return;

    if (event->type() == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton || !m_movie || !m_movie->isMovieWindow(target))
            return;
        m_lastDelivery = {target, event->type(), input->timestamp(), key};
        sSpeedButton7->click();
        return;
    }
    if (input->modifiers() & Qt::AltModifier)
        return;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        m_lastDelivery = {target, event->type(), input->timestamp(), key};
        sSpeedButton7->click();
    } else if (key == Qt::Key_Escape) {
        m_lastDelivery = {target, event->type(), input->timestamp(), key};
        leaveFullScreen(true);
    }
}

void Tshowform::sSpeedButton1Click()
{
    QListWidget *playlist = m_mainform->sListBox4();
    if (playlist->count() > 0) {
        const int p = TitleList::selected(playlist);
        TitleList::select(playlist, p > 0 ? p - 1 : -1);
    }
    const int now = TitleList::selected(playlist);
    if (now >= 0)
        m_mainform->getplay(playlist->item(now)->text());
}

void Tshowform::sSpeedButton2Click()
{
    if (m_movie)
        m_movie->Back();
}

void Tshowform::sSpeedButton3Click()
{
    if (m_playImage == 2) {
        if (m_movie)
            m_movie->Play();
        setPlayImage(6);
    } else {
        if (m_movie)
            m_movie->StopPlay();
        setPlayImage(2);
    }
}

void Tshowform::sSpeedButton4Click()
{
    if (m_movie)
        m_movie->Forward();
}

void Tshowform::sSpeedButton5Click()
{
    QListWidget *playlist = m_mainform->sListBox4();
    if (playlist->count() == 0)
        return;
    const int p = TitleList::selected(playlist);
    if (p + 1 >= playlist->count())
        return;
    TitleList::select(playlist, p + 1);
    m_mainform->getplay(playlist->item(p + 1)->text());
}

void Tshowform::sSpeedButton6Click()
{
    if (m_movie) {
        m_movie->Rewind();
        m_movie->Stop();
    }
    setPlayImage(2);
}

void Tshowform::sSpeedButton7Click()
{
    if (m_windowed)
        enterFullScreen();
    else
        leaveFullScreen(true);
}

void Tshowform::sSpeedButton8Click()
{
    close();
}

void Tshowform::setPlayImage(int index)
{
    m_playImage = index;
    sSpeedButton3->setIcon(m_images.icon(index));
    sSpeedButton3->setProperty("imageIndex", index);
}

void Tshowform::enterFullScreen()
{
    const bool visible = isVisible();
    m_savedBounds = frameGeometry();
    m_boundsSaved = true;
    // Changing the frame hides the window; it comes back before it is placed,
    // so the frame it ends up with is the one measured.
    setWindowFlag(Qt::FramelessWindowHint, true);
    if (visible)
        show();
    sPanel7->hide();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setGeometry(QGuiApplication::primaryScreen()->geometry());
    m_windowed = false;
}

void Tshowform::leaveFullScreen(bool sizeable)
{
    if (windowFlags().testFlag(Qt::FramelessWindowHint)) {
        const bool visible = isVisible();
        setWindowFlag(Qt::FramelessWindowHint, false);
        if (visible)
            show();
    }
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    sPanel7->show();
    // Before full screen was ever entered there are no bounds to go back to:
    // the window keeps its place and size.
    if (m_boundsSaved) {
        const QSize frameExtra = frameGeometry().size() - size();
        move(m_savedBounds.topLeft());
        resize(m_savedBounds.size() - frameExtra);
    }
    if (sizeable)
        m_windowed = true;
    else
        setFixedSize(size());
}
