// The main window against the real catalogue server, with test doubles of
// the browser and the movie control: the tree, detail pages, playing, play
// links, the tree's commands, the search and the playlist stepping.
#include "formfixture.h"
#include "support/testdatabase.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

class tst_MainFormCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void treeFillsCategoryOnce();
    void treeGroupsAndEmptyCategories();
    void treeServerDown();
    void detailPages_data();
    void detailPages();
    void detailPageServerDownAfterCaption();
    void playing_data();
    void playing();
    void playingSameTitleTwice();
    void playLinks_data();
    void playLinks();
    void treeCommands();
    void treeDoubleClickOnNeverClickedCategory();
    void search_data();
    void search();
    void searchEmptyBoxRunsNothing();
    void searchDoubleClickTwice();
    void playlistStepping_data();
    void playlistStepping();
    void playlistDoubleClickAddsHistoryOnlyAfterSuccess();

private:
    static QTreeWidgetItem *category(QTreeWidget *tree, const QString &name)
    {
        const auto found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }
    static void clickNode(QTreeWidget *tree, QTreeWidgetItem *node)
    {
        tree->scrollToItem(node);
        const QPoint pos = tree->visualItemRect(node).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, pos);
    }
    // What a real double-click delivers: press, release, double-click, release.
    static void doubleClick(QWidget *viewport, QPoint pos)
    {
        QTest::mousePress(viewport, Qt::LeftButton, {}, pos);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, pos);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, pos);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, pos);
    }
    static QStringList texts(const QListWidget *list)
    {
        QStringList result;
        for (int i = 0; i < list->count(); ++i)
            result.append(list->item(i)->text());
        return result;
    }
    static QStringList childTexts(const QTreeWidgetItem *node)
    {
        QStringList result;
        for (int i = 0; i < node->childCount(); ++i)
            result.append(node->child(i)->text(0));
        return result;
    }
    static void showTree(FormFixture &f)
    {
        f.mainform->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.mainform.get()));
        auto *tree = f.find<QTreeWidget>("sTreeView1");
        tree->expandAll();
    }
};

void tst_MainFormCatalogue::treeFillsCategoryOnce()
{
    FormFixture f(TestDatabase::settings());
    showTree(f);
    auto *tree = f.find<QTreeWidget>("sTreeView1");
    QTreeWidgetItem *songs = category(tree, u"中文儿歌"_s);
    tree->collapseItem(songs);

    const int before = TestDatabase::executedStatements();
    clickNode(tree, songs);
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    QCOMPARE(TestDatabase::executedStatements() - before, 2);
    QCOMPARE(childTexts(songs).mid(0, 4), (QStringList{u"两只老虎"_s, u"小星星"_s, u"两只老虎"_s, u"童谣"_s}));
    QVERIFY(!songs->isExpanded());
    QCOMPARE(tree->currentItem(), songs);

    const int filled = songs->childCount();
    const int again = TestDatabase::executedStatements();
    clickNode(tree, songs);
    QCOMPARE(TestDatabase::executedStatements(), again);
    QCOMPARE(songs->childCount(), filled);
}

void tst_MainFormCatalogue::treeGroupsAndEmptyCategories()
{
    FormFixture f(TestDatabase::settings());
    showTree(f);
    auto *tree = f.find<QTreeWidget>("sTreeView1");

    int before = TestDatabase::executedStatements();
    clickNode(tree, tree->topLevelItem(0));
    QCOMPARE(TestDatabase::executedStatements(), before);

    // A category whose class has no titles is looked up again on every click.
    QTreeWidgetItem *empty = category(tree, u"外文儿歌"_s);
    for (int i = 0; i < 2; ++i) {
        before = TestDatabase::executedStatements();
        clickNode(tree, empty);
        QCOMPARE(TestDatabase::executedStatements() - before, 2);
        QCOMPARE(empty->childCount(), 0);
    }
    QVERIFY(f.errors.isEmpty());
}

