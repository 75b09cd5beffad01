// The main window's fixed layout: every control with its name, place, size,
// caption and font.
#include "tmainform.h"

#include "forms/player/imagelist.h"
#include "forms/player/tshowform.h"
#include "platform/browsercontrol.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QFont tahoma(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(pixelSize);
    return font;
}

template<typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QWidget *panel(QWidget *parent, const char *name)
{
    auto *widget = named(new QWidget(parent), name);
    widget->setAttribute(Qt::WA_StyledBackground);
    widget->setProperty("skinSection", QStringLiteral("PANEL"));
    return widget;
}

QBoxLayout *tight(QBoxLayout *layout, int margin = 0)
{
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(0);
    return layout;
}

QListWidget *titleList(QWidget *parent, const char *name, int fontPixels)
{
    auto *list = named(new QListWidget(parent), name);
    list->setFont(tahoma(fontPixels));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // One line of one font per entry: lets the view skip measuring every row of a long list.
    list->setUniformItemSizes(true);
    list->setFrameShape(QFrame::NoFrame);
    list->setProperty("skinSection", QStringLiteral("EDIT"));
    return list;
}

QToolButton *speedButton(QWidget *parent, const char *name, QRect geometry)
{
    auto *button = named(new QToolButton(parent), name);
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(ImageList::drawSize());
    button->setProperty("skinSection", QStringLiteral("SPEEDBUTTON"));
    return button;
}

QPushButton *pushButton(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *button = named(new QPushButton(caption, parent), name);
    button->setGeometry(geometry);
    button->setProperty("skinSection", QStringLiteral("BUTTON"));
    return button;
}

} // namespace

QString Tmainform::windowCaption()
{
    return QStringLiteral("Zirrabee儿歌大全  V2.5.6 家庭欢乐版           Zirrabee儿歌网荣誉出品(www.zirrabee.cn)");
}

