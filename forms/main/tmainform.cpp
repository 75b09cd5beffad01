#include "tmainform.h"

#include "app/errorhandler.h"
#include "catalogue/cataloguequery.h"
#include "catalogue/statements.h"
#include "forms/main/historyfile.h"
#include "forms/main/playlink.h"
#include "forms/main/sitepages.h"
#include "forms/main/titlelist.h"
#include "forms/player/movieaddress.h"
#include "forms/player/tshowform.h"
#include "platform/browsercontrol.h"
#include "platform/moviecontrol.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QTreeWidget>

namespace {

// The design runs every statement on the one UI thread; the wait cursor
// tells the family the window is busy, not frozen.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

const QString classidField = QStringLiteral("classid");
const QString titleField = QStringLiteral("title");
const QString flashurlField = QStringLiteral("flashurl");

} // namespace

Tmainform::Tmainform(const CatalogueSettings &catalogue, const QString &siteRoot,
                     BrowserControl *webBrowser1, BrowserControl *webBrowser3,
                     const QString &historyFolder, QWidget *parent)
    : QWidget(parent)
    , m_siteRoot(siteRoot)
    , m_historyFolder(historyFolder)
    , UniConnection1(catalogue)
    , UniQuery1(UniConnection1)
    , WebBrowser1(webBrowser1)
    , WebBrowser3(webBrowser3)
{
    buildLayout();
    connectEvents();
    ErrorHandler::run([this] { FormCreate(); });
}

Tmainform::~Tmainform()
{
    delete WebBrowser1;
    delete WebBrowser3;
}

void Tmainform::attachPlayer(Tshowform *player)
{
    m_showform = player;
    setIcons();
}

void Tmainform::connectEvents()
{
    const auto guarded = [this](void (Tmainform::*handler)()) {
        return [this, handler] { ErrorHandler::run([&] { (this->*handler)(); }); };
    };
    const auto click = [&](QAbstractButton *button, void (Tmainform::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, guarded(handler));
    };
    const auto menuItem = [&](QMenu *menu, const char *name, void (Tmainform::*handler)()) {
        QAction *action = menu->findChild<QAction *>(QLatin1String(name));
        Q_ASSERT(action);
        connect(action, &QAction::triggered, this, guarded(handler));
    };

    click(sButton2, &Tmainform::sButton2Click);
    click(sButton11, &Tmainform::sButton11Click);
    click(sButton3, &Tmainform::sButton3Click);
    click(sButton5, &Tmainform::sButton5Click);
    click(sButton6, &Tmainform::sButton6Click);
    click(sButton10, &Tmainform::sButton10Click);
    click(sSpeedButton1, &Tmainform::sSpeedButton1Click);
    click(sButton7, &Tmainform::sButton7Click);
    click(sButton8, &Tmainform::sButton8Click);
    click(sButton9, &Tmainform::sButton9Click);
    click(sButton1, &Tmainform::sButton1Click);
    click(sSpeedButton2, &Tmainform::sSpeedButton2Click);
    click(sSpeedButton3, &Tmainform::sSpeedButton3Click);
    click(sSpeedButton4, &Tmainform::sSpeedButton4Click);
    click(sSpeedButton5, &Tmainform::sSpeedButton5Click);
    click(sSpeedButton6, &Tmainform::sSpeedButton6Click);

    menuItem(PopupMenu6, "N26", &Tmainform::N26Click);
    menuItem(PopupMenu6, "N27", &Tmainform::N27Click);
    menuItem(PopupMenu6, "N28", &Tmainform::N28Click);
    menuItem(PopupMenu6, "N29", &Tmainform::N29Click);
    menuItem(PopupMenu6, "N30", &Tmainform::N30Click);
    menuItem(PopupMenu2, "N6", &Tmainform::N6Click);
    menuItem(PopupMenu2, "N11", &Tmainform::N11Click);
    menuItem(PopupMenu2, "N8", &Tmainform::N8Click);
    menuItem(PopupMenu3, "N14", &Tmainform::N14Click);
    menuItem(PopupMenu3, "N12", &Tmainform::N12Click);
    menuItem(PopupMenu3, "N16", &Tmainform::N16Click);
    menuItem(PopupMenu3, "N20", &Tmainform::N20Click);
    menuItem(PopupMenu1, "N1", &Tmainform::N1Click);
    menuItem(PopupMenu1, "N18", &Tmainform::N18Click);
    menuItem(PopupMenu1, "N2", &Tmainform::N2Click);
    menuItem(PopupMenu1, "N5", &Tmainform::N5Click);

    connect(sEdit1, &QLineEdit::textChanged, this, guarded(&Tmainform::sEdit1Change));

    const auto popup = [this](QWidget *owner, QMenu *menu) {
        connect(owner, &QWidget::customContextMenuRequested, this, [owner, menu](const QPoint &pos) {
            const auto *view = qobject_cast<QAbstractScrollArea *>(owner);
            menu->popup((view ? view->viewport() : owner)->mapToGlobal(pos));
        });
    };
    popup(sTreeView1, PopupMenu2);
    popup(m_sListBox4, PopupMenu3);
    popup(sListBox1, PopupMenu1);

    // Clicks, double-clicks and right-clicks reach the lists' viewports.
    for (QAbstractScrollArea *view : std::initializer_list<QAbstractScrollArea *>{sTreeView1, sListBox3, m_sListBox4, sListBox1})
        view->viewport()->installEventFilter(this);

    connect(WebBrowser1, &BrowserControl::BeforeNavigate2, this, [this](const QString &url, bool *cancel) {
        ErrorHandler::run([&] { WebBrowser1BeforeNavigate2(url, cancel); });
    });
    connect(WebBrowser1, &BrowserControl::NewWindow2, this, [this](BrowserControl **ppDisp) {
        ErrorHandler::run([&] { WebBrowser1NewWindow2(ppDisp); });
    });
    connect(WebBrowser1, &BrowserControl::CommandStateChange, this, [this](int command, bool enable) {
        ErrorHandler::run([&] { WebBrowser1CommandStateChange(command, enable); });
    });
    connect(WebBrowser3, &BrowserControl::BeforeNavigate2, this, [this](const QString &url, bool *cancel) {
        ErrorHandler::run([&] { WebBrowser3BeforeNavigate2(url, cancel); });
    });
}