void tst_MainFormCatalogue::treeServerDown()
{
    FormFixture f(TestDatabase::settings());
    showTree(f);
    auto *tree = f.find<QTreeWidget>("sTreeView1");
    QTreeWidgetItem *stories = category(tree, u"童话故事"_s);

    TestDatabase::stopServer();
    clickNode(tree, stories);
    TestDatabase::startServer();
    QCOMPARE(f.errors.size(), 1);
    QCOMPARE(stories->childCount(), 0);

    clickNode(tree, stories);
    QCOMPARE(f.errors.size(), 1);
    QVERIFY(stories->childCount() > 0);
}

void tst_MainFormCatalogue::detailPages_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("navigations");

    QTest::newRow("cartoon 1234") << u"喜羊羊与灰太狼"_s << QStringList{u"Navigate http://site.test/donghuapian/1234.htm"_s};
    QTest::newRow("nursery rhyme 567") << u"小老鼠上灯台"_s << QStringList{u"Navigate http://site.test/tingerge/tongyao/567.html"_s};
    QTest::newRow("first row decides") << u"小星星"_s << QStringList{u"Navigate http://site.test/tingerge/zhongwenerge/102.html"_s};
    QTest::newRow("not in the catalogue") << u"没有这首歌"_s << QStringList{};
    QTest::newRow("class without a folder") << u"亲子游戏"_s << QStringList{};
    QTest::newRow("quote in the title") << u"Old MacDonald's Farm"_s << QStringList{u"Navigate http://site.test/tingerge/yingwenerge/1203.html"_s};
}

void tst_MainFormCatalogue::detailPages()
{
    QFETCH(QString, title);
    QFETCH(QStringList, navigations);
    FormFixture f(TestDatabase::settings());
    f.browser1->calls.clear();
    f.mainform->getshow(title);
    QCOMPARE(f.browser1->calls, navigations);
    QCOMPARE(f.showform->windowTitle(), title);
    QVERIFY(!f.showform->isVisible());
}

void tst_MainFormCatalogue::detailPageServerDownAfterCaption()
{
    FormFixture f(TestDatabase::settings());
    f.browser1->calls.clear();
    TestDatabase::stopServer();
    QVERIFY_THROWS_EXCEPTION(CatalogueError, f.mainform->getshow(u"小星星"_s));
    TestDatabase::startServer();
    QCOMPARE(f.showform->windowTitle(), u"showform"_s);
    QVERIFY(f.browser1->calls.isEmpty());
}

void tst_MainFormCatalogue::playing_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("movie");

    QTest::newRow("relative address") << u"喜羊羊与灰太狼"_s << u"http://site.test/d/file/donghuapian/1234.swf"_s;
    QTest::newRow("absolute address") << u"Twinkle Twinkle Little Star"_s << u"http://media.example.com/swf/twinkle.swf"_s;
    QTest::newRow("first row decides") << u"小星星"_s << u"http://site.test/d/file/tingerge/zhongwenerge/102.swf"_s;
    QTest::newRow("NULL address: caption only") << u"找朋友"_s << QString();
    QTest::newRow("empty address: caption only") << u"拔萝卜"_s << QString();
    QTest::newRow("not in the catalogue") << u"没有这首歌"_s << QString();
}

void tst_MainFormCatalogue::playing()
{
    QFETCH(QString, title);
    QFETCH(QString, movie);
    FormFixture f(TestDatabase::settings());
    auto *history = f.find<QListWidget>("sListBox1");
    f.mainform->getplay(title);
    QCOMPARE(f.showform->windowTitle(), title);
    if (movie.isEmpty()) {
        QVERIFY(f.movies.created.isEmpty());
        QCOMPARE(history->count(), 0);
        QVERIFY(!f.showform->isVisible());
        return;
    }
    QCOMPARE(f.movies.created.size(), 1);
    QCOMPARE(f.movies.created.first()->calls.mid(0, 2), (QStringList{u"Movie "_s + movie, u"Play"_s}));
    QCOMPARE(texts(history), QStringList{title});
    QVERIFY(f.showform->isVisible());
    QVERIFY(f.errors.isEmpty());
}

