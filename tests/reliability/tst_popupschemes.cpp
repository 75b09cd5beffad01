// Pop-ups with javascript:, data:, file: and unknown schemes, opened by a page in the real
// engine and passed through the main window's pop-up redirection. The hidden receiver loads
// nothing; whatever it reports goes to the main browser unchanged; what happens then is the
// engine's own rule, pinned down per scheme (docs/RELIABILITY.md).
#include "app/errorhandler.h"
#include "catalogue/cataloguesettings.h"
#include "doubles/fakemovie.h"
#include "forms/main/tmainform.h"
#include "forms/player/tshowform.h"
#include "platform/platformschemes.h"
#include "platform/testsite.h"
#include "platform/webenginebrowser.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace Qt::Literals::StringLiterals;

class tst_PopupSchemes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void popup_data();
    void popup();

private:
    TestSite m_site;
};

namespace {
QString shownUrl(BrowserControl *browser)
{
    return browser->widget()->property("url").toUrl().toString();
}
}

void tst_PopupSchemes::initTestCase()
{
    QVERIFY(m_site.isRunning());
    m_site.addFile(u"home.html"_s, "<!DOCTYPE html><title>home</title>home");
    m_site.addFile(u"target.html"_s, "<!DOCTYPE html><title>target</title>target");
    // Asks for the pop-up, then tells the site that the request is behind it.
    m_site.addFile(u"opener.html"_s,
                   "<!DOCTYPE html><title>opener</title>"
                   "<script>window.open(decodeURIComponent(location.hash.slice(1)));fetch('/opened')</script>");
}

void tst_PopupSchemes::popup_data()
{
    QTest::addColumn<QString>("address");
    // Whether the engine asks the main browser for a window at all.
    QTest::addColumn<bool>("windowAsked");
    // Whether the receiver reports the address, which the redirection then hands on.
    QTest::addColumn<bool>("forwarded");
    // What the address's script would fetch from the site if it ran anywhere, and whether it does.
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("scriptRuns");

    // No blanks, so the address reads the same percent-encoded or not.
    const QString fetch = u"fetch('%1')"_s;
    const QString js = u"javascript:"_s + fetch.arg(m_site.url(u"ran-js"_s)) + u";void(0)"_s;
    const QString data = u"data:text/html,<script>"_s + fetch.arg(m_site.url(u"ran-data"_s)) + u"</script>"_s;
    QTest::newRow("site page") << m_site.url(u"target.html"_s) << true << true << QString() << false;
    // The engine runs it in the receiver's blank page, with the opener's rights, and reports no navigation.
    QTest::newRow("javascript") << js << true << false << u"GET /ran-js"_s << true;
    // Pages may not open data: addresses at the top level; the engine drops the navigation.
    QTest::newRow("data") << data << true << false << u"GET /ran-data"_s << false;
    // "Not allowed to load local resource": no window is even asked for.
    QTest::newRow("file") << u"file:///etc/hostname"_s << false << false << QString() << false;
    // Handed to the desktop only after a user's click; a script's pop-up goes nowhere.
    QTest::newRow("unknown scheme") << u"zirrabee-unknown:whatever"_s << true << false << QString() << false;
}

void tst_PopupSchemes::popup()
{
    QFETCH(QString, address);
    QFETCH(bool, windowAsked);
    QFETCH(bool, forwarded);
    QFETCH(QString, marker);
    QFETCH(bool, scriptRuns);

    QStringList errors;
    ErrorHandler::setPresenter([&](const QString &, const QString &text) { errors << text; });
    CatalogueSettings unreachable;
    unreachable.host = u"127.0.0.1"_s;
    unreachable.port = 1;
    QTemporaryDir folder;
    auto *main = new WebEngineBrowser;
    auto *receiver = new WebEngineBrowser;
    QStringList receiverSaw;
    connect(receiver, &BrowserControl::BeforeNavigate2, this, [&](const QString &url, bool *) { receiverSaw << url; });
    auto form = std::make_unique<Tmainform>(unreachable, m_site.url(QString()), main, receiver, folder.path());
    FakeMovieFactory movies;
    form->attachPlayer(new Tshowform(movies, form.get()));
    QStringList mainSaw;
    connect(main, &BrowserControl::BeforeNavigate2, this, [&](const QString &url, bool *) { mainSaw << url; });
    int asked = 0;
    connect(main, &BrowserControl::NewWindow2, this, [&](BrowserControl **) { ++asked; });
    form->show();

    const auto opened = [&] { return m_site.requests().count(u"GET /opened"_s); };
    const qsizetype openedBefore = opened();
    main->Navigate(m_site.url(u"opener.html#"_s) + QString::fromLatin1(QUrl::toPercentEncoding(address)));
    QTRY_COMPARE(opened(), openedBefore + 1);
    QTRY_COMPARE(asked, windowAsked ? 1 : 0);
    if (forwarded) {
        QTRY_COMPARE(receiverSaw, QStringList{address});
        QTRY_VERIFY(mainSaw.contains(address));
        QTRY_COMPARE(shownUrl(main), address);
    }
    if (scriptRuns)
        QTRY_VERIFY(m_site.requests().contains(marker));

    // A page loaded after the pop-up settles the engine before the checks of what did not happen.
    main->Navigate(m_site.url(u"home.html"_s));
    QTRY_COMPARE(shownUrl(main), m_site.url(u"home.html"_s));
    qInfo("window asked %d time(s); receiver saw [%s]; receiver shows [%s]", asked, qPrintable(receiverSaw.join(u" | ")),
          qPrintable(shownUrl(receiver)));
    if (!forwarded) {
        QVERIFY(receiverSaw.isEmpty());
        QVERIFY(!mainSaw.contains(address));
    }
    if (!scriptRuns && !marker.isEmpty())
        QVERIFY(!m_site.requests().contains(marker));
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
    QVERIFY(movies.created.isEmpty());
    ErrorHandler::setPresenter({});
}

int main(int argc, char **argv)
{
    registerPlatformSchemes();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    tst_PopupSchemes test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_popupschemes.moc"
