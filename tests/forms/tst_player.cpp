// The player window on test doubles: layout, transport buttons, full screen
// and the program-wide shortcuts, driven through the window-system path.
#include "formfixture.h"

#include "app/error.h"

#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

class tst_Player : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layout();
    void showPlaysAndCloseStops();
    void transportButtons();
    void playPauseStateSurvivesReopen();
    void fullScreenToggleAndRestore();
    void enterAnywhereTogglesOncePerPress();
    void escapeLeavesFullScreen();
    void escapeBeforeFullScreenKeepsGeometry();
    void doubleClickOnMovieOnly();
    void failedControlLeavesLoadingPanel();

private:
    static QToolButton *button(const FormFixture &f, const char *name)
    {
        return f.showform->findChild<QToolButton *>(QLatin1String(name));
    }
    static FakeMovieControl *movie(const FormFixture &f) { return f.movies.created.last().data(); }
    static void showPlayer(FormFixture &f)
    {
        f.showform->replaceMovieControl();
        f.showform->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.showform));
    }
};

void tst_Player::layout()
{
    FormFixture f;
    QCOMPARE(f.showform->windowTitle(), u"showform"_s);
    QCOMPARE(f.showform->size(), QSize(846, 687));
    QCOMPARE(f.showform->findChild<QLabel *>(u"sLabel1"_s)->text(), u"按一下回车键可以切换全屏"_s);
    QCOMPARE(f.showform->findChild<QLabel *>(u"sPanel2"_s)->text(), u"动画正在载入中,请稍候......."_s);
    const std::pair<const char *, int> lefts[] = {
        {"sSpeedButton1", 56}, {"sSpeedButton2", 97}, {"sSpeedButton3", 138}, {"sSpeedButton6", 178},
        {"sSpeedButton4", 219}, {"sSpeedButton5", 260}, {"sSpeedButton7", 301}, {"sSpeedButton8", 373},
    };
    for (const auto &[name, left] : lefts)
        QCOMPARE(button(f, name)->geometry(), QRect(left, 6, 35, 35));
    QCOMPARE(button(f, "sSpeedButton3")->property("imageIndex").toInt(), 6);

    showPlayer(f);
    QCOMPARE(f.showform->findChild<QWidget *>(u"sPanel7"_s)->height(), 47);
    QCOMPARE(movie(f)->widget()->size(), QSize(846, 640));
    QCOMPARE(f.showform->findChild<QWidget *>(u"sPanel1"_s)->geometry().right(), 845);
}

void tst_Player::showPlaysAndCloseStops()
{
    FormFixture f;
    QVERIFY(!f.showform->windowed());
    showPlayer(f);
    QCOMPARE(movie(f)->calls, QStringList{u"Play"_s});
    QVERIFY(f.showform->windowed());
    button(f, "sSpeedButton8")->click();
    QVERIFY(!f.showform->isVisible());
    QCOMPARE(movie(f)->calls, (QStringList{u"Play"_s, u"Stop"_s}));
    QVERIFY(!f.movies.created.last().isNull());
}

void tst_Player::transportButtons()
{
    FormFixture f;
    showPlayer(f);
    movie(f)->calls.clear();
    button(f, "sSpeedButton2")->click();
    button(f, "sSpeedButton4")->click();
    button(f, "sSpeedButton3")->click();
    QCOMPARE(button(f, "sSpeedButton3")->property("imageIndex").toInt(), 2);
    button(f, "sSpeedButton3")->click();
    QCOMPARE(button(f, "sSpeedButton3")->property("imageIndex").toInt(), 6);
    button(f, "sSpeedButton6")->click();
    QCOMPARE(button(f, "sSpeedButton3")->property("imageIndex").toInt(), 2);
    QCOMPARE(movie(f)->calls, (QStringList{u"Back"_s, u"Forward"_s, u"StopPlay"_s, u"Play"_s, u"Rewind"_s, u"Stop"_s}));
}

void tst_Player::playPauseStateSurvivesReopen()
{
    // The picture is the only record of the state: a new movie plays while
    // the button still shows "play", and its first click plays.
    FormFixture f;
    showPlayer(f);
    button(f, "sSpeedButton3")->click();
    f.showform->close();
    showPlayer(f);
    QCOMPARE(movie(f)->calls, QStringList{u"Play"_s});
    QCOMPARE(button(f, "sSpeedButton3")->property("imageIndex").toInt(), 2);
    button(f, "sSpeedButton3")->click();
    QCOMPARE(movie(f)->calls, (QStringList{u"Play"_s, u"Play"_s}));
    QCOMPARE(button(f, "sSpeedButton3")->property("imageIndex").toInt(), 6);
}