bool Tmainform::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return QWidget::eventFilter(watched, event);
    const auto *mouse = static_cast<QMouseEvent *>(event);

    // A right-click opens the menu but never moves the selection the menu acts on.
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton)
        return true;
    if (mouse->button() != Qt::LeftButton)
        return false;

    const bool onTree = watched == sTreeView1->viewport();
    if (type == QEvent::MouseButtonDblClick) {
        if (onTree)
            m_treeDoubleClicked = true;
        listDoubleClicked(watched);
    } else if (type == QEvent::MouseButtonRelease && onTree) {
        // The release that ends a double-click is not another click.
        if (m_treeDoubleClicked)
            m_treeDoubleClicked = false;
        else
            ErrorHandler::run([this] { sTreeView1Click(); });
    }
    return false;
}

void Tmainform::listDoubleClicked(QObject *viewport)
{
    ErrorHandler::run([&] {
        if (viewport == sTreeView1->viewport())
            sTreeView1DblClick();
        else if (viewport == sListBox3->viewport())
            sListBox3DblClick();
        else if (viewport == m_sListBox4->viewport())
            sListBox4DblClick();
        else if (viewport == sListBox1->viewport())
            sListBox1DblClick();
    });
}

void Tmainform::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous() || !m_historyPath.isEmpty())
        return;
    if (const QScreen *screen = QGuiApplication::primaryScreen(); screen && windowState() == Qt::WindowNoState) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    ErrorHandler::run([this] { FormShow(); });
}

void Tmainform::closeEvent(QCloseEvent *event)
{
    // Stays open unless every close step succeeded.
    event->ignore();
    if (ErrorHandler::run([this] { FormClose(); })) {
        event->accept();
        QCoreApplication::quit();
    }
}

void Tmainform::FormCreate()
{
    WebBrowser1->Navigate(m_siteRoot.chopped(1));
}

void Tmainform::FormShow()
{
    m_historyPath = HistoryFile::pathBeside(m_historyFolder);
    if (!QFile::exists(m_historyPath))
        return;
    const QStringList entries = HistoryFile::load(m_historyPath);
    sListBox1->setUpdatesEnabled(false);
    sListBox1->clear();
    sListBox1->addItems(entries);
    TitleList::select(sListBox1, -1);
    sListBox1->setUpdatesEnabled(true);
}

void Tmainform::FormClose()
{
    QStringList entries;
    entries.reserve(sListBox1->count());
    for (int i = 0; i < sListBox1->count(); ++i)
        entries.append(sListBox1->item(i)->text());
    HistoryFile::save(HistoryFile::pathBeside(m_historyFolder), entries);

    // A close that failed after this point must not free the browsers twice.
    delete WebBrowser1;
    WebBrowser1 = nullptr;
    delete WebBrowser3;
    WebBrowser3 = nullptr;
    UniQuery1.Close();
    UniConnection1.Disconnect();
}

void Tmainform::sButton2Click()
{
    if (sButton2->text() == QStringLiteral("关闭列表")) {
        sPanel1->hide();
        sButton2->setText(QStringLiteral("显示列表"));
    } else {
        sPanel1->show();
        sButton2->setText(QStringLiteral("关闭列表"));
    }
}

