// Both windows on the real browser and the real movie player, against a
// local site and the real catalogue server: browsing, playing, play links,
// pop-ups and the site's fixed pages end to end inside one process.
#include "app/errorhandler.h"
#include "forms/main/tmainform.h"
#include "forms/player/tshowform.h"
#include "platform/platformschemes.h"
#include "platform/rufflemovie.h"
#include "platform/webenginebrowser.h"
#include "platform/testsite.h"
#include "support/testdatabase.h"

#include <QAction>
#include <QDir>
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include <memory>

using namespace Qt::StringLiterals;

class tst_RealControls : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void treeOpensDetailPageAndPlays();
    void playLinksPlayAndThePageStays_data();
    void playLinksPlayAndThePageStays();
    void ordinaryPopUpOpensInTheMainBrowser();
    void fixedPages_data();
    void fixedPages();
    void historyButtonsAfterTwoPages();
    void enterInsideThePageTogglesOnce();

private:
    QString shown() const { return m_main->findChild<QWidget *>(u"WebBrowser1"_s)->property("url").toUrl().toString(); }
    void load(const QString &path);
    bool framesAdvance();

    TestSite m_site{QString::fromUtf8(ZIRRABEE_RUFFLE_DIR)};
    RuffleMovieFactory m_movies{QString::fromUtf8(ZIRRABEE_RUFFLE_DIR)};
    std::unique_ptr<Tmainform> m_main;
    Tshowform *m_player = nullptr;
    QStringList m_errors;
};

void tst_RealControls::initTestCase()
{
    QVERIFY(m_site.isRunning());
    const QByteArray movie = makeSwf({u"--frames"_s, u"10"_s, u"--fps"_s, u"20"_s, u"--report-frames"_s});
    m_site.addFile(u"index.html"_s, "<!DOCTYPE html><meta charset=utf-8><title>首页</title>首页");
    m_site.addFile(u"d/file/tingerge/tongyao/567.swf"_s, movie);
    m_site.addFile(u"d/file/donghuapian/1234.swf"_s, movie);
    m_site.addFile(u"tingerge/tongyao/567.html"_s,
                   "<!DOCTYPE html><meta charset=utf-8><title>小老鼠上灯台</title><a href='567_play.html'>播放</a>");
    const auto clicking = [](const char *attributes) {
        return QByteArray("<!DOCTYPE html><meta charset=utf-8><a id=l ") + attributes
            + ">播放</a><script>document.getElementById('l').click()</script>";
    };
    m_site.addFile(u"donghuapian/click.html"_s, clicking("href='1234_play.html'"));
    m_site.addFile(u"donghuapian/blank.html"_s, clicking("href='1234_play.html' target=_blank"));
    m_site.addFile(u"donghuapian/open.html"_s, "<!DOCTYPE html><script>window.open('1234_play.html')</script>");
    m_site.addFile(u"popup.html"_s, "<!DOCTYPE html><script>window.open('info/about.html')</script>");
    m_site.addFile(u"info/about.html"_s, "<!DOCTYPE html><meta charset=utf-8><title>关于</title>关于我们");
    m_site.addFile(u"a.html"_s, "<!DOCTYPE html>a");
    m_site.addFile(u"b.html"_s, "<!DOCTYPE html>b");
}

void tst_RealControls::init()
{
    m_errors.clear();
    ErrorHandler::setPresenter([this](const QString &, const QString &text) { m_errors.append(text); });
    m_main = std::make_unique<Tmainform>(TestDatabase::settings(), m_site.url(QString()),
                                         new WebEngineBrowser, new WebEngineBrowser, QDir::tempPath());
    m_player = new Tshowform(m_movies, m_main.get());
    m_main->attachPlayer(m_player);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    QTRY_COMPARE(shown(), m_site.url(QString()));
}

void tst_RealControls::cleanup()
{
    m_main.reset();
    ErrorHandler::setPresenter({});
}

void tst_RealControls::load(const QString &path)
{
    // Stands for a link the family followed: the view goes there on its own.
    m_main->findChild<QWidget *>(u"WebBrowser1"_s)->setProperty("url", QUrl(m_site.url(path)));
}

bool tst_RealControls::framesAdvance()
{
    auto *movie = qobject_cast<RuffleMovie *>(m_player->ShockwaveFlash1());
    if (!movie)
        return false;
    QSignalSpy frames(movie, &RuffleMovie::fsCommand);
    for (int i = 0; frames.size() < 3 && i < 100; ++i)
        frames.wait(200);
    return frames.size() >= 3 && frames.last().at(1).toInt() != frames.first().at(1).toInt();
}

