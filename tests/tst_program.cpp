// Start-up through the splash screen, and the end of the program.
#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/program.h"
#include "platform/imagecontrol.h"
#include "platform/picture.h"
#include "testsupport.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

class tst_Program : public QObject
{
    Q_OBJECT
private slots:
    void splashScreen();
    void mainWindowWaitsForTheTick();
    void exitPictureEndsTheProgram_data();
    void exitPictureEndsTheProgram();
    void windowManagerCloseEndsTheProgram();
    void exitEndsTheEventLoop();

private:
    static int visibleTopLevels();
};

int tst_Program::visibleTopLevels()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            ++n;
    return n;
}

void tst_Program::splashScreen()
{
    RunningProgram run(false);
    frmSplash* s = run.program().splash();
    QVERIFY(s && s->isVisible());
    QCOMPARE(s->size(), QSize(495, 156));
    QVERIFY(!(s->windowFlags() & Qt::WindowTitleHint));
    // A splash-screen window (no taskbar entry, no decoration), titled for
    // window switchers like the main window.
    QCOMPARE(s->windowType(), Qt::SplashScreen);
    QVERIFY(s->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(s->windowTitle(), QStringLiteral("Fretquill"));
    QCOMPARE(run.form().windowTitle(), QStringLiteral("Fretquill"));
    QVERIFY(!(run.form().windowFlags() & Qt::WindowTitleHint));
    QCOMPARE(s->palette().color(QPalette::Window), QColor(Qt::white));
    QCOMPARE(s->imgLogo->geometry(), QRect(8, 8, 475, 142));
    // The logo whole at its own size; on a high-density screen its sharp drawing.
    QCOMPARE(s->imgLogo->picture().deviceIndependentSize(), QSizeF(475, 142));
    QVERIFY(samePixels(s->imgLogo->grab().toImage(),
                       imageOf(highDensityScreen() ? ":/artwork/logo@2x.jpg" : ":/artwork/logo.jpg")));
    QCOMPARE(s->splashTimer->interval(), 3000);
    // A coarse timer may fire up to 5 % early.
    QCOMPARE(s->splashTimer->timerType(), Qt::PreciseTimer);
    QVERIFY(s->splashTimer->isActive());
    QVERIFY(!run.form().isVisible());
    // A click on the splash screen changes nothing.
    QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(100, 100));
    QVERIFY(s->isVisible());
    QVERIFY(!run.form().isVisible());
}

void tst_Program::mainWindowWaitsForTheTick()
{
    QElapsedTimer clock;
    clock.start();
    RunningProgram run(false);
    QPointer<frmSplash> splash = run.program().splash();
    QTRY_VERIFY_WITH_TIMEOUT(run.form().isVisible(), 6000);
    // The clock started before the splash screen was loaded, so it can only
    // read more than the time since the load.
    QVERIFY2(clock.elapsed() >= 3000, qPrintable(QString::number(clock.elapsed())));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!splash); // destroyed, with its timer
    QCOMPARE(visibleTopLevels(), 1);
}

void tst_Program::exitPictureEndsTheProgram_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("click") << QStringLiteral("click");
    QTest::newRow("Ctrl+Q") << QStringLiteral("Ctrl+Q");
    QTest::newRow("a screen reader's press") << QStringLiteral("press");
}

void tst_Program::exitPictureEndsTheProgram()
{
    QFETCH(QString, way);
    RunningProgram run(true);
    QSignalSpy ended(&run.program(), &Program::ended);
    ImageControl* exit = run.form().imgExit;
    if (way == QLatin1String("click")) {
        QTest::mouseClick(exit, Qt::LeftButton);
    } else if (way == QLatin1String("Ctrl+Q")) {
        QVERIFY(exit->toolTip().contains(QStringLiteral("Ctrl+Q")));
        run.form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&run.form()));
        QTest::keyClick(&run.form(), Qt::Key_Q, Qt::ControlModifier);
    } else {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(exit);
        QCOMPARE(a->role(), QAccessible::Button);
        a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    QCOMPARE(ended.count(), 1);
    QVERIFY(!run.program().mainWindow());
    QVERIFY(!run.program().splash());
    QCOMPARE(visibleTopLevels(), 0);
}

void tst_Program::windowManagerCloseEndsTheProgram()
{
    RunningProgram run(true);
    QSignalSpy ended(&run.program(), &Program::ended);
    run.form().close();
    QCOMPARE(ended.count(), 1);
    QCOMPARE(visibleTopLevels(), 0);
}

void tst_Program::exitEndsTheEventLoop()
{
    RunningProgram run(true);
    QEventLoop loop;
    connect(&run.program(), &Program::ended, &loop, [&] { loop.exit(0); });
    QTimer::singleShot(0, run.program().mainWindow(), [&] { run.form().imgExit_Click(); });
    QTimer::singleShot(5000, &loop, [&] { loop.exit(1); });
    QCOMPARE(loop.exec(), 0);
}

QTEST_MAIN(tst_Program)
#include "tst_program.moc"
