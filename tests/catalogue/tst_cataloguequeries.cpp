// The seven statements against the seed catalogue (tests/mariadb/seed.sql) on a real server.
#include "catalogue/cataloguequery.h"
#include "catalogue/uniconnection.h"
#include "support/testdatabase.h"

#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(const Statement *)

class TestCatalogueQueries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void sentText_data();
    void sentText();
    void rows_data();
    void rows();
    void firstRowDecides_data();
    void firstRowDecides();
    void noRows_data();
    void noRows();
    void hostileText_data();
    void hostileText();
    void notANumber_data();
    void notANumber();
    void reassigningDiscardsOpenResult();
    void openWhenOpenRunsNothing();
    void currentRow();
    void closeAndDisconnectWhenNothingOpened();
    void connectsOnce();

private:
    std::unique_ptr<UniConnection> m_connection;
    std::unique_ptr<UniQuery> m_query;
};

void TestCatalogueQueries::initTestCase()
{
    m_connection = std::make_unique<UniConnection>(TestDatabase::settings());
    m_query = std::make_unique<UniQuery>(*m_connection);
}

void TestCatalogueQueries::cleanupTestCase()
{
    m_query.reset();
    m_connection.reset();
}

void TestCatalogueQueries::sentText_data()
{
    QTest::addColumn<const Statement *>("statement");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ClassIdByName") << &Statements::ClassIdByName << u"中文儿歌"_s
                                   << u"SELECT `classid`  FROM`morrowick_enewsclass` where classname='中文儿歌'"_s;
    QTest::newRow("TitlesByClass") << &Statements::TitlesByClass << u"11"_s
                                   << u"SELECT `title` FROM`morrowick_ecms_game` WHERE classid= 11"_s;
    QTest::newRow("TitlesLike") << &Statements::TitlesLike << u"小%"_s
                                << u"SELECT `title` FROM`morrowick_ecms_game` where    title  like '小%'"_s;
    QTest::newRow("FlashUrlByTitle") << &Statements::FlashUrlByTitle << u"小星星"_s
                                     << u"SELECT `flashurl`  FROM`morrowick_ecms_game` WHERE title='小星星'"_s;
    QTest::newRow("DetailByTitle") << &Statements::DetailByTitle << u"两只老虎"_s
                                   << u"SELECT `id`,`flashurl`,`classid`  FROM`morrowick_ecms_game` WHERE title='两只老虎'"_s;
    QTest::newRow("ClassNameById") << &Statements::ClassNameById << u"13"_s
                                   << u"SELECT `classname` FROM`morrowick_enewsclass` where classid=13"_s;
    QTest::newRow("MovieById") << &Statements::MovieById << u"1234"_s
                               << u"SELECT`flashurl`,`title` FROM`morrowick_ecms_game` WHERE id= 1234"_s;
}

// The server logs a bound statement with its value written in: for a plain value that is the
// site's own text with the value spliced in, blanks and backticks exactly. One statement per Open.
void TestCatalogueQueries::sentText()
{
    QFETCH(const Statement *, statement);
    QFETCH(QString, value);
    QFETCH(QString, expected);

    const int before = TestDatabase::executedStatements();
    QVERIFY_SQL(CatalogueQuery::open(*m_query, *statement, value));
    const QStringList texts = TestDatabase::executedStatementTexts();

    QCOMPARE(texts.size(), before + 1);
    QCOMPARE(texts.last(), expected);
    QCOMPARE(statement->fixedText + value + statement->afterValue, expected);
}