void tst_MainFormCatalogue::playingSameTitleTwice()
{
    FormFixture f(TestDatabase::settings());
    f.mainform->getplay(u"喜羊羊与灰太狼"_s);
    f.mainform->getplay(u"喜羊羊与灰太狼"_s);
    QCOMPARE(texts(f.find<QListWidget>("sListBox1")), (QStringList{u"喜羊羊与灰太狼"_s, u"喜羊羊与灰太狼"_s}));
    QCOMPARE(f.movies.created.size(), 2);
    QVERIFY(f.movies.created.first().isNull());

    // A server that went away leaves the caption as it was.
    TestDatabase::stopServer();
    QVERIFY_THROWS_EXCEPTION(CatalogueError, f.mainform->getplay(u"小老鼠上灯台"_s));
    TestDatabase::startServer();
    QCOMPARE(f.showform->windowTitle(), u"喜羊羊与灰太狼"_s);
}

void tst_MainFormCatalogue::playLinks_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("movie");

    QTest::newRow("4 digits") << u"http://site.test/donghuapian/1234_play.html"_s << true << u"喜羊羊与灰太狼"_s
                              << u"http://site.test/d/file/donghuapian/1234.swf"_s;
    QTest::newRow("6 digits: the whole number") << u"http://site.test/jianggushi/sanguoyanyi/123456_play.html"_s << true
                                                << u"桃园三结义"_s << u"http://site.test/d/file/jianggushi/sanguoyanyi/123456.swf"_s;
    QTest::newRow("3 digits after a folder") << u"http://site.test/tingerge/tongyao/567_play.html"_s << true
                                             << u"小老鼠上灯台"_s << u"http://site.test/d/file/tingerge/tongyao/567.swf"_s;
    QTest::newRow("leading slash: two slashes") << u"http://site.test/tingerge/yingwenerge/1202_play.html"_s << true
                                                << u"小星星"_s << u"http://site.test//d/file/tingerge/yingwenerge/1202.swf"_s;
    QTest::newRow("another host, same catalogue") << u"http://elsewhere.test/a/1234_play.html"_s << true
                                                  << u"喜羊羊与灰太狼"_s << u"http://site.test/d/file/donghuapian/1234.swf"_s;
    QTest::newRow("no such item") << u"http://site.test/x/999999_play.html"_s << true << QString() << QString();
    QTest::newRow("query after it loads the page") << u"http://site.test/x/1234_play.html?a=1"_s << false << QString() << QString();
}

void tst_MainFormCatalogue::playLinks()
{
    QFETCH(QString, url);
    QFETCH(bool, cancelled);
    QFETCH(QString, title);
    QFETCH(QString, movie);
    FormFixture f(TestDatabase::settings());
    QCOMPARE(f.browser1->simulateNavigation(url), cancelled);
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    QCOMPARE(f.movies.created.size(), title.isEmpty() ? 0 : 1);
    if (!title.isEmpty()) {
        QCOMPARE(f.showform->windowTitle(), title);
        QCOMPARE(f.movies.created.first()->calls.first(), u"Movie "_s + movie);
        QCOMPARE(texts(f.find<QListWidget>("sListBox1")), QStringList{title});
    }
}

void tst_MainFormCatalogue::treeCommands()
{
    FormFixture f(TestDatabase::settings());
    showTree(f);
    auto *tree = f.find<QTreeWidget>("sTreeView1");
    auto *history = f.find<QListWidget>("sListBox1");
    auto *playlist = f.find<QListWidget>("sListBox4");
    const auto trigger = [&](const char *item) { f.mainform->findChild<QAction *>(QLatin1String(item))->trigger(); };

    // A group or a filled category: nothing happens.
    QTreeWidgetItem *rhymes = category(tree, u"童谣"_s);
    clickNode(tree, rhymes);
    QVERIFY(rhymes->childCount() > 0);
    f.browser1->calls.clear();
    for (QTreeWidgetItem *node : {tree->topLevelItem(0), rhymes}) {
        tree->setCurrentItem(node);
        trigger("N6");
        trigger("N11");
        trigger("N8");
    }
    QVERIFY(f.browser1->calls.isEmpty());
    QCOMPARE(history->count(), 0);
    QCOMPARE(playlist->count(), 0);

    QTreeWidgetItem *title = rhymes->child(0);
    tree->setCurrentItem(title);
    trigger("N6");
    QCOMPARE(f.browser1->calls, QStringList{u"Navigate http://site.test/tingerge/tongyao/567.html"_s});
    QCOMPARE(texts(history), QStringList{title->text(0)});
    trigger("N11");
    QCOMPARE(f.movies.created.size(), 1);
    QCOMPARE(history->count(), 2);
    trigger("N8");
    trigger("N8");
    QCOMPARE(texts(playlist), (QStringList{title->text(0), title->text(0)}));

    // An unfilled category passes its name on as if it were a title.
    QTreeWidgetItem *empty = category(tree, u"外文儿歌"_s);
    tree->setCurrentItem(empty);
    f.browser1->calls.clear();
    trigger("N6");
    QVERIFY(f.browser1->calls.isEmpty());
    QCOMPARE(history->item(history->count() - 1)->text(), u"外文儿歌"_s);

    // A right-click does not move the selection the menu acts on.
    tree->setCurrentItem(title);
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, tree->visualItemRect(empty).center());
    QCOMPARE(tree->currentItem(), title);
    QVERIFY(f.errors.isEmpty());
}

