#pragma once

#include "catalogue/cataloguesettings.h"
#include "catalogue/uniconnection.h"
#include "catalogue/uniquery.h"

#include <QWidget>

class BrowserControl;
class QLabel;
class QListWidget;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class Tshowform;

// The main window: the site in the browser on the left, the title lists on
// the right, the site buttons along the bottom.
class Tmainform : public QWidget
{
    Q_OBJECT

public:
    // Takes ownership of both browsers: WebBrowser1 shows the site,
    // WebBrowser3 receives pop-ups and is never seen.
    Tmainform(const CatalogueSettings &catalogue, const QString &siteRoot,
              BrowserControl *webBrowser1, BrowserControl *webBrowser3,
              const QString &historyFolder, QWidget *parent = nullptr);
    ~Tmainform() override;

    // The player window is made after this one; its image list gives the
    // icon buttons their pictures.
    void attachPlayer(Tshowform *player);

    QListWidget *sListBox4() const { return m_sListBox4; }
    void getplay(const QString &title);
    void getshow(const QString &strshow);

    static QString windowCaption();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void buildMenus();
    void buildTree();
    void connectEvents();
    void setIcons();

    void FormCreate();
    void FormShow();
    void FormClose();

    // List panel and bottom bar.
    void sButton2Click();
    void sButton11Click();
    void sButton3Click();
    void sButton5Click();
    void sButton6Click();
    void sButton10Click();
    void N26Click();
    void N27Click();
    void N28Click();
    void N29Click();
    void N30Click();
    void sSpeedButton1Click();
    void sButton7Click();
    void sButton8Click();
    void sButton9Click();

    // Browser events.
    void WebBrowser1BeforeNavigate2(const QString &url, bool *cancel);
    void WebBrowser1NewWindow2(BrowserControl **ppDisp);
    void WebBrowser1CommandStateChange(int command, bool enable);
    void WebBrowser3BeforeNavigate2(const QString &url, bool *cancel);

    // Category tree.
    void sTreeView1Click();
    void sTreeView1DblClick();
    void namelist(const QString &classname);
    void N6Click();
    void N11Click();
    void N8Click();

    // Search.
    void sButton1Click();
    void sEdit1Change();
    void sListBox3DblClick();

    // Playlist.
    void sSpeedButton2Click();
    void sSpeedButton3Click();
    void sSpeedButton4Click();
    void sSpeedButton5Click();
    void sSpeedButton6Click();
    void N14Click();
    void N12Click();
    void N16Click();
    void N20Click();
    void sListBox4DblClick();

    // History.
    void N1Click();
    void N18Click();
    void N2Click();
    void N5Click();
    void sListBox1DblClick();

    void OpenMovie(const QString &title);
    void listDoubleClicked(QObject *viewport);
    QTreeWidgetItem *selectedNode() const;
    void navigateSite(const QString &relative);

    QString m_siteRoot;
    // The movie address of the latest lookup, made absolute by OpenMovie.
    QString CurrentMovieUrl;
    QString m_historyPath;
    QString m_historyFolder;
    UniConnection UniConnection1;
    UniQuery UniQuery1;
    BrowserControl *WebBrowser1 = nullptr;
    BrowserControl *WebBrowser3 = nullptr;
    Tshowform *m_showform = nullptr;
    bool m_closed = false;
    bool m_treeDoubleClicked = false;

    // Right-hand list panel.
    QWidget *sPanel1 = nullptr;
    QTabWidget *sPageControl1 = nullptr;
    QWidget *sTabSheet1 = nullptr;
    QWidget *sTabSheet3 = nullptr;
    QWidget *sTabSheet2 = nullptr;
    QWidget *sPanel4 = nullptr;
    QLineEdit *sEdit1 = nullptr;
    QPushButton *sButton1 = nullptr;
    QTreeWidget *sTreeView1 = nullptr;
    QListWidget *sListBox3 = nullptr;
    QWidget *sPanel7 = nullptr;
    QToolButton *sSpeedButton2 = nullptr;
    QToolButton *sSpeedButton5 = nullptr;
    QToolButton *sSpeedButton4 = nullptr;
    QToolButton *sSpeedButton3 = nullptr;
    QToolButton *sSpeedButton6 = nullptr;
    QListWidget *m_sListBox4 = nullptr;
    QListWidget *sListBox1 = nullptr;

    // Bottom bar.
    QWidget *sPanel2 = nullptr;
    QWidget *sPanel6 = nullptr;
    QPushButton *sButton2 = nullptr;
    QWidget *sPanel5 = nullptr;
    QToolButton *sSpeedButton1 = nullptr;
    QLabel *sLabel3 = nullptr;
    QWidget *sPanel9 = nullptr;
    QPushButton *sButton7 = nullptr;
    QPushButton *sButton8 = nullptr;
    QPushButton *sButton9 = nullptr;
    QWidget *sPanel8 = nullptr;
    QPushButton *sButton11 = nullptr;
    QPushButton *sButton3 = nullptr;
    QPushButton *sButton5 = nullptr;
    QPushButton *sButton6 = nullptr;
    QToolButton *sButton10 = nullptr;

    // Browser area.
    QWidget *sPanel3 = nullptr;
    QTabWidget *sPageControl2 = nullptr;
    QWidget *sTabSheet4 = nullptr;

    QMenu *PopupMenu1 = nullptr;
    QMenu *PopupMenu2 = nullptr;
    QMenu *PopupMenu3 = nullptr;
    QMenu *PopupMenu6 = nullptr;
};