void TestCatalogueQueries::rows_data()
{
    QTest::addColumn<const Statement *>("statement");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("class id by Chinese name") << &Statements::ClassIdByName << u"中文儿歌"_s << u"classid"_s << QStringList{u"11"_s};
    QTest::newRow("class name with a quote") << &Statements::ClassIdByName << u"Kids' Corner"_s << u"classid"_s << QStringList{u"71"_s};
    QTest::newRow("titles of a class in server order, repeats and 4-byte characters included")
        << &Statements::TitlesByClass << u"11"_s << u"title"_s
        << QStringList{u"两只老虎"_s, u"小星星"_s, u"两只老虎"_s, u"童谣"_s, u"🐼熊猫宝宝"_s, u"找朋友"_s, u"拔萝卜"_s};
    QTest::newRow("class without titles") << &Statements::TitlesByClass << u"14"_s << u"title"_s << QStringList();
    QTest::newRow("like: typed percent is a wildcard") << &Statements::TitlesLike << u"小%"_s << u"title"_s
        << QStringList{u"小星星"_s, u"小老鼠上灯台"_s, u"小星星"_s, u"小星星"_s, u"小马过河"_s, u"小红帽"_s, u"小猫拼图"_s, u"小天鹅舞"_s};
    QTest::newRow("like: no wildcard finds the equal title only") << &Statements::TitlesLike << u"童谣"_s << u"title"_s << QStringList{u"童谣"_s};
    QTest::newRow("like: percent inside a title") << &Statements::TitlesLike << u"100% 快乐"_s << u"title"_s << QStringList{u"100% 快乐"_s, u"1000 快乐"_s};
    QTest::newRow("like: escaped percent") << &Statements::TitlesLike << u"100\\% 快乐"_s << u"title"_s << QStringList{u"100% 快乐"_s};
    QTest::newRow("like: underscore is a wildcard") << &Statements::TitlesLike << u"下划线_歌"_s << u"title"_s << QStringList{u"下划线_歌"_s, u"下划线-歌"_s};
    QTest::newRow("like: one backslash escapes") << &Statements::TitlesLike << u"反斜杠\\童谣"_s << u"title"_s << QStringList();
    QTest::newRow("like: two backslashes match one") << &Statements::TitlesLike << u"反斜杠\\\\童谣"_s << u"title"_s << QStringList{u"反斜杠\\童谣"_s};
    QTest::newRow("relative flashurl") << &Statements::FlashUrlByTitle << u"喜羊羊与灰太狼"_s << u"flashurl"_s << QStringList{u"d/file/donghuapian/1234.swf"_s};
    QTest::newRow("absolute flashurl") << &Statements::FlashUrlByTitle << u"Twinkle Twinkle Little Star"_s << u"flashurl"_s
                                       << QStringList{u"http://media.example.com/swf/twinkle.swf"_s};
    QTest::newRow("NULL flashurl") << &Statements::FlashUrlByTitle << u"找朋友"_s << u"flashurl"_s << QStringList{QString()};
    QTest::newRow("empty flashurl") << &Statements::FlashUrlByTitle << u"拔萝卜"_s << u"flashurl"_s << QStringList{QString()};
    QTest::newRow("title with a quote") << &Statements::FlashUrlByTitle << u"Old MacDonald's Farm"_s << u"flashurl"_s
                                        << QStringList{u"d/file/tingerge/yingwenerge/1203.swf"_s};
    QTest::newRow("title with a backslash") << &Statements::FlashUrlByTitle << u"反斜杠\\童谣"_s << u"flashurl"_s
                                            << QStringList{u"d/file/tingerge/tongyao/570.swf"_s};
    QTest::newRow("title with a comment marker") << &Statements::FlashUrlByTitle << u"It's -- not; a comment"_s << u"flashurl"_s
                                                 << QStringList{u"d/file/kids/7101.swf"_s};
    QTest::newRow("title with a 4-byte character") << &Statements::FlashUrlByTitle << u"🐼熊猫宝宝"_s << u"flashurl"_s
                                                   << QStringList{u"d/file/tingerge/zhongwenerge/2347.swf"_s};
    QTest::newRow("repeated title") << &Statements::DetailByTitle << u"两只老虎"_s << u"id"_s << QStringList{u"101"_s, u"2345"_s};
    QTest::newRow("class of a title") << &Statements::DetailByTitle << u"喜羊羊与灰太狼"_s << u"classid"_s << QStringList{u"60"_s};
    QTest::newRow("class name by id") << &Statements::ClassNameById << u"60"_s << u"classname"_s << QStringList{u"动画片"_s};
    QTest::newRow("movie by 3-digit id") << &Statements::MovieById << u"567"_s << u"title"_s << QStringList{u"小老鼠上灯台"_s};
    QTest::newRow("movie by 6-digit id") << &Statements::MovieById << u"123456"_s << u"title"_s << QStringList{u"桃园三结义"_s};
    QTest::newRow("movie with a flashurl from the root") << &Statements::MovieById << u"1202"_s << u"flashurl"_s
                                                         << QStringList{u"/d/file/tingerge/yingwenerge/1202.swf"_s};
}

void TestCatalogueQueries::rows()
{
    QFETCH(const Statement *, statement);
    QFETCH(QString, value);
    QFETCH(QString, column);
    QFETCH(QStringList, expected);

    QVERIFY_SQL(CatalogueQuery::open(*m_query, *statement, value));
    QCOMPARE(m_query->RecordCount(), expected.size());
    QStringList values;
    QVERIFY_SQL(values = CatalogueQuery::allValues(*m_query, column));
    QCOMPARE(values, expected);
    m_query->Close();
}

void TestCatalogueQueries::firstRowDecides_data()
{
    QTest::addColumn<const Statement *>("statement");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("expected");

    QTest::newRow("repeated within a class") << &Statements::DetailByTitle << u"两只老虎"_s << u"id"_s << u"101"_s;
    QTest::newRow("repeated across classes: id") << &Statements::DetailByTitle << u"小星星"_s << u"id"_s << u"102"_s;
    QTest::newRow("repeated across classes: class") << &Statements::DetailByTitle << u"小星星"_s << u"classid"_s << u"11"_s;
    QTest::newRow("repeated across classes: flashurl") << &Statements::FlashUrlByTitle << u"小星星"_s << u"flashurl"_s
                                                       << u"d/file/tingerge/zhongwenerge/102.swf"_s;
}