// Site navigation

void Tmainform::navigateSite(const QString &relative)
{
    if (WebBrowser1)
        WebBrowser1->Navigate(m_siteRoot + relative);
}

void Tmainform::sButton11Click() { navigateSite({}); }
void Tmainform::sButton3Click() { navigateSite(QLatin1String(SitePages::Newest)); }
void Tmainform::sButton5Click() { navigateSite(QLatin1String(SitePages::Popular)); }
void Tmainform::sButton6Click() { navigateSite(QLatin1String(SitePages::Recommended)); }
void Tmainform::sButton10Click() { navigateSite(QLatin1String(SitePages::TalentShow)); }
void Tmainform::N26Click() { navigateSite(QLatin1String(SitePages::Dance)); }
void Tmainform::N27Click() { navigateSite(QLatin1String(SitePages::Singing)); }
void Tmainform::N28Click() { navigateSite(QLatin1String(SitePages::Instruments)); }
void Tmainform::N29Click() { navigateSite(QLatin1String(SitePages::Painting)); }
void Tmainform::N30Click() { navigateSite(QLatin1String(SitePages::Sports)); }
void Tmainform::sSpeedButton1Click() { navigateSite(QLatin1String(SitePages::About)); }

void Tmainform::sButton7Click()
{
    if (WebBrowser1)
        WebBrowser1->GoBack();
}

void Tmainform::sButton8Click()
{
    if (WebBrowser1)
        WebBrowser1->GoForward();
}

void Tmainform::sButton9Click()
{
    if (WebBrowser1)
        WebBrowser1->Refresh();
}

void Tmainform::WebBrowser1CommandStateChange(int command, bool enable)
{
    if (command == BrowserControl::CommandForward)
        sButton8->setEnabled(enable);
    else if (command == BrowserControl::CommandBack)
        sButton7->setEnabled(enable);
}

void Tmainform::WebBrowser1NewWindow2(BrowserControl **ppDisp)
{
    *ppDisp = WebBrowser3;
}

void Tmainform::WebBrowser3BeforeNavigate2(const QString &url, bool *cancel)
{
    WebBrowser1->Navigate(url);
    *cancel = true;
}

void Tmainform::WebBrowser1BeforeNavigate2(const QString &url, bool *cancel)
{
    if (!PlayLink::isPlayLink(url))
        return;
    *cancel = true;
    const QString id = PlayLink::itemId(url);
    if (id.isEmpty())
        return;
    WaitCursor wait;
    UniQuery1.Close();
    CatalogueQuery::open(UniQuery1, Statements::MovieById, id);
    UniQuery1.First();
    CurrentMovieUrl = UniQuery1.FindField(flashurlField).AsString();
    const QString title = UniQuery1.FindField(titleField).AsString();
    OpenMovie(title);
}

// Detail pages and movies

void Tmainform::getshow(const QString &strshow)
{
    WaitCursor wait;
    CatalogueQuery::open(UniQuery1, Statements::DetailByTitle, strshow);
    UniQuery1.First();
    const QString id = UniQuery1.FindField(QStringLiteral("id")).AsString();
    const QString classid = UniQuery1.FindField(classidField).AsString();
    UniQuery1.Close();

    m_showform->setWindowTitle(strshow);
    if (id.isEmpty())
        return;

    CatalogueQuery::open(UniQuery1, Statements::ClassNameById, classid);
    const QString classname = CatalogueQuery::firstValue(UniQuery1, QStringLiteral("classname"));
    // A class without a site folder has no page to show.
    const QString address = SitePages::detailPage(m_siteRoot, classname, id);
    if (!address.isEmpty())
        WebBrowser1->Navigate(address);
    UniQuery1.Close();
}

void Tmainform::getplay(const QString &title)
{
    WaitCursor wait;
    // Assigning the statement closes the result an earlier use left open.
    CatalogueQuery::open(UniQuery1, Statements::FlashUrlByTitle, title);
    CurrentMovieUrl = UniQuery1.FindField(flashurlField).AsString();
    OpenMovie(title);
}

void Tmainform::OpenMovie(const QString &title)
{
    m_showform->setWindowTitle(title);
    CurrentMovieUrl = MovieAddress::absolute(m_siteRoot, CurrentMovieUrl);
    if (CurrentMovieUrl.isEmpty())
        return;
    MovieControl *movie = m_showform->replaceMovieControl();
    movie->setMovie(CurrentMovieUrl);
    movie->Play();
    TitleList::append(sListBox1, title);
    m_showform->show();
    m_showform->raise();
    m_showform->activateWindow();
    UniQuery1.Close();
}

// Category tree

QTreeWidgetItem *Tmainform::selectedNode() const
{
    QTreeWidgetItem *node = sTreeView1->currentItem();
    return node && node->isSelected() ? node : nullptr;
}