void Tmainform::buildLayout()
{
    setObjectName(QStringLiteral("mainform"));
    setWindowTitle(windowCaption());
    setWindowIcon(QIcon(QStringLiteral(":/icon/zirrabee.svg")));
    setFont(tahoma(11));
    resize(1223, 774);

    auto *root = tight(new QVBoxLayout(this));
    auto *upper = tight(new QHBoxLayout);
    root->addLayout(upper, 1);

    // Browser area: takes whatever the list panel and the bottom bar leave.
    sPanel3 = panel(this, "sPanel3");
    upper->addWidget(sPanel3, 1);
    sPageControl2 = named(new QTabWidget(sPanel3), "sPageControl2");
    tight(new QVBoxLayout(sPanel3), 1)->addWidget(sPageControl2);
    sTabSheet4 = named(new QWidget, "sTabSheet4");
    sPageControl2->addTab(sTabSheet4, QStringLiteral("浏览"));
    WebBrowser1->widget()->setObjectName(QStringLiteral("WebBrowser1"));
    tight(new QVBoxLayout(sTabSheet4))->addWidget(WebBrowser1->widget());

    // Right-hand list panel, 228 wide whatever the window's size.
    sPanel1 = panel(this, "sPanel1");
    sPanel1->setFixedWidth(228);
    upper->addWidget(sPanel1);
    sPageControl1 = named(new QTabWidget(sPanel1), "sPageControl1");
    sPageControl1->setFont(tahoma(14));
    sPageControl1->setDocumentMode(true);
    tight(new QVBoxLayout(sPanel1), 1)->addWidget(sPageControl1);

    // The pop-up receiver lies outside the panel and is never shown.
    QWidget *receiver = WebBrowser3->widget();
    receiver->setObjectName(QStringLiteral("WebBrowser3"));
    receiver->setParent(sPanel1);
    receiver->setGeometry(-300, 187, 76, 38);
    receiver->hide();

    sTabSheet1 = named(new QWidget, "sTabSheet1");
    sTabSheet3 = named(new QWidget, "sTabSheet3");
    sTabSheet2 = named(new QWidget, "sTabSheet2");
    sPageControl1->addTab(sTabSheet1, QStringLiteral("在线资源"));
    sPageControl1->addTab(sTabSheet3, QStringLiteral("播放列表"));
    sPageControl1->addTab(sTabSheet2, QStringLiteral("已播列表"));

    // "在线资源": the search bar above the tree, the results lying over the tree.
    auto *onlineLayout = tight(new QVBoxLayout(sTabSheet1));
    sPanel4 = panel(sTabSheet1, "sPanel4");
    sPanel4->setFixedHeight(41);
    onlineLayout->addWidget(sPanel4);
    sEdit1 = named(new QLineEdit(sPanel4), "sEdit1");
    sEdit1->setGeometry(8, 8, 146, 21);
    sEdit1->setFont(tahoma(11));
    sEdit1->setProperty("skinSection", QStringLiteral("EDIT"));
    sButton1 = pushButton(sPanel4, "sButton1", QStringLiteral("查询"), {156, 6, 58, 25});

    auto *treeArea = new QWidget(sTabSheet1);
    auto *treeLayout = new QGridLayout(treeArea);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    onlineLayout->addWidget(treeArea, 1);
    sTreeView1 = named(new QTreeWidget(treeArea), "sTreeView1");
    sTreeView1->setHeaderHidden(true);
    sTreeView1->setIndentation(33);
    sTreeView1->setFont(tahoma(11));
    sTreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sTreeView1->setFrameShape(QFrame::NoFrame);
    sTreeView1->setProperty("skinSection", QStringLiteral("EDIT"));
    sListBox3 = titleList(treeArea, "sListBox3", 14);
    treeLayout->addWidget(sTreeView1, 0, 0);
    treeLayout->addWidget(sListBox3, 0, 0);
    sListBox3->raise();
    sListBox3->hide();

    // "播放列表": five speed buttons above the playlist.
    auto *playlistLayout = tight(new QVBoxLayout(sTabSheet3));
    sPanel7 = panel(sTabSheet3, "sPanel7");
    sPanel7->setFixedHeight(41);
    playlistLayout->addWidget(sPanel7);
    sSpeedButton2 = speedButton(sPanel7, "sSpeedButton2", {16, 6, 30, 29});
    sSpeedButton5 = speedButton(sPanel7, "sSpeedButton5", {52, 6, 30, 29});
    sSpeedButton4 = speedButton(sPanel7, "sSpeedButton4", {88, 6, 30, 29});
    sSpeedButton3 = speedButton(sPanel7, "sSpeedButton3", {124, 6, 30, 29});
    sSpeedButton6 = speedButton(sPanel7, "sSpeedButton6", {160, 6, 30, 29});
    m_sListBox4 = titleList(sTabSheet3, "sListBox4", 14);
    playlistLayout->addWidget(m_sListBox4, 1);

    // "已播列表": the history.
    sListBox1 = titleList(sTabSheet2, "sListBox1", 16);
    tight(new QVBoxLayout(sTabSheet2))->addWidget(sListBox1);

    // Bottom bar, 38 high whatever the window's size.
    sPanel2 = panel(this, "sPanel2");
    sPanel2->setFixedHeight(38);
    root->addWidget(sPanel2);
    auto *barLayout = tight(new QHBoxLayout(sPanel2), 1);

    sPanel5 = panel(sPanel2, "sPanel5");
    barLayout->addWidget(sPanel5, 1);
    sPanel6 = panel(sPanel2, "sPanel6");
    sPanel6->setFixedWidth(226);
    barLayout->addWidget(sPanel6);

    auto *toggleLayout = tight(new QHBoxLayout(sPanel6));
    toggleLayout->addStretch(1);
    sButton2 = pushButton(sPanel6, "sButton2", QStringLiteral("关闭列表"), {151, 0, 75, 36});
    sButton2->setFixedSize(75, 36);
    toggleLayout->addWidget(sButton2);

    sSpeedButton1 = speedButton(sPanel5, "sSpeedButton1", {19, 3, 30, 30});
    sLabel3 = named(new QLabel(QStringLiteral("点击网页,也可以直接播放"), sPanel5), "sLabel3");
    sLabel3->setFont(tahoma(11));
    sLabel3->move(410, 11);
    sLabel3->adjustSize();

    auto *siteLayout = tight(new QHBoxLayout(sPanel5));
    siteLayout->addStretch(1);
    sPanel9 = panel(sPanel5, "sPanel9");
    sPanel9->setFixedSize(135, 36);
    siteLayout->addWidget(sPanel9);
    sPanel8 = panel(sPanel5, "sPanel8");
    sPanel8->setFixedSize(278, 36);
    siteLayout->addWidget(sPanel8);

    sButton7 = pushButton(sPanel9, "sButton7", {}, {3, 0, 42, 36});
    sButton8 = pushButton(sPanel9, "sButton8", {}, {47, 0, 42, 36});
    sButton9 = pushButton(sPanel9, "sButton9", {}, {90, 0, 42, 36});
    for (QPushButton *button : {sButton7, sButton8, sButton9})
        button->setIconSize(ImageList::drawSize());

    sButton11 = pushButton(sPanel8, "sButton11", QStringLiteral("首页"), {3, 0, 42, 36});
    sButton3 = pushButton(sPanel8, "sButton3", QStringLiteral("最新"), {46, 0, 42, 36});
    sButton5 = pushButton(sPanel8, "sButton5", QStringLiteral("热门"), {89, 0, 42, 36});
    sButton6 = pushButton(sPanel8, "sButton6", QStringLiteral("推荐"), {132, 0, 42, 36});
    sButton10 = named(new QToolButton(sPanel8), "sButton10");
    sButton10->setText(QStringLiteral("才艺展示"));
    sButton10->setGeometry(175, 0, 101, 36);
    sButton10->setPopupMode(QToolButton::MenuButtonPopup);
    sButton10->setProperty("skinSection", QStringLiteral("BUTTON"));

    buildMenus();
    buildTree();
}

