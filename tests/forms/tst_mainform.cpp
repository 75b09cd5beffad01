// The main window on test doubles: layout, menus, the fixed tree, site
// navigation, pop-ups and the close sequence.
#include "formfixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

class tst_MainForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsAtHomeWithoutFinalSlash();
    void layoutKeepsPanelAndBarOnResize();
    void toggleHidesAndRestoresPanel();
    void startState();
    void menus_data();
    void menus();
    void fixedTree();
    void siteButtons_data();
    void siteButtons();
    void historyButtonsFollowTheBrowser();
    void failingHistoryCallIsShown();
    void popUpsOpenInTheMainBrowser();
    void playLinksWithoutItemNumberAreCancelledQuietly();
    void closeSavesHistoryAndFreesBrowsers();
    void failedCloseKeepsWindowOpenAndRetrySucceeds();
    void showLoadsHistory();
    void unreadableHistoryIsReportedAndWindowShows();
};

void tst_MainForm::startsAtHomeWithoutFinalSlash()
{
    FormFixture f;
    QCOMPARE(f.browser1->calls, QStringList{u"Navigate http://site.test"_s});
    QVERIFY(f.browser3->calls.isEmpty());
    QCOMPARE(f.mainform->windowTitle(),
             u"Zirrabee儿歌大全  V2.5.6 家庭欢乐版           Zirrabee儿歌网荣誉出品(www.zirrabee.cn)"_s);
    QCOMPARE(f.showform->windowTitle(), u"showform"_s);
    QVERIFY(!f.showform->isVisible());
}

void tst_MainForm::layoutKeepsPanelAndBarOnResize()
{
    FormFixture f;
    f.mainform->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.mainform.get()));
    for (const QSize size : {QSize(1223, 774), QSize(900, 600), QSize(1600, 1000)}) {
        f.mainform->resize(size);
        QTRY_COMPARE(f.mainform->size(), size);
        QCOMPARE(f.find<QWidget>("sPanel1")->width(), 228);
        QCOMPARE(f.find<QWidget>("sPanel2")->height(), 38);
        QCOMPARE(f.find<QWidget>("sPanel2")->width(), size.width());
        QCOMPARE(f.find<QWidget>("sPanel3")->width(), size.width() - 228);
        QCOMPARE(f.find<QWidget>("sPanel3")->height(), size.height() - 38);
        // The toggle stays at the bar's right end.
        const QWidget *toggle = f.find<QWidget>("sButton2");
        QCOMPARE(toggle->mapTo(f.mainform.get(), QPoint(toggle->width(), 0)).x(), size.width() - 1);
    }
    f.mainform->resize(1223, 774);
    QTRY_COMPARE(f.find<QWidget>("sPanel3")->size(), QSize(995, 736));
    QCOMPARE(f.find<QWidget>("sEdit1")->geometry(), QRect(8, 8, 146, 21));
    QCOMPARE(f.find<QWidget>("sButton1")->geometry(), QRect(156, 6, 58, 25));
    QCOMPARE(f.find<QWidget>("sSpeedButton6")->geometry(), QRect(160, 6, 30, 29));
    QCOMPARE(f.find<QWidget>("sPanel9")->geometry(), QRect(582, 0, 135, 36));
    QCOMPARE(f.find<QWidget>("sPanel8")->geometry(), QRect(717, 0, 278, 36));
    QCOMPARE(f.find<QWidget>("sButton10")->geometry(), QRect(175, 0, 101, 36));
}

void tst_MainForm::toggleHidesAndRestoresPanel()
{
    FormFixture f;
    f.mainform->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.mainform.get()));
    auto *tabs = f.find<QTabWidget>("sPageControl1");
    auto *playlist = f.find<QListWidget>("sListBox4");
    playlist->addItems({u"甲"_s, u"乙"_s});
    playlist->setCurrentRow(1);
    tabs->setCurrentIndex(1);
    auto *toggle = f.find<QPushButton>("sButton2");

    toggle->click();
    QCOMPARE(toggle->text(), u"显示列表"_s);
    QTRY_COMPARE(f.find<QWidget>("sPanel3")->width(), f.mainform->width());
    QVERIFY(!f.find<QWidget>("sPanel1")->isVisible());
    QVERIFY(toggle->isVisible());

    toggle->click();
    QCOMPARE(toggle->text(), u"关闭列表"_s);
    QTRY_COMPARE(f.find<QWidget>("sPanel3")->width(), f.mainform->width() - 228);
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(playlist->count(), 2);
    QCOMPARE(playlist->currentRow(), 1);
}