void Tmainform::sTreeView1Click()
{
    if (QTreeWidgetItem *node = selectedNode())
        namelist(node->text(0));
}

void Tmainform::namelist(const QString &classname)
{
    QTreeWidgetItem *node = selectedNode();
    if (!node || node->childCount() > 0)
        return;
    WaitCursor wait;
    CatalogueQuery::open(UniQuery1, Statements::ClassIdByName, classname);
    const QString classid = CatalogueQuery::firstValue(UniQuery1, classidField);
    if (classid.isEmpty())
        return;
    UniQuery1.Close();
    CatalogueQuery::open(UniQuery1, Statements::TitlesByClass, classid);
    const QStringList titles = CatalogueQuery::allValues(UniQuery1, titleField);
    QList<QTreeWidgetItem *> children;
    children.reserve(titles.size());
    for (const QString &title : titles)
        children.append(new QTreeWidgetItem({title}));
    node->addChildren(children);
    UniQuery1.Close();
}

void Tmainform::sTreeView1DblClick()
{
    QTreeWidgetItem *node = selectedNode();
    if (node && node->childCount() == 0)
        getshow(node->text(0));
}

void Tmainform::N6Click()
{
    QTreeWidgetItem *node = selectedNode();
    if (!node || node->childCount() > 0)
        return;
    const QString title = node->text(0);
    getshow(title);
    TitleList::append(sListBox1, title);
}

void Tmainform::N11Click()
{
    QTreeWidgetItem *node = selectedNode();
    if (node && node->childCount() == 0)
        getplay(node->text(0));
}

void Tmainform::N8Click()
{
    QTreeWidgetItem *node = selectedNode();
    if (node && node->childCount() == 0)
        TitleList::append(m_sListBox4, node->text(0));
}

// Search

void Tmainform::sButton1Click()
{
    const QString text = sEdit1->text();
    if (text.isEmpty()) {
        sListBox3->hide();
        return;
    }
    sListBox3->clear();
    WaitCursor wait;
    CatalogueQuery::open(UniQuery1, Statements::TitlesLike, text);
    sListBox3->addItems(CatalogueQuery::allValues(UniQuery1, titleField));
    sListBox3->show();
    UniQuery1.Close();
}

void Tmainform::sEdit1Change()
{
    if (sEdit1->text().isEmpty())
        sListBox3->hide();
}

void Tmainform::sListBox3DblClick()
{
    const int p = TitleList::selected(sListBox3);
    if (p < 0)
        return;
    getshow(sListBox3->item(p)->text());
    TitleList::append(sListBox1, sListBox3->item(p)->text());
}

// Playlist

void Tmainform::sSpeedButton2Click()
{
    const int p = TitleList::selected(m_sListBox4);
    if (p >= 0)
        getplay(m_sListBox4->item(p)->text());
}

void Tmainform::sSpeedButton3Click()
{
    const int p = TitleList::selected(m_sListBox4);
    if (p >= 0)
        getshow(m_sListBox4->item(p)->text());
}

void Tmainform::sSpeedButton4Click()
{
    TitleList::moveUp(m_sListBox4);
}

void Tmainform::sSpeedButton5Click()
{
    TitleList::moveDown(m_sListBox4);
}

void Tmainform::sSpeedButton6Click()
{
    const int p = TitleList::selected(m_sListBox4);
    TitleList::remove(m_sListBox4, p);
    TitleList::select(m_sListBox4, p);
}

void Tmainform::N14Click() { sSpeedButton3Click(); }
void Tmainform::N12Click() { sSpeedButton2Click(); }

void Tmainform::N16Click()
{
    TitleList::remove(m_sListBox4, TitleList::selected(m_sListBox4));
}

void Tmainform::N20Click()
{
    m_sListBox4->clear();
}

void Tmainform::sListBox4DblClick()
{
    const int p = TitleList::selected(m_sListBox4);
    if (p < 0)
        return;
    getshow(m_sListBox4->item(p)->text());
    TitleList::append(sListBox1, m_sListBox4->item(p)->text());
}

// History

void Tmainform::N1Click()
{
    const int p = TitleList::selected(sListBox1);
    if (p >= 0)
        getshow(sListBox1->item(p)->text());
}

void Tmainform::N18Click()
{
    const int p = TitleList::selected(sListBox1);
    if (p >= 0)
        getplay(sListBox1->item(p)->text());
}

void Tmainform::N2Click()
{
    const int p = TitleList::selected(sListBox1);
    if (p < 0)
        return;
    TitleList::remove(sListBox1, p);
    TitleList::select(sListBox1, p);
}

void Tmainform::N5Click()
{
    sListBox1->clear();
}

void Tmainform::sListBox1DblClick()
{
    N1Click();
}