// First returns to the first row also after a walk has moved on.
void TestCatalogueQueries::firstRowDecides()
{
    QFETCH(const Statement *, statement);
    QFETCH(QString, value);
    QFETCH(QString, column);
    QFETCH(QString, expected);

    QVERIFY_SQL(CatalogueQuery::open(*m_query, *statement, value));
    QVERIFY(m_query->RecordCount() > 1);
    QCOMPARE(m_query->FindField(column).AsString(), expected);
    m_query->setRecNo(m_query->RecordCount());
    QVERIFY(m_query->FindField(column).AsString() != expected);
    QCOMPARE(CatalogueQuery::firstValue(*m_query, column), expected);
}

void TestCatalogueQueries::noRows_data()
{
    QTest::addColumn<const Statement *>("statement");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("column");

    QTest::newRow("ClassIdByName") << &Statements::ClassIdByName << u"没有这个分类"_s << u"classid"_s;
    QTest::newRow("ClassIdByName with a title") << &Statements::ClassIdByName << u"两只老虎"_s << u"classid"_s;
    QTest::newRow("TitlesByClass") << &Statements::TitlesByClass << u"999"_s << u"title"_s;
    QTest::newRow("TitlesLike") << &Statements::TitlesLike << u"没有%"_s << u"title"_s;
    QTest::newRow("FlashUrlByTitle") << &Statements::FlashUrlByTitle << u"没有这个节目"_s << u"flashurl"_s;
    QTest::newRow("DetailByTitle") << &Statements::DetailByTitle << u"没有这个节目"_s << u"id"_s;
    QTest::newRow("ClassNameById") << &Statements::ClassNameById << u"9999"_s << u"classname"_s;
    QTest::newRow("MovieById") << &Statements::MovieById << u"99999999"_s << u"flashurl"_s;
    QTest::newRow("negative number") << &Statements::MovieById << u"-1"_s << u"flashurl"_s;
}

void TestCatalogueQueries::noRows()
{
    QFETCH(const Statement *, statement);
    QFETCH(QString, value);
    QFETCH(QString, column);

    QVERIFY_SQL(CatalogueQuery::open(*m_query, *statement, value));
    QVERIFY(m_query->Active());
    QCOMPARE(m_query->RecordCount(), 0);
    QCOMPARE(m_query->RecNo(), 0);
    QCOMPARE(CatalogueQuery::firstValue(*m_query, column), QString());
    QCOMPARE(CatalogueQuery::allValues(*m_query, column), QStringList());
}

void TestCatalogueQueries::hostileText_data()
{
    QTest::addColumn<const Statement *>("statement");
    QTest::addColumn<QString>("value");

    const QList<std::pair<const char *, QString>> values{
        {"quote", u"'"_s},
        {"always true", u"' OR '1'='1"_s},
        {"comment", u"' OR 1=1 -- "_s},
        {"hash comment", u"' OR 1=1 #"_s},
        {"second statement", u"x'; DROP TABLE morrowick_ecms_game; --"_s},
        {"backslash", u"\\"_s},
        {"escaped quote", u"\\' OR 1=1 -- "_s},
        {"like injection", u"%' OR title LIKE '%"_s},
        {"10000 characters", QString(10000, u'字')},
        {"control characters", u"\0\n\r\x1a"_s},
    };
    const QList<const Statement *> statements{&Statements::ClassIdByName, &Statements::TitlesLike,
                                              &Statements::FlashUrlByTitle, &Statements::DetailByTitle};
    for (const auto &[name, value] : values) {
        for (const Statement *statement : statements)
            QTest::addRow("%s: %s", statement->name, name) << statement << value;
    }
}

// A value is only ever a value: nothing matches, nothing fails, the tables are intact.
void TestCatalogueQueries::hostileText()
{
    QFETCH(const Statement *, statement);
    QFETCH(QString, value);

    QVERIFY_SQL(CatalogueQuery::open(*m_query, *statement, value));
    QCOMPARE(m_query->RecordCount(), 0);

    QVERIFY_SQL(CatalogueQuery::open(*m_query, Statements::TitlesByClass, u"11"_s));
    QCOMPARE(m_query->RecordCount(), 7);
}