void tst_MainForm::startState()
{
    FormFixture f;
    auto *tabs = f.find<QTabWidget>("sPageControl1");
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), u"在线资源"_s);
    QCOMPARE(tabs->tabText(1), u"播放列表"_s);
    QCOMPARE(tabs->tabText(2), u"已播列表"_s);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(f.find<QTabWidget>("sPageControl2")->tabText(0), u"浏览"_s);
    QVERIFY(f.find<QListWidget>("sListBox3")->isHidden());
    QVERIFY(f.find<QWidget>("WebBrowser3")->isHidden());
    QCOMPARE(f.find<QWidget>("WebBrowser3")->geometry(), QRect(-300, 187, 76, 38));
    QCOMPARE(f.find<QLabel>("sLabel3")->text(), u"点击网页,也可以直接播放"_s);
    QVERIFY(f.find<QPushButton>("sButton7")->isEnabled());
    QVERIFY(f.find<QPushButton>("sButton8")->isEnabled());
    QVERIFY(!f.find<QToolButton>("sSpeedButton2")->icon().isNull());
    QVERIFY(!f.find<QPushButton>("sButton9")->icon().isNull());
}

void tst_MainForm::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("history") << u"PopupMenu1"_s << QStringList{u"N1 显示详情"_s, u"N19 -"_s, u"N18 直接播放"_s, u"N4 -"_s, u"N2 删除"_s, u"N3 -"_s, u"N5 清空"_s};
    QTest::newRow("tree") << u"PopupMenu2"_s << QStringList{u"N6 显示详情"_s, u"N10 -"_s, u"N11 直接播放"_s, u"N7 -"_s, u"N8 加入播放列表"_s, u"N9 -"_s};
    QTest::newRow("playlist") << u"PopupMenu3"_s << QStringList{u"N14 显示详情"_s, u"N13 -"_s, u"N12 直接播放"_s, u"N15 -"_s, u"N16 删除"_s, u"N17 -"_s, u"N20 清空"_s};
    QTest::newRow("talent show") << u"PopupMenu6"_s << QStringList{u"N26 舞蹈"_s, u"N27 声乐"_s, u"N28 乐器"_s, u"N29 绘画"_s, u"N30 运动"_s};
}

void tst_MainForm::menus()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    FormFixture f;
    auto *popup = f.mainform->findChild<QMenu *>(menu);
    QVERIFY(popup);
    QStringList actual;
    for (const QAction *action : popup->actions())
        actual.append(action->objectName() + u' ' + (action->isSeparator() ? u"-"_s : action->text()));
    QCOMPARE(actual, items);
    // The trailing separator of the tree's menu is never drawn.
    QVERIFY(popup->separatorsCollapsible());
}

void tst_MainForm::fixedTree()
{
    FormFixture f;
    auto *tree = f.find<QTreeWidget>("sTreeView1");
    QCOMPARE(tree->topLevelItemCount(), 4);
    const QStringList groups{u"听儿歌"_s, u"儿童故事"_s, u"学知识"_s, u"儿童游戏"_s};
    const QList<int> sizes{4, 7, 10, 4};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(tree->topLevelItem(i)->text(0), groups.at(i));
        QCOMPARE(tree->topLevelItem(i)->childCount(), sizes.at(i));
        QVERIFY(!tree->topLevelItem(i)->isExpanded());
    }
    QCOMPARE(tree->topLevelItem(1)->child(6)->text(0), u"三国演义"_s);
    QCOMPARE(tree->topLevelItem(3)->child(3)->text(0), u"语文游戏"_s);
    QCOMPARE(tree->indentation(), 33);
}

