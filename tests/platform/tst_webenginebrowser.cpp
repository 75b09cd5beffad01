#include "app/error.h"
#include "app/errorhandler.h"
#include "platform/platformschemes.h"
#include "platform/webenginebrowser.h"
#include "testsite.h"

#include <QApplication>
#include <QMap>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QWidget>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

// The real browser against a local site: which navigations reach
// BeforeNavigate2, what Cancel stops, pop-ups and the history commands.
class TestWebEngineBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void beforeNavigate_data();
    void beforeNavigate();
    void historyAndRefreshAreReported();
    void cancelStopsTheLoad_data();
    void cancelStopsTheLoad();
    void raisingHandlerIsReported();
    void popupReachesReceiver_data();
    void popupReachesReceiver();
    void popupForwardedToMainBrowser();
    void popupWithoutReceiverIsNotOpened();
    void commandStateFollowsHistory();
    void historyStepWithoutPageThrows_data();
    void historyStepWithoutPageThrows();
    void refreshLoadsAgain();

private:
    // Navigates and waits until the view shows path.
    void load(WebEngineBrowser &browser, const QString &path);
    QString shownUrl(WebEngineBrowser &browser) { return browser.widget()->property("url").toUrl().toString(); }

    TestSite m_site;
};

void TestWebEngineBrowser::initTestCase()
{
    QVERIFY(m_site.isRunning());
    m_site.addFile(u"a.html"_s, "<!DOCTYPE html><title>a</title>A");
    m_site.addFile(u"b.html"_s, "<!DOCTYPE html><title>b</title>B");
    m_site.addFile(u"target.html"_s, "<!DOCTYPE html><title>target</title>target");
    m_site.addFile(u"link.html"_s,
                   "<!DOCTYPE html><a id=l href='target.html'>go</a>"
                   "<script>document.getElementById('l').click()</script>");
    m_site.addFile(u"form.html"_s,
                   "<!DOCTYPE html><form method=post action='target.html'><input name=q value=1></form>"
                   "<script>document.forms[0].submit()</script>");
    m_site.addFile(u"frame.html"_s, "<!DOCTYPE html><iframe src='target.html'></iframe>");
    m_site.addFile(u"open.html"_s, "<!DOCTYPE html><script>window.open('target.html')</script>");
    m_site.addFile(u"blank.html"_s,
                   "<!DOCTYPE html><a id=l href='target.html' target=_blank>go</a>"
                   "<script>document.getElementById('l').click()</script>");
    m_site.addFile(u"blankform.html"_s,
                   "<!DOCTYPE html><form method=post action='target.html' target=_blank><input name=q value=1></form>"
                   "<script>document.forms[0].submit()</script>");
}

void TestWebEngineBrowser::load(WebEngineBrowser &browser, const QString &path)
{
    browser.Navigate(m_site.url(path));
    QTRY_COMPARE(shownUrl(browser), m_site.url(path));
}

void TestWebEngineBrowser::beforeNavigate_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("typed") << u"a.html"_s << QStringList{u"a.html"_s};
    QTest::newRow("link") << u"link.html"_s << QStringList{u"link.html"_s, u"target.html"_s};
    QTest::newRow("redirect") << u"redirect?to=/target.html"_s
                              << QStringList{u"redirect?to=/target.html"_s, u"target.html"_s};
    QTest::newRow("form post") << u"form.html"_s << QStringList{u"form.html"_s, u"target.html"_s};
    QTest::newRow("frame") << u"frame.html"_s << QStringList{u"frame.html"_s, u"target.html"_s};
}

void TestWebEngineBrowser::beforeNavigate()
{
    QFETCH(QString, start);
    QFETCH(QStringList, expected);

    WebEngineBrowser browser;
    QStringList seen;
    connect(&browser, &BrowserControl::BeforeNavigate2, this, [&](const QString &url, bool *) { seen << url; });
    browser.Navigate(m_site.url(start));

    QStringList urls;
    for (const QString &path : std::as_const(expected))
        urls << m_site.url(path);
    QTRY_COMPARE(seen, urls);
}

