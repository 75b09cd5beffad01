// The address rules of the windows: detail pages, play links and movie addresses.
#include "forms/main/playlink.h"
#include "forms/main/sitepages.h"
#include "forms/player/movieaddress.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_SiteLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void detailPage_data();
    void detailPage();
    void everyTreeCategoryHasAFolder();
    void playLink_data();
    void playLink();
    void movieAddress_data();
    void movieAddress();
};

namespace {
const QString root = QStringLiteral("http://site.test/");
}

void tst_SiteLogic::detailPage_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("expected");

    QTest::newRow("cartoon gets .htm") << u"动画片"_s << "1234" << root + "donghuapian/1234.htm";
    QTest::newRow("nursery rhyme") << u"童谣"_s << "567" << root + "tingerge/tongyao/567.html";
    QTest::newRow("last tree category") << u"语文游戏"_s << "99" << root + "wanyouxi/yuwenyouxi/99.html";
    QTest::newRow("talent show") << u"运动"_s << "5001" << root + "caiyizhanshi/yundong/5001.html";
    QTest::newRow("painting has the menu's folder") << u"绘画"_s << "5002" << root + "caiyizhanshi/huihua/5002.html";
    QTest::newRow("unknown class opens nothing") << u"亲子课堂"_s << "1234" << QString();
    QTest::newRow("empty class opens nothing") << QString() << "1234" << QString();
    QTest::newRow("match is exact: trailing blank") << u"童谣 "_s << "567" << QString();
}

void tst_SiteLogic::detailPage()
{
    QFETCH(QString, className);
    QFETCH(QString, id);
    QFETCH(QString, expected);
    QCOMPARE(SitePages::detailPage(root, className, id), expected);
}

void tst_SiteLogic::everyTreeCategoryHasAFolder()
{
    const QStringList categories = {
        u"中文儿歌"_s, u"英文儿歌"_s, u"童谣"_s, u"外文儿歌"_s, u"经典小故事"_s, u"童话故事"_s,
        u"寓言故事"_s, u"成语故事"_s, u"神话传说"_s, u"木偶奇遇记"_s, u"三国演义"_s, u"唐诗宋词"_s,
        u"快乐拼音"_s, u"幼儿启蒙"_s, u"英语教育"_s, u"百科常识"_s, u"幼儿英语"_s, u"儿童英语"_s,
        u"少儿英语"_s, u"学汉字"_s, u"快乐绘本"_s, u"益智游戏"_s, u"拼图填色"_s, u"数学游戏"_s,
        u"语文游戏"_s,
    };
    for (const QString &category : categories) {
        const QString folder = SitePages::classFolder(category);
        QVERIFY2(folder.endsWith(QLatin1Char('/')) && folder.count(QLatin1Char('/')) == 2, qPrintable(category));
    }
}

void tst_SiteLogic::playLink_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("isPlayLink");
    QTest::addColumn<QString>("id");

    QTest::newRow("4 digits") << root + "donghuapian/1234_play.html" << true << "1234";
    QTest::newRow("5 digits") << root + "x/12345_play.html" << true << "12345";
    QTest::newRow("6 digits, the whole number") << root + "x/123456_play.html" << true << "123456";
    QTest::newRow("9 digits") << root + "x/123456789_play.html" << true << "123456789";
    QTest::newRow("3 digits after a folder") << root + "jianggushi/yuyangushi/123_play.html" << true << "123";
    QTest::newRow("digits glued to letters") << root + "x/abc77_play.html" << true << "77";
    QTest::newRow("no digits") << root + "x/abc_play.html" << true << QString();
    QTest::newRow("bare suffix") << "_play.html" << true << QString();
    QTest::newRow("twice: first one counts") << root + "x/11_play.html/22_play.html" << true << "11";
    QTest::newRow("query after it") << root + "x/1234_play.html?from=home" << false << "1234";
    QTest::newRow("fragment after it") << root + "x/1234_play.html#top" << false << "1234";
    QTest::newRow("capitals") << root + "x/1234_PLAY.HTML" << false << QString();
    QTest::newRow("30-digit run is no item number") << root + "x/" + QString(30, QLatin1Char('9')) + "_play.html" << true << QString();
    QTest::newRow("18 digits still fit") << root + "x/" + QString(18, QLatin1Char('9')) + "_play.html" << true << QString(18, QLatin1Char('9'));
    QTest::newRow("fullwidth digits are not digits") << root + u"x/１２３_play.html"_s << true << QString();
    QTest::newRow("percent-encoded before suffix") << root + "x/%31%32_play.html" << true << "32";
    QTest::newRow("shorter than the suffix") << "play.html" << false << QString();
}

void tst_SiteLogic::playLink()
{
    QFETCH(QString, url);
    QFETCH(bool, isPlayLink);
    QFETCH(QString, id);
    QCOMPARE(PlayLink::isPlayLink(url), isPlayLink);
    QCOMPARE(PlayLink::itemId(url), id);
}

void tst_SiteLogic::movieAddress_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");

    QTest::newRow("relative") << "d/file/1.swf" << root + "d/file/1.swf";
    QTest::newRow("leading slash: plain concatenation") << "/d/1.swf" << root + "/d/1.swf";
    QTest::newRow("http") << "http://cdn.test/1.swf" << "http://cdn.test/1.swf";
    QTest::newRow("https") << "https://cdn.test/1.swf" << "https://cdn.test/1.swf";
    QTest::newRow("HTTP in capitals gets the prefix") << "HTTP://cdn.test/1.swf" << root + "HTTP://cdn.test/1.swf";
    QTest::newRow("shorter than four") << "htt" << root + "htt";
    QTest::newRow("empty stays empty") << QString() << QString();
}

void tst_SiteLogic::movieAddress()
{
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    QCOMPARE(MovieAddress::absolute(root, stored), expected);
}

QTEST_GUILESS_MAIN(tst_SiteLogic)
#include "tst_sitelogic.moc"