void tst_MainForm::siteButtons_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("address");

    QTest::newRow("首页") << u"sButton11"_s << u"http://site.test/"_s;
    QTest::newRow("最新") << u"sButton3"_s << u"http://site.test/s/n180.html"_s;
    QTest::newRow("热门") << u"sButton5"_s << u"http://site.test/s/h180.html"_s;
    QTest::newRow("推荐, capital T") << u"sButton6"_s << u"http://site.test/s/T180.html"_s;
    QTest::newRow("才艺展示") << u"sButton10"_s << u"http://site.test/caiyizhanshi/"_s;
    QTest::newRow("舞蹈") << u"N26"_s << u"http://site.test/caiyizhanshi/wudao/"_s;
    QTest::newRow("声乐") << u"N27"_s << u"http://site.test/caiyizhanshi/shengle/"_s;
    QTest::newRow("乐器") << u"N28"_s << u"http://site.test/caiyizhanshi/leqi/"_s;
    QTest::newRow("绘画") << u"N29"_s << u"http://site.test/caiyizhanshi/huihua/"_s;
    QTest::newRow("运动") << u"N30"_s << u"http://site.test/caiyizhanshi/yundong/"_s;
    QTest::newRow("about") << u"sSpeedButton1"_s << u"http://site.test/info/about.html"_s;
}

void tst_MainForm::siteButtons()
{
    QFETCH(QString, control);
    QFETCH(QString, address);
    FormFixture f;
    f.browser1->calls.clear();
    if (auto *button = f.mainform->findChild<QAbstractButton *>(control))
        button->click();
    else
        f.mainform->findChild<QAction *>(control)->trigger();
    QCOMPARE(f.browser1->calls, QStringList{u"Navigate "_s + address});
}

void tst_MainForm::historyButtonsFollowTheBrowser()
{
    FormFixture f;
    auto *back = f.find<QPushButton>("sButton7");
    auto *forward = f.find<QPushButton>("sButton8");
    f.browser1->simulateCommandState(2, false);
    QVERIFY(!back->isEnabled());
    QVERIFY(forward->isEnabled());
    f.browser1->simulateCommandState(1, false);
    QVERIFY(!forward->isEnabled());
    f.browser1->simulateCommandState(2, true);
    QVERIFY(back->isEnabled());
    f.browser1->simulateCommandState(3, true);
    QVERIFY(!forward->isEnabled());

    f.browser1->calls.clear();
    back->click();
    forward->setEnabled(true);
    forward->click();
    f.find<QPushButton>("sButton9")->click();
    QCOMPARE(f.browser1->calls, (QStringList{u"GoBack"_s, u"GoForward"_s, u"Refresh"_s}));
}

void tst_MainForm::failingHistoryCallIsShown()
{
    FormFixture f;
    f.browser1->historyFails = true;
    f.find<QPushButton>("sButton7")->click();
    QCOMPARE(f.errors.size(), 1);
    QCOMPARE(f.errorTitles.first(), u"Zirrabee儿歌大全"_s);
}

void tst_MainForm::popUpsOpenInTheMainBrowser()
{
    FormFixture f;
    QCOMPARE(f.browser1->simulateNewWindow(), static_cast<BrowserControl *>(f.browser3.data()));
    f.browser1->calls.clear();
    for (const QString &address : {u"http://site.test/info/about.html"_s, u"javascript:alert(1)"_s, u"about:blank"_s}) {
        QVERIFY(f.browser3->simulateNavigation(address));
        QCOMPARE(f.browser1->calls.takeLast(), u"Navigate "_s + address);
    }
    QVERIFY(f.browser3->calls.isEmpty());
}