void TestWebEngineBrowser::historyAndRefreshAreReported()
{
    WebEngineBrowser browser;
    load(browser, u"a.html"_s);
    load(browser, u"b.html"_s);
    QStringList seen;
    connect(&browser, &BrowserControl::BeforeNavigate2, this, [&](const QString &url, bool *) { seen << url; });

    browser.GoBack();
    QTRY_COMPARE(seen, QStringList{m_site.url(u"a.html"_s)});
    QTRY_COMPARE(shownUrl(browser), m_site.url(u"a.html"_s));
    browser.GoForward();
    QTRY_COMPARE(seen.size(), 2);
    QCOMPARE(seen.last(), m_site.url(u"b.html"_s));
    QTRY_COMPARE(shownUrl(browser), m_site.url(u"b.html"_s));
    browser.Refresh();
    QTRY_COMPARE(seen.size(), 3);
    QCOMPARE(seen.last(), m_site.url(u"b.html"_s));
}

void TestWebEngineBrowser::cancelStopsTheLoad_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("cancelled");
    QTest::addColumn<QString>("request");

    QTest::newRow("typed") << u"target.html"_s << u"target.html"_s << u"GET /target.html"_s;
    QTest::newRow("link") << u"link.html"_s << u"target.html"_s << u"GET /target.html"_s;
    QTest::newRow("redirect") << u"redirect?to=/target.html"_s << u"target.html"_s << u"GET /target.html"_s;
    QTest::newRow("form post") << u"form.html"_s << u"target.html"_s << u"POST /target.html"_s;
    QTest::newRow("frame") << u"frame.html"_s << u"target.html"_s << u"GET /target.html"_s;
}

void TestWebEngineBrowser::cancelStopsTheLoad()
{
    QFETCH(QString, start);
    QFETCH(QString, cancelled);
    QFETCH(QString, request);

    WebEngineBrowser browser;
    bool wasCancelled = false;
    connect(&browser, &BrowserControl::BeforeNavigate2, this, [&](const QString &url, bool *cancel) {
        if (url == m_site.url(cancelled)) {
            *cancel = true;
            wasCancelled = true;
        }
    });
    const qsizetype before = m_site.requests().size();
    browser.Navigate(m_site.url(start));
    QTRY_VERIFY(wasCancelled);
    // A page loaded after the cancelled one shows that the site has seen everything asked of it.
    load(browser, u"b.html"_s);
    QVERIFY(!m_site.requests().mid(before).contains(request));
}

// An error raised in a handler must not unwind through the engine; it reaches
// the application's error handler and the cancel it set still holds.
void TestWebEngineBrowser::raisingHandlerIsReported()
{
    QStringList shown;
    ErrorHandler::setPresenter([&](const QString &, const QString &text) { shown << text; });
    const auto restore = qScopeGuard([] { ErrorHandler::setPresenter({}); });
    WebEngineBrowser browser;
    connect(&browser, &BrowserControl::BeforeNavigate2, this, [&](const QString &url, bool *cancel) {
        if (url == m_site.url(u"target.html"_s)) {
            *cancel = true;
            throw Error(u"no such movie"_s);
        }
    });

    const qsizetype before = m_site.requests().size();
    browser.Navigate(m_site.url(u"link.html"_s));
    QTRY_COMPARE(shown, QStringList{u"no such movie."_s});
    load(browser, u"b.html"_s);
    QVERIFY(!m_site.requests().mid(before).contains(u"GET /target.html"_s));
}

void TestWebEngineBrowser::popupReachesReceiver_data()
{
    QTest::addColumn<QString>("opener");

    QTest::newRow("window.open") << u"open.html"_s;
    QTest::newRow("target=_blank link") << u"blank.html"_s;
    QTest::newRow("target=_blank form post") << u"blankform.html"_s;
}

