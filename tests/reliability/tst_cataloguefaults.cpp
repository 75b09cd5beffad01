// Every catalogue action of the main window while the real server is stopped, killed, frozen,
// or replaced by a listener that never answers: one message with the driver's text, nothing
// else changes, no action waits much beyond its timeouts, and the first action once the server
// is back succeeds on the same window.
#include "forms/formfixture.h"
#include "support/testdatabase.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTreeWidget>

#include <functional>

#include <signal.h>

using namespace Qt::StringLiterals;

namespace {

// What a catalogue action may change in the windows.
struct WindowState
{
    QStringList tree;
    QStringList results;
    bool resultsShown = false;
    QStringList history;
    QStringList playlist;
    QStringList navigations;
    qsizetype movies = 0;
    QString caption;
    bool playerShown = false;
};

QStringList texts(const QListWidget *list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result.append(list->item(i)->text());
    return result;
}

void collect(const QTreeWidgetItem *node, const QString &indent, QStringList &out)
{
    out.append(indent + node->text(0));
    for (int i = 0; i < node->childCount(); ++i)
        collect(node->child(i), indent + u' ', out);
}

WindowState stateOf(FormFixture &f)
{
    WindowState s;
    const auto *tree = f.find<QTreeWidget>("sTreeView1");
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        collect(tree->topLevelItem(i), QString(), s.tree);
    const auto *results = f.find<QListWidget>("sListBox3");
    s.results = texts(results);
    s.resultsShown = !results->isHidden();
    s.history = texts(f.find<QListWidget>("sListBox1"));
    s.playlist = texts(f.find<QListWidget>("sListBox4"));
    s.navigations = f.browser1->calls;
    s.movies = f.movies.created.size();
    s.caption = f.showform->windowTitle();
    s.playerShown = f.showform->isVisible();
    return s;
}

QTreeWidgetItem *category(FormFixture &f, const QString &name)
{
    const auto found = f.find<QTreeWidget>("sTreeView1")->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

void trigger(FormFixture &f, const char *action)
{
    f.mainform->findChild<QAction *>(QLatin1String(action))->trigger();
}

void selectHistoryEntry(FormFixture &f, const QString &title)
{
    auto *history = f.find<QListWidget>("sListBox1");
    const auto found = history->findItems(title, Qt::MatchExactly);
    history->setCurrentItem(found.isEmpty() ? nullptr : found.first());
}

// A catalogue action as the user starts it, and what success looks like afterwards.
struct Action
{
    std::function<void(FormFixture &)> run;
    std::function<bool(FormFixture &)> succeeded;
    // The search empties its results before it asks the server.
    bool emptiesResults = false;
};

const QString SongsCategory = u"中文儿歌"_s;
const QString Cartoon = u"喜羊羊与灰太狼"_s;

Action treeFill()
{
    return {[](FormFixture &f) {
                auto *tree = f.find<QTreeWidget>("sTreeView1");
                QTreeWidgetItem *node = category(f, SongsCategory);
                tree->scrollToItem(node);
                QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
            },
            [](FormFixture &f) { return category(f, SongsCategory)->childCount() == 7; }};
}

Action search()
{
    return {[](FormFixture &f) {
                f.find<QLineEdit>("sEdit1")->setText(u"小%"_s);
                f.find<QPushButton>("sButton1")->click();
            },
            [](FormFixture &f) { return f.find<QListWidget>("sListBox3")->count() == 8; }, true};
}

Action detailPage()
{
    return {[](FormFixture &f) {
                selectHistoryEntry(f, Cartoon);
                trigger(f, "N1");
            },
            [](FormFixture &f) { return f.browser1->calls.endsWith(u"Navigate http://site.test/donghuapian/1234.htm"_s); }};
}

Action treeShowDetails()
{
    return {[](FormFixture &f) {
                auto *tree = f.find<QTreeWidget>("sTreeView1");
                tree->setCurrentItem(category(f, u"童谣"_s)->child(0));
                trigger(f, "N6");
            },
            [](FormFixture &f) { return f.browser1->calls.endsWith(u"Navigate http://site.test/tingerge/tongyao/567.html"_s); }};
}

Action play()
{
    return {[](FormFixture &f) {
                selectHistoryEntry(f, Cartoon);
                trigger(f, "N18");
            },
            [](FormFixture &f) { return !f.movies.created.isEmpty() && f.showform->isVisible(); }};
}

Action playLink()
{
    return {[](FormFixture &f) { QVERIFY(f.browser1->simulateNavigation(u"http://site.test/tingerge/tongyao/567_play.html"_s)); },
            [](FormFixture &f) { return f.showform->windowTitle() == u"小老鼠上灯台"_s && !f.movies.created.isEmpty(); }};
}

QList<std::pair<const char *, Action>> actions()
{
    return {{"tree fill", treeFill()}, {"search", search()}, {"detail page", detailPage()},
            {"tree show details", treeShowDetails()}, {"play", play()}, {"play link", playLink()}};
}

// The window as a family has it: the tree open with one title under 童谣, a history to act on.
void prepare(FormFixture &f)
{
    f.mainform->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.mainform.get()));
    f.find<QTreeWidget>("sTreeView1")->expandAll();
    new QTreeWidgetItem(category(f, u"童谣"_s), {u"小老鼠上灯台"_s});
    f.find<QListWidget>("sListBox1")->addItems({u"两只老虎"_s, Cartoon});
    f.find<QListWidget>("sListBox4")->addItem(u"小星星"_s);
}

