// The one handler that shows errors raised by event handlers.
#include "app/application.h"
#include "app/error.h"
#include "app/errorhandler.h"

#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_ErrorHandler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void fullStop_data();
    void fullStop();
    void reportsWhatHandlersRaise_data();
    void reportsWhatHandlersRaise();
    void eventHandlerErrorsDoNotCrossTheLoop();
    void eventsAreDeliveredInsideTheHandler();

private:
    QStringList m_shown;
    QStringList m_titles;
};

void tst_ErrorHandler::init()
{
    m_shown.clear();
    m_titles.clear();
    ErrorHandler::setPresenter([this](const QString &title, const QString &text) {
        m_titles.append(title);
        m_shown.append(text);
    });
}

void tst_ErrorHandler::cleanup()
{
    ErrorHandler::setPresenter({});
}

void tst_ErrorHandler::fullStop_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");

    QTest::newRow("letter gets a stop") << u"Can't connect"_s << u"Can't connect."_s;
    QTest::newRow("digit gets a stop") << u"error 2002"_s << u"error 2002."_s;
    QTest::newRow("stop stays single") << u"Done."_s << u"Done."_s;
    QTest::newRow("comma is below the stop") << u"list,"_s << u"list,"_s;
    QTest::newRow("closing parenthesis is below") << u"(2013)"_s << u"(2013)"_s;
    QTest::newRow("slash is above") << u"path/"_s << u"path/."_s;
    QTest::newRow("Chinese full stop is above") << u"无法连接。"_s << u"无法连接。."_s;
    QTest::newRow("empty stays empty") << QString() << QString();
}

void tst_ErrorHandler::fullStop()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorHandler::messageText(message), shown);
}

void tst_ErrorHandler::reportsWhatHandlersRaise_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("program error") << 0 << QStringList{u"Cannot create file \"x\". Permission denied."_s};
    QTest::newRow("silent abort shows nothing") << 1 << QStringList{};
    QTest::newRow("standard exception") << 2 << QStringList{u"bad thing."_s};
}

void tst_ErrorHandler::reportsWhatHandlersRaise()
{
    QFETCH(int, kind);
    QFETCH(QStringList, shown);

    bool after = false;
    const bool ran = ErrorHandler::run([&] {
        if (kind == 0)
            throw Error(u"Cannot create file \"x\". Permission denied"_s);
        if (kind == 1)
            throw SilentAbort();
        throw std::runtime_error("bad thing");
        after = true;
    });
    QVERIFY(!ran);
    QVERIFY(!after);
    QCOMPARE(m_shown, shown);
    if (!shown.isEmpty())
        QCOMPARE(m_titles.first(), u"Zirrabee儿歌大全"_s);
}

void tst_ErrorHandler::eventHandlerErrorsDoNotCrossTheLoop()
{
    // A handler connected through run() reports and the program goes on.
    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ErrorHandler::run([&] {
            ++clicks;
            throw Error(u"数据库无法连接"_s);
        });
    });
    button.click();
    button.click();
    QCOMPARE(clicks, 2);
    QCOMPARE(m_shown, (QStringList{u"数据库无法连接."_s, u"数据库无法连接."_s}));
}

namespace {

class Throwing : public QWidget
{
protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw Error(u"出错了"_s);
        return QWidget::event(e);
    }
};

} // namespace

void tst_ErrorHandler::eventsAreDeliveredInsideTheHandler()
{
    // An event override that raises is caught where the application delivers it.
    Throwing widget;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&widget, &event);
    QCOMPARE(m_shown, QStringList{u"出错了."_s});
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    tst_ErrorHandler test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_errorhandler.moc"