void TestWebEngineBrowser::popupReachesReceiver()
{
    QFETCH(QString, opener);

    WebEngineBrowser main;
    WebEngineBrowser receiver;
    connect(&main, &BrowserControl::NewWindow2, this, [&](BrowserControl **ppDisp) { *ppDisp = &receiver; });
    QStringList received;
    connect(&receiver, &BrowserControl::BeforeNavigate2, this, [&](const QString &url, bool *cancel) {
        received << url;
        *cancel = true;
    });

    const qsizetype before = m_site.requests().size();
    load(main, opener);
    QTRY_COMPARE(received, QStringList{m_site.url(u"target.html"_s)});
    // The receiver takes the next pop-up just as well.
    main.Refresh();
    QTRY_COMPARE(received.size(), 2);
    QCOMPARE(received.last(), m_site.url(u"target.html"_s));

    QCOMPARE(shownUrl(main), m_site.url(opener));
    load(main, u"b.html"_s);
    const QStringList requests = m_site.requests().mid(before);
    QVERIFY2(!requests.contains(u"GET /target.html"_s) && !requests.contains(u"POST /target.html"_s),
             qPrintable(requests.join(u", ")));
    // Each pop-up replaced the receiver's page; none is left over.
    const auto pages = [&] {
        const QList<QObject *> children = receiver.findChildren<QObject *>();
        return std::count_if(children.begin(), children.end(), [](QObject *o) { return o->inherits("QWebEnginePage"); });
    };
    QTRY_COMPARE(pages(), 1);
}

// The main window's use: the receiver hands the address to the main browser and cancels.
void TestWebEngineBrowser::popupForwardedToMainBrowser()
{
    WebEngineBrowser main;
    WebEngineBrowser receiver;
    connect(&main, &BrowserControl::NewWindow2, this, [&](BrowserControl **ppDisp) { *ppDisp = &receiver; });
    connect(&receiver, &BrowserControl::BeforeNavigate2, this, [&](const QString &url, bool *cancel) {
        main.Navigate(url);
        *cancel = true;
    });

    load(main, u"blankform.html"_s);
    QTRY_COMPARE(shownUrl(main), m_site.url(u"target.html"_s));
    QVERIFY(m_site.requests().contains(u"GET /target.html"_s));
}

void TestWebEngineBrowser::popupWithoutReceiverIsNotOpened()
{
    WebEngineBrowser main;
    bool asked = false;
    connect(&main, &BrowserControl::NewWindow2, this, [&](BrowserControl **) { asked = true; });

    const qsizetype before = m_site.requests().size();
    load(main, u"open.html"_s);
    QTRY_VERIFY(asked);
    load(main, u"b.html"_s);
    QVERIFY(!m_site.requests().mid(before).contains(u"GET /target.html"_s));
}

void TestWebEngineBrowser::commandStateFollowsHistory()
{
    WebEngineBrowser browser;
    QMap<int, bool> state;
    connect(&browser, &BrowserControl::CommandStateChange, this,
            [&](int command, bool enable) { state[command] = enable; });
    using State = QMap<int, bool>;
    const int back = BrowserControl::CommandBack;
    const int forward = BrowserControl::CommandForward;

    load(browser, u"a.html"_s);
    QTRY_COMPARE(state, (State{{back, false}, {forward, false}}));
    load(browser, u"b.html"_s);
    QTRY_COMPARE(state, (State{{back, true}, {forward, false}}));
    browser.GoBack();
    QTRY_COMPARE(state, (State{{back, false}, {forward, true}}));
    QTRY_COMPARE(shownUrl(browser), m_site.url(u"a.html"_s));
    browser.GoForward();
    QTRY_COMPARE(state, (State{{back, true}, {forward, false}}));
    QTRY_COMPARE(shownUrl(browser), m_site.url(u"b.html"_s));
}

void TestWebEngineBrowser::historyStepWithoutPageThrows_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("back");

    QTest::newRow("back, no page") << false << true;
    QTest::newRow("forward, no page") << false << false;
    QTest::newRow("back from the first page") << true << true;
    QTest::newRow("forward from the newest page") << true << false;
}

void TestWebEngineBrowser::historyStepWithoutPageThrows()
{
    QFETCH(bool, loaded);
    QFETCH(bool, back);

    WebEngineBrowser browser;
    if (loaded)
        load(browser, u"a.html"_s);
    if (back)
        QVERIFY_THROWS_EXCEPTION(Error, browser.GoBack());
    else
        QVERIFY_THROWS_EXCEPTION(Error, browser.GoForward());
}

void TestWebEngineBrowser::refreshLoadsAgain()
{
    WebEngineBrowser browser;
    load(browser, u"a.html"_s);
    const qsizetype before = m_site.requests().count(u"GET /a.html"_s);
    browser.Refresh();
    QTRY_COMPARE(m_site.requests().count(u"GET /a.html"_s), before + 1);
}

int main(int argc, char **argv)
{
    registerPlatformSchemes();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestWebEngineBrowser test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_webenginebrowser.moc"