void tst_Player::fullScreenToggleAndRestore()
{
    FormFixture f;
    showPlayer(f);
    f.showform->move(40, 30);
    QTRY_COMPARE(f.showform->frameGeometry().topLeft(), QPoint(40, 30));
    const QRect before = f.showform->frameGeometry();

    button(f, "sSpeedButton7")->click();
    QVERIFY(!f.showform->windowed());
    QVERIFY(f.showform->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(f.showform->findChild<QWidget *>(u"sPanel7"_s)->isHidden());
    QTRY_COMPARE(f.showform->geometry(), QGuiApplication::primaryScreen()->geometry());
    QVERIFY(f.showform->isVisible());

    button(f, "sSpeedButton7")->click();
    QVERIFY(f.showform->windowed());
    QVERIFY(!f.showform->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(!f.showform->findChild<QWidget *>(u"sPanel7"_s)->isHidden());
    QTRY_COMPARE(f.showform->frameGeometry(), before);
}

void tst_Player::enterAnywhereTogglesOncePerPress()
{
    FormFixture f;
    f.mainform->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.mainform.get()));
    auto *search = f.mainform->findChild<QLineEdit *>(u"sEdit1"_s);
    search->setFocus();
    QTRY_VERIFY(search->hasFocus());

    // Hidden and never shown: the first Enter leaves "full screen" without moving anything.
    const QRect before = f.showform->geometry();
    QTest::keyClick(f.mainform->windowHandle(), Qt::Key_Return);
    QVERIFY(f.showform->windowed());
    QVERIFY(!f.showform->isVisible());
    QCOMPARE(f.showform->geometry(), before);
    QTest::keyClick(f.mainform->windowHandle(), Qt::Key_Enter);
    QVERIFY(!f.showform->windowed());
    QTest::keyClick(f.mainform->windowHandle(), Qt::Key_Return);
    QVERIFY(f.showform->windowed());
    // Alt+Enter is a system key and passes untouched.
    QTest::keyClick(f.mainform->windowHandle(), Qt::Key_Return, Qt::AltModifier);
    QVERIFY(f.showform->windowed());
}

void tst_Player::escapeLeavesFullScreen()
{
    FormFixture f;
    showPlayer(f);
    f.mainform->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.mainform.get()));
    f.showform->move(60, 20);
    QTRY_COMPARE(f.showform->frameGeometry().topLeft(), QPoint(60, 20));
    const QRect before = f.showform->frameGeometry();
    button(f, "sSpeedButton7")->click();
    QVERIFY(!f.showform->windowed());

    QTest::keyClick(f.mainform->windowHandle(), Qt::Key_Escape);
    QVERIFY(f.showform->windowed());
    QVERIFY(!f.showform->windowFlags().testFlag(Qt::FramelessWindowHint));
    QTRY_COMPARE(f.showform->frameGeometry(), before);
    QVERIFY(f.showform->isVisible());
}

void tst_Player::escapeBeforeFullScreenKeepsGeometry()
{
    FormFixture f;
    showPlayer(f);
    const QRect before = f.showform->frameGeometry();
    QTest::keyClick(f.showform->windowHandle(), Qt::Key_Escape);
    QCOMPARE(f.showform->frameGeometry(), before);
    QVERIFY(f.showform->isVisible());
    QVERIFY(f.showform->windowed());
}

void tst_Player::doubleClickOnMovieOnly()
{
    FormFixture f;
    showPlayer(f);
    const auto dblClick = [&](QWidget *target) {
        const QPoint inWindow = target->mapTo(f.showform, target->rect().center());
        QTest::mouseDClick(f.showform->windowHandle(), Qt::LeftButton, {}, inWindow);
    };

    dblClick(movie(f)->widget());
    QVERIFY(!f.showform->windowed());
    dblClick(movie(f)->widget());
    QVERIFY(f.showform->windowed());

    dblClick(f.showform->findChild<QWidget *>(u"sPanel7"_s));
    QVERIFY(f.showform->windowed());
    dblClick(f.showform->findChild<QLabel *>(u"sLabel1"_s));
    QVERIFY(f.showform->windowed());

    // A replaced control is the new double-click target.
    f.showform->replaceMovieControl();
    QTRY_VERIFY(movie(f)->widget()->isVisible());
    dblClick(movie(f)->widget());
    QVERIFY(!f.showform->windowed());
}

void tst_Player::failedControlLeavesLoadingPanel()
{
    FormFixture f;
    showPlayer(f);
    f.movies.failCreate = true;
    QVERIFY_THROWS_EXCEPTION(Error, f.showform->replaceMovieControl());
    QVERIFY(f.movies.created.first().isNull());
    QVERIFY(f.showform->findChild<QLabel *>(u"sPanel2"_s)->isVisible());
    // Buttons do nothing without a control, and raise nothing.
    button(f, "sSpeedButton3")->click();
    button(f, "sSpeedButton6")->click();
    QVERIFY(f.errors.isEmpty());
}

QTEST_MAIN(tst_Player)
#include "tst_player.moc"