void tst_RealControls::treeOpensDetailPageAndPlays()
{
    auto *tree = m_main->findChild<QTreeWidget *>(u"sTreeView1"_s);
    tree->expandAll();
    QTreeWidgetItem *rhymes = tree->findItems(u"童谣"_s, Qt::MatchExactly | Qt::MatchRecursive).first();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(rhymes).center());
    QVERIFY(rhymes->childCount() > 0);
    tree->expandItem(rhymes);
    QTreeWidgetItem *title = rhymes->child(0);
    QCOMPARE(title->text(0), u"小老鼠上灯台"_s);
    const QPoint pos = tree->visualItemRect(title).center();
    QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, pos);
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, pos);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, pos);
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, pos);
    QTRY_COMPARE(shown(), m_site.url(u"tingerge/tongyao/567.html"_s));

    m_main->findChild<QAction *>(u"N11"_s)->trigger();
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(u'\n')));
    QVERIFY(m_player->isVisible());
    QCOMPARE(m_player->windowTitle(), u"小老鼠上灯台"_s);
    QVERIFY(framesAdvance());
}

void tst_RealControls::playLinksPlayAndThePageStays_data()
{
    QTest::addColumn<QString>("page");
    QTest::newRow("link in the page") << u"donghuapian/click.html"_s;
    QTest::newRow("link to a new window") << u"donghuapian/blank.html"_s;
    QTest::newRow("window.open") << u"donghuapian/open.html"_s;
}

void tst_RealControls::playLinksPlayAndThePageStays()
{
    QFETCH(QString, page);
    load(page);
    QTRY_VERIFY(m_player->isVisible());
    QCOMPARE(m_player->windowTitle(), u"喜羊羊与灰太狼"_s);
    QVERIFY(framesAdvance());
    QCOMPARE(shown(), m_site.url(page));
    QVERIFY(!m_site.requests().contains(u"GET /donghuapian/1234_play.html"_s));
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(u'\n')));
}

void tst_RealControls::ordinaryPopUpOpensInTheMainBrowser()
{
    load(u"popup.html"_s);
    QTRY_COMPARE(shown(), m_site.url(u"info/about.html"_s));
    QVERIFY(!m_player->isVisible());
}

void tst_RealControls::fixedPages_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("path");
    QTest::newRow("最新") << u"sButton3"_s << u"s/n180.html"_s;
    QTest::newRow("推荐") << u"sButton6"_s << u"s/T180.html"_s;
    QTest::newRow("绘画") << u"N29"_s << u"caiyizhanshi/huihua/"_s;
    QTest::newRow("about") << u"sSpeedButton1"_s << u"info/about.html"_s;
}

void tst_RealControls::fixedPages()
{
    QFETCH(QString, control);
    QFETCH(QString, path);
    if (auto *button = m_main->findChild<QAbstractButton *>(control))
        button->click();
    else
        m_main->findChild<QAction *>(control)->trigger();
    QTRY_VERIFY(m_site.requests().contains(u"GET /"_s + path));
}

void tst_RealControls::historyButtonsAfterTwoPages()
{
    auto *back = m_main->findChild<QPushButton *>(u"sButton7"_s);
    auto *forward = m_main->findChild<QPushButton *>(u"sButton8"_s);
    // The home page has been committed once the browser first reports: nothing to go back to.
    QTRY_VERIFY(!back->isEnabled());
    load(u"a.html"_s);
    QTRY_VERIFY(back->isEnabled());
    load(u"b.html"_s);
    QTRY_COMPARE(shown(), m_site.url(u"b.html"_s));
    QTRY_VERIFY(m_site.requests().contains(u"GET /b.html"_s));
    QTRY_VERIFY(!forward->isEnabled());
    back->click();
    QTRY_COMPARE(shown(), m_site.url(u"a.html"_s));
    QTRY_VERIFY(forward->isEnabled());
    QVERIFY(back->isEnabled());
}

void tst_RealControls::enterInsideThePageTogglesOnce()
{
    // Inside a web view the keys go to its focus proxy, and Chromium hands
    // unhandled keys back to the view: still one toggle per press.
    QWidget *view = m_main->findChild<QWidget *>(u"WebBrowser1"_s);
    view->setFocus();
    QTRY_VERIFY(view->focusProxy() ? view->focusProxy()->hasFocus() : view->hasFocus());
    QVERIFY(!m_player->windowed());
    QTest::keyClick(m_main->windowHandle(), Qt::Key_Return);
    QTRY_VERIFY(m_player->windowed());
    QTest::keyClick(m_main->windowHandle(), Qt::Key_Return);
    QTRY_VERIFY(!m_player->windowed());
    // Nothing arrives late to toggle it back.
    QTest::qWait(300);
    QVERIFY(!m_player->windowed());
    QVERIFY(!m_player->isVisible());
}

int main(int argc, char *argv[])
{
    registerPlatformSchemes();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    tst_RealControls test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_realcontrols.moc"