void tst_MainFormCatalogue::treeDoubleClickOnNeverClickedCategory()
{
    FormFixture f(TestDatabase::settings());
    showTree(f);
    auto *tree = f.find<QTreeWidget>("sTreeView1");
    QTreeWidgetItem *fairy = category(tree, u"寓言故事"_s);
    f.browser1->calls.clear();
    const QPoint pos = tree->visualItemRect(fairy).center();
    doubleClick(tree->viewport(), pos);
    QVERIFY(fairy->childCount() > 0);
    QVERIFY(f.browser1->calls.isEmpty());

    // A double-click on one of its titles shows the title's page and leaves the history alone.
    tree->expandItem(fairy);
    QTreeWidgetItem *title = fairy->child(0);
    doubleClick(tree->viewport(), tree->visualItemRect(title).center());
    QCOMPARE(f.browser1->calls.size(), 1);
    QVERIFY(f.browser1->calls.first().startsWith(u"Navigate http://site.test/jianggushi/yuyangushi/"_s));
    QCOMPARE(f.find<QListWidget>("sListBox1")->count(), 0);
}

void tst_MainFormCatalogue::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("results");

    QTest::newRow("exact title, once per row") << u"两只老虎"_s << QStringList{u"两只老虎"_s, u"两只老虎"_s};
    QTest::newRow("part without wildcards") << u"老虎"_s << QStringList{};
    QTest::newRow("percent at both ends") << u"%萝卜%"_s << QStringList{u"拔萝卜"_s};
    QTest::newRow("underscore is one character") << u"下划线_歌"_s << QStringList{u"下划线_歌"_s, u"下划线-歌"_s};
    QTest::newRow("blanks are a pattern") << u"   "_s << QStringList{};
    QTest::newRow("quote is just a character") << u"Old MacDonald's Farm"_s << QStringList{u"Old MacDonald's Farm"_s};
    QTest::newRow("comment marker is just text") << u"x' OR 1=1 -- "_s << QStringList{};
}

void tst_MainFormCatalogue::search()
{
    QFETCH(QString, text);
    QFETCH(QStringList, results);
    FormFixture f(TestDatabase::settings());
    auto *list = f.find<QListWidget>("sListBox3");
    f.find<QLineEdit>("sEdit1")->setText(text);
    f.find<QPushButton>("sButton1")->click();
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    QCOMPARE(texts(list), results);
    QVERIFY(!list->isHidden());
    QCOMPARE(list->currentRow(), -1);
}

void tst_MainFormCatalogue::searchEmptyBoxRunsNothing()
{
    FormFixture f(TestDatabase::settings());
    auto *list = f.find<QListWidget>("sListBox3");
    auto *edit = f.find<QLineEdit>("sEdit1");
    edit->setText(u"两只老虎"_s);
    f.find<QPushButton>("sButton1")->click();
    QCOMPARE(list->count(), 2);

    edit->setText(u"两只"_s);
    QVERIFY(!list->isHidden());
    edit->clear();
    QVERIFY(list->isHidden());
    const int before = TestDatabase::executedStatements();
    f.find<QPushButton>("sButton1")->click();
    QCOMPARE(TestDatabase::executedStatements(), before);
    QVERIFY(list->isHidden());
    QCOMPARE(list->count(), 2);
}