void compareUnchanged(const WindowState &after, const WindowState &before, bool emptiesResults)
{
    QCOMPARE(after.tree, before.tree);
    QCOMPARE(after.results, emptiesResults ? QStringList() : before.results);
    QCOMPARE(after.resultsShown, before.resultsShown);
    QCOMPARE(after.history, before.history);
    QCOMPARE(after.playlist, before.playlist);
    QCOMPARE(after.navigations, before.navigations);
    QCOMPARE(after.movies, before.movies);
    QCOMPARE(after.caption, before.caption);
    QCOMPARE(after.playerShown, before.playerShown);
}

qint64 serverPid()
{
    QFile env(QDir(qEnvironmentVariable("ZIRRABEE_TESTDB_DIR")).filePath(u"server.env"_s));
    if (!env.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    for (const QByteArray &line : env.readAll().split('\n')) {
        if (line.startsWith("pid="))
            return line.mid(4).toLongLong();
    }
    return 0;
}

// Gone, or a zombie nobody has reaped yet.
bool processGone(qint64 pid)
{
    QFile stat(u"/proc/%1/stat"_s.arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = stat.readAll();
    const qsizetype paren = text.lastIndexOf(')');
    return paren >= 0 && text.mid(paren + 2, 1) == "Z";
}

enum class Fault { Stopped, Killed, Frozen };

// Injects a fault into the fixture's server for its lifetime; the server is whole again after.
class ServerFault
{
public:
    explicit ServerFault(Fault fault) : m_fault(fault), m_pid(serverPid())
    {
        switch (fault) {
        case Fault::Stopped:
            TestDatabase::stopServer();
            break;
        case Fault::Killed:
            ::kill(pid_t(m_pid), SIGKILL);
            QTRY_VERIFY_WITH_TIMEOUT(processGone(m_pid), 10'000);
            break;
        case Fault::Frozen:
            ::kill(pid_t(m_pid), SIGSTOP);
            break;
        }
    }
    ~ServerFault() { end(); }
    ServerFault(const ServerFault &) = delete;
    ServerFault &operator=(const ServerFault &) = delete;

    void end()
    {
        if (m_ended)
            return;
        m_ended = true;
        if (m_fault == Fault::Frozen)
            ::kill(pid_t(m_pid), SIGCONT);
        else
            TestDatabase::startServer();
    }

private:
    Fault m_fault;
    qint64 m_pid;
    bool m_ended = false;
};

} // namespace

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(Fault)

class tst_CatalogueFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void serverAway_data();
    void serverAway();
    void serverNeverAnswers_data();
    void serverNeverAnswers();
};

void tst_CatalogueFaults::serverAway_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<Action>("action");

    const QList<std::pair<const char *, Fault>> faults{
        {"stopped", Fault::Stopped}, {"killed", Fault::Killed}, {"frozen", Fault::Frozen}};
    for (const auto &[faultName, fault] : faults) {
        for (const auto &[actionName, action] : actions())
            QTest::addRow("%s: %s", faultName, actionName) << fault << action;
    }
}

void tst_CatalogueFaults::serverAway()
{
    QFETCH(Fault, fault);
    QFETCH(Action, action);

    CatalogueSettings settings = TestDatabase::settings();
    settings.connectTimeoutSeconds = 2;
    settings.readTimeoutSeconds = 2;
    FormFixture f(settings);
    prepare(f);
    // In the middle of a run: the connection is open when the fault strikes. The page is none
    // of those the actions open.
    f.mainform->getshow(u"两只老虎"_s);
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    const WindowState before = stateOf(f);

    {
        ServerFault away(fault);
        QElapsedTimer timer;
        timer.start();
        action.run(f);
        const qint64 ms = timer.elapsed();
        // A frozen server costs one read timeout, then one connect timeout for the new connection.
        const int timeouts = fault == Fault::Frozen ? settings.readTimeoutSeconds + settings.connectTimeoutSeconds
                                                    : settings.connectTimeoutSeconds;
        qInfo("failed after %lld ms: %s", ms, qPrintable(f.errors.value(0)));
        QVERIFY2(ms < 3 * 1000 * timeouts, qPrintable(u"%1 ms"_s.arg(ms)));
        QCOMPARE(f.errors.size(), 1);
        QVERIFY(!f.errors.first().trimmed().isEmpty());
        compareUnchanged(stateOf(f), before, action.emptiesResults);
        if (QTest::currentTestFailed())
            return;
    }

    action.run(f);
    QVERIFY2(f.errors.size() == 1, qPrintable(f.errors.join(u'\n')));
    QVERIFY(action.succeeded(f));
}

void tst_CatalogueFaults::serverNeverAnswers_data()
{
    QTest::addColumn<Action>("action");
    for (const auto &[name, action] : actions())
        QTest::newRow(name) << action;
}

// The kernel completes the handshake for a listening socket that nobody accepts from.
void tst_CatalogueFaults::serverNeverAnswers()
{
    QFETCH(Action, action);

    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    CatalogueSettings settings = TestDatabase::settings();
    settings.port = silent.serverPort();
    settings.connectTimeoutSeconds = 1;
    settings.readTimeoutSeconds = 1;
    FormFixture f(settings);
    prepare(f);
    const WindowState before = stateOf(f);

    QElapsedTimer timer;
    timer.start();
    action.run(f);
    const qint64 ms = timer.elapsed();
    qInfo("failed after %lld ms: %s", ms, qPrintable(f.errors.value(0)));
    QVERIFY2(ms < 3 * 1000 * settings.connectTimeoutSeconds, qPrintable(u"%1 ms"_s.arg(ms)));
    QCOMPARE(f.errors.size(), 1);
    QVERIFY(!f.errors.first().trimmed().isEmpty());
    compareUnchanged(stateOf(f), before, action.emptiesResults);
}

QTEST_MAIN(tst_CatalogueFaults)
#include "tst_cataloguefaults.moc"