void TestCatalogueQueries::notANumber_data()
{
    QTest::addColumn<const Statement *>("statement");
    QTest::addColumn<QString>("value");

    QTest::newRow("empty") << &Statements::TitlesByClass << QString();
    QTest::newRow("always true") << &Statements::TitlesByClass << u"11 OR 1=1"_s;
    QTest::newRow("second statement") << &Statements::ClassNameById << u"13; DROP TABLE morrowick_enewsclass"_s;
    QTest::newRow("blank around") << &Statements::MovieById << u" 1234"_s;
    QTest::newRow("hexadecimal") << &Statements::MovieById << u"0x4D2"_s;
    QTest::newRow("other digits") << &Statements::MovieById << u"١٢٣٤"_s;
    QTest::newRow("beyond 64 bits") << &Statements::MovieById << u"99999999999999999999"_s;
}

// Refused before anything reaches the server, and the query holds no statement afterwards.
void TestCatalogueQueries::notANumber()
{
    QFETCH(const Statement *, statement);
    QFETCH(QString, value);

    QVERIFY_SQL(CatalogueQuery::open(*m_query, Statements::TitlesByClass, u"11"_s));
    const int before = TestDatabase::executedStatements();

    QVERIFY_THROWS_EXCEPTION(CatalogueError, m_query->setSQL(*statement, value));
    QVERIFY(!m_query->Active());
    QVERIFY_THROWS_EXCEPTION(CatalogueError, m_query->Open());
    QCOMPARE(TestDatabase::executedStatements(), before);
}

void TestCatalogueQueries::reassigningDiscardsOpenResult()
{
    QVERIFY_SQL(CatalogueQuery::open(*m_query, Statements::TitlesByClass, u"11"_s));
    m_query->setRecNo(3);

    m_query->setSQL(Statements::ClassNameById, u"13"_s);
    QVERIFY(!m_query->Active());
    QCOMPARE(m_query->RecordCount(), 0);
    QCOMPARE(m_query->RecNo(), 0);
    QCOMPARE(m_query->FindField(u"title"_s).AsString(), QString());

    QVERIFY_SQL(m_query->Open());
    QCOMPARE(m_query->RecNo(), 1);
    QCOMPARE(m_query->FindField(u"classname"_s).AsString(), u"童谣"_s);
}

void TestCatalogueQueries::openWhenOpenRunsNothing()
{
    QVERIFY_SQL(CatalogueQuery::open(*m_query, Statements::TitlesByClass, u"11"_s));
    m_query->setRecNo(2);
    const int before = TestDatabase::executedStatements();

    QVERIFY_SQL(m_query->Open());
    QCOMPARE(TestDatabase::executedStatements(), before);
    QCOMPARE(m_query->RecNo(), 2);
}

void TestCatalogueQueries::currentRow()
{
    QVERIFY_SQL(CatalogueQuery::open(*m_query, Statements::DetailByTitle, u"小星星"_s));
    QCOMPARE(m_query->RecordCount(), 3);
    QCOMPARE(m_query->RecNo(), 1);

    m_query->setRecNo(2);
    QCOMPARE(m_query->FindField(u"id"_s).AsString(), u"1202"_s);
    QCOMPARE(m_query->FindField(u"FlashUrl"_s).AsString(), u"/d/file/tingerge/yingwenerge/1202.swf"_s);
    m_query->setRecNo(0);
    m_query->setRecNo(4);
    QCOMPARE(m_query->RecNo(), 2);
    QVERIFY_THROWS_EXCEPTION(CatalogueError, m_query->FindField(u"title"_s));

    m_query->Close();
    QCOMPARE(m_query->RecordCount(), 0);
    QCOMPARE(m_query->FindField(u"id"_s).AsString(), QString());
}

void TestCatalogueQueries::closeAndDisconnectWhenNothingOpened()
{
    UniConnection connection(TestDatabase::settings());
    UniQuery query(connection);
    query.Close();
    query.Close();
    connection.Disconnect();
    QVERIFY(!connection.Connected());
    QVERIFY_THROWS_EXCEPTION(CatalogueError, query.Open());
}

// The first Open connects; the connection then stays for every later statement and Close.
void TestCatalogueQueries::connectsOnce()
{
    UniConnection connection(TestDatabase::settings());
    UniQuery query(connection);
    QVERIFY(!connection.Connected());
    const int connectionsBefore = TestDatabase::connectionsMade();

    QVERIFY_SQL(CatalogueQuery::open(query, Statements::ClassIdByName, u"中文儿歌"_s));
    QVERIFY(connection.Connected());
    query.Close();
    QVERIFY(connection.Connected());
    QVERIFY_SQL(CatalogueQuery::open(query, Statements::TitlesByClass, u"11"_s));
    QVERIFY_SQL(CatalogueQuery::open(query, Statements::MovieById, u"1234"_s));
    QCOMPARE(TestDatabase::connectionsMade(), connectionsBefore + 1);

    query.Close();
    connection.Disconnect();
    QVERIFY(!connection.Connected());
}

QTEST_GUILESS_MAIN(TestCatalogueQueries)
#include "tst_cataloguequeries.moc"