void tst_MainFormCatalogue::searchDoubleClickTwice()
{
    FormFixture f(TestDatabase::settings());
    f.mainform->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.mainform.get()));
    auto *list = f.find<QListWidget>("sListBox3");
    f.find<QLineEdit>("sEdit1")->setText(u"小老鼠上灯台"_s);
    f.find<QPushButton>("sButton1")->click();

    // Nothing selected: nothing happens.
    doubleClick(list->viewport(), QPoint(5, list->viewport()->height() - 5));
    QCOMPARE(f.find<QListWidget>("sListBox1")->count(), 0);

    const QPoint pos = list->visualItemRect(list->item(0)).center();
    doubleClick(list->viewport(), pos);
    doubleClick(list->viewport(), pos);
    QCOMPARE(texts(f.find<QListWidget>("sListBox1")), (QStringList{u"小老鼠上灯台"_s, u"小老鼠上灯台"_s}));
    QCOMPARE(f.browser1->calls.count(u"Navigate http://site.test/tingerge/tongyao/567.html"_s), 2);
    QCOMPARE(list->count(), 1);
}

void tst_MainFormCatalogue::playlistStepping_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("selectedAfter");
    QTest::addColumn<QString>("played");

    QTest::newRow("previous on the first: none, nothing plays") << 0 << "sSpeedButton1" << -1 << QString();
    QTest::newRow("previous with none: nothing") << -1 << "sSpeedButton1" << -1 << QString();
    QTest::newRow("previous from the second") << 1 << "sSpeedButton1" << 0 << u"喜羊羊与灰太狼"_s;
    QTest::newRow("next with none: the first") << -1 << "sSpeedButton5" << 0 << u"喜羊羊与灰太狼"_s;
    QTest::newRow("next from the first") << 0 << "sSpeedButton5" << 1 << u"小老鼠上灯台"_s;
    QTest::newRow("next on the last: nothing") << 1 << "sSpeedButton5" << 1 << QString();
}

void tst_MainFormCatalogue::playlistStepping()
{
    QFETCH(int, selected);
    QFETCH(QString, button);
    QFETCH(int, selectedAfter);
    QFETCH(QString, played);
    FormFixture f(TestDatabase::settings());
    auto *playlist = f.find<QListWidget>("sListBox4");
    playlist->addItems({u"喜羊羊与灰太狼"_s, u"小老鼠上灯台"_s});
    if (selected >= 0)
        playlist->setCurrentRow(selected);
    f.showform->findChild<QToolButton *>(button)->click();
    QCOMPARE(playlist->currentRow(), selectedAfter);
    QCOMPARE(f.movies.created.size(), played.isEmpty() ? 0 : 1);
    if (!played.isEmpty())
        QCOMPARE(f.showform->windowTitle(), played);
}

void tst_MainFormCatalogue::playlistDoubleClickAddsHistoryOnlyAfterSuccess()
{
    FormFixture f(TestDatabase::settings());
    f.mainform->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.mainform.get()));
    auto *tabs = f.mainform->findChild<QTabWidget *>(u"sPageControl1"_s);
    tabs->setCurrentIndex(1);
    auto *playlist = f.find<QListWidget>("sListBox4");
    auto *history = f.find<QListWidget>("sListBox1");
    playlist->addItem(u"小老鼠上灯台"_s);
    const QPoint pos = playlist->visualItemRect(playlist->item(0)).center();

    doubleClick(playlist->viewport(), pos);
    QCOMPARE(texts(history), QStringList{u"小老鼠上灯台"_s});

    TestDatabase::stopServer();
    doubleClick(playlist->viewport(), pos);
    TestDatabase::startServer();
    QCOMPARE(f.errors.size(), 1);
    QCOMPARE(history->count(), 1);

    // The show-details button leaves the history alone.
    f.mainform->findChild<QToolButton *>(u"sSpeedButton3"_s)->click();
    QCOMPARE(history->count(), 1);
    QCOMPARE(f.browser1->calls.last(), u"Navigate http://site.test/tingerge/tongyao/567.html"_s);
}

QTEST_MAIN(tst_MainFormCatalogue)
#include "tst_mainform_catalogue.moc"