void tst_MainForm::playLinksWithoutItemNumberAreCancelledQuietly()
{
    FormFixture f;
    // Not a play link: the page loads and the catalogue is not asked.
    QVERIFY(!f.browser1->simulateNavigation(u"http://site.test/x/1234_play.html?x=1"_s));
    // A play link without a usable number: cancelled, nothing else.
    QVERIFY(f.browser1->simulateNavigation(u"http://site.test/x/abc_play.html"_s));
    QVERIFY(f.browser1->simulateNavigation(u"http://site.test/x/"_s + QString(30, u'7') + u"_play.html"_s));
    QVERIFY(f.errors.isEmpty());
    QVERIFY(f.movies.created.isEmpty());
    // A play link with a number asks the catalogue, here unreachable: the box says why.
    QVERIFY(f.browser1->simulateNavigation(u"http://site.test/x/1234_play.html"_s));
    QCOMPARE(f.errors.size(), 1);
}

void tst_MainForm::closeSavesHistoryAndFreesBrowsers()
{
    FormFixture f;
    f.mainform->show();
    QVERIFY(f.mainform->close());
    QVERIFY(!f.mainform->isVisible());
    QVERIFY(f.browser1.isNull());
    QVERIFY(f.browser3.isNull());
    QFile history(f.folder.filePath(u"listview.dat"_s));
    QVERIFY(history.exists());
    QCOMPARE(history.size(), 0);
    QVERIFY(f.errors.isEmpty());
}

void tst_MainForm::failedCloseKeepsWindowOpenAndRetrySucceeds()
{
    // A folder whose place is taken by a plain file cannot receive the
    // history, whoever runs the test (root ignores permission bits).
    QTemporaryDir base;
    const QString blocked = base.filePath(u"folder"_s);
    QFile placeholder(blocked);
    QVERIFY(placeholder.open(QIODevice::WriteOnly));
    placeholder.close();

    FormFixture f(FormFixture::unreachableCatalogue(), blocked);
    f.mainform->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.mainform.get()));
    f.find<QListWidget>("sListBox1")->addItem(u"两只老虎"_s);

    QVERIFY(!f.mainform->close());
    QVERIFY(f.mainform->isVisible());
    QCOMPARE(f.errors.size(), 1);
    QVERIFY2(f.errors.first().contains(blocked + u"/listview.dat"_s), qPrintable(f.errors.first()));
    QVERIFY(!f.browser1.isNull());
    QVERIFY(!f.browser3.isNull());
    // Still usable.
    f.browser1->calls.clear();
    f.find<QPushButton>("sButton3")->click();
    QCOMPARE(f.browser1->calls.size(), 1);

    QVERIFY(QFile::remove(blocked));
    QVERIFY(QDir().mkpath(blocked));
    QVERIFY(f.mainform->close());
    QVERIFY(f.browser1.isNull());
    QFile history(blocked + u"/listview.dat"_s);
    QVERIFY(history.open(QIODevice::ReadOnly));
    QCOMPARE(history.readAll(), QByteArray("\xC1\xBD\xD6\xBB\xC0\xCF\xBB\xA2\r\n"));
}

void tst_MainForm::showLoadsHistory()
{
    QTemporaryDir folder;
    QFile history(folder.filePath(u"listview.dat"_s));
    QVERIFY(history.open(QIODevice::WriteOnly));
    history.write("\xEF\xBB\xBF" "小星星\r\n拔萝卜\r\n");
    history.close();

    FormFixture f(FormFixture::unreachableCatalogue(), folder.path());
    auto *list = f.find<QListWidget>("sListBox1");
    list->addItem(u"旧的"_s);
    f.mainform->show();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), u"小星星"_s);
    QCOMPARE(list->item(1)->text(), u"拔萝卜"_s);
    QCOMPARE(list->currentRow(), -1);
    QVERIFY(f.errors.isEmpty());
}

void tst_MainForm::unreadableHistoryIsReportedAndWindowShows()
{
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(u"listview.dat"_s));
    FormFixture f(FormFixture::unreachableCatalogue(), folder.path());
    f.mainform->show();
    QVERIFY(f.mainform->isVisible());
    QCOMPARE(f.errors.size(), 1);
    QVERIFY2(f.errors.first().contains(folder.filePath(u"listview.dat"_s)), qPrintable(f.errors.first()));
    QCOMPARE(f.find<QListWidget>("sListBox1")->count(), 0);
}

QTEST_MAIN(tst_MainForm)
#include "tst_mainform.moc"