void Tmainform::buildMenus()
{
    // Separators at either end of a menu, or in a row, are not drawn (QMenu's
    // collapsible separators), so the items stay exactly as designed.
    const auto item = [](QMenu *menu, const char *name, const QString &caption) {
        QAction *action = caption.isEmpty() ? menu->addSeparator() : menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };

    PopupMenu1 = named(new QMenu(this), "PopupMenu1");
    item(PopupMenu1, "N1", QStringLiteral("显示详情"));
    item(PopupMenu1, "N19", {});
    item(PopupMenu1, "N18", QStringLiteral("直接播放"));
    item(PopupMenu1, "N4", {});
    item(PopupMenu1, "N2", QStringLiteral("删除"));
    item(PopupMenu1, "N3", {});
    item(PopupMenu1, "N5", QStringLiteral("清空"));

    PopupMenu2 = named(new QMenu(this), "PopupMenu2");
    item(PopupMenu2, "N6", QStringLiteral("显示详情"));
    item(PopupMenu2, "N10", {});
    item(PopupMenu2, "N11", QStringLiteral("直接播放"));
    item(PopupMenu2, "N7", {});
    item(PopupMenu2, "N8", QStringLiteral("加入播放列表"));
    item(PopupMenu2, "N9", {});

    PopupMenu3 = named(new QMenu(this), "PopupMenu3");
    item(PopupMenu3, "N14", QStringLiteral("显示详情"));
    item(PopupMenu3, "N13", {});
    item(PopupMenu3, "N12", QStringLiteral("直接播放"));
    item(PopupMenu3, "N15", {});
    item(PopupMenu3, "N16", QStringLiteral("删除"));
    item(PopupMenu3, "N17", {});
    item(PopupMenu3, "N20", QStringLiteral("清空"));

    PopupMenu6 = named(new QMenu(this), "PopupMenu6");
    item(PopupMenu6, "N26", QStringLiteral("舞蹈"));
    item(PopupMenu6, "N27", QStringLiteral("声乐"));
    item(PopupMenu6, "N28", QStringLiteral("乐器"));
    item(PopupMenu6, "N29", QStringLiteral("绘画"));
    item(PopupMenu6, "N30", QStringLiteral("运动"));
    sButton10->setMenu(PopupMenu6);

    for (QWidget *list : {static_cast<QWidget *>(sTreeView1), static_cast<QWidget *>(m_sListBox4), static_cast<QWidget *>(sListBox1)})
        list->setContextMenuPolicy(Qt::CustomContextMenu);
}

void Tmainform::buildTree()
{
    struct Group
    {
        const char16_t *caption;
        std::initializer_list<const char16_t *> categories;
    };
    const Group groups[] = {
        {u"听儿歌", {u"中文儿歌", u"英文儿歌", u"童谣", u"外文儿歌"}},
        {u"儿童故事", {u"经典小故事", u"童话故事", u"寓言故事", u"成语故事", u"神话传说", u"木偶奇遇记", u"三国演义"}},
        {u"学知识", {u"唐诗宋词", u"快乐拼音", u"幼儿启蒙", u"英语教育", u"百科常识", u"幼儿英语", u"儿童英语", u"少儿英语", u"学汉字", u"快乐绘本"}},
        {u"儿童游戏", {u"益智游戏", u"拼图填色", u"数学游戏", u"语文游戏"}},
    };
    for (const Group &group : groups) {
        auto *node = new QTreeWidgetItem(sTreeView1, {QString::fromUtf16(group.caption)});
        for (const char16_t *category : group.categories)
            new QTreeWidgetItem(node, {QString::fromUtf16(category)});
    }
}

void Tmainform::setIcons()
{
    const ImageList &images = m_showform->sAlphaImageList1();
    const std::pair<QAbstractButton *, int> pictures[] = {
        {sSpeedButton2, 17}, {sSpeedButton5, 15}, {sSpeedButton4, 14}, {sSpeedButton3, 16},
        {sSpeedButton6, 13}, {sSpeedButton1, 12}, {sButton7, 19}, {sButton8, 20}, {sButton9, 18},
    };
    for (const auto &[button, index] : pictures)
        button->setIcon(images.icon(index));
}
