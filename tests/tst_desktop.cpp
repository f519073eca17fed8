// The real program on a real X display (Xvfb), used as a person would with
// the mouse and keyboard: the splash screen for three seconds, then the main
// window; a category box opens its panel; the window follows a drag of its
// background; the exit picture ends the process with status 0. What the
// screen shows is read back from the display itself, so a picture that was
// changed but never repainted shows up as the old one.
#include "lessons/globalprocedures.h"
#include "platform/twips.h"
#include "selection/fretboard.h"
#include "testsupport.h"
#include "xdisplay.h"

#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QPainter>
#include <QProcess>

#include <X11/keysym.h>

#include <memory>

namespace {

const QSize kSplashSize(495, 156);
const QSize kMainSize(681, 545);

// A copy of the program from the build's program directory, shown on the
// display, with a runtime directory (and so a single-instance lock) of its own.
class ProgramOnScreen
{
public:
    explicit ProgramOnScreen(const VirtualDisplay& screen)
    {
        QFile::setPermissions(runtime_.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        process_.setProcessEnvironment(screen.environment(runtime_.path()));
        process_.setWorkingDirectory(runtime_.path());
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(QStringLiteral(FRETQUILL_EXECUTABLE), {});
    }
    ~ProgramOnScreen()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    QProcess& process() { return process_; }
    QString output() { return QString::fromLocal8Bit(process_.readAll()); }

private:
    QTemporaryDir runtime_;
    QProcess process_;
};

QColor pixel(const VirtualDisplay& screen, const ScreenWindow& w, QPoint at)
{
    return QColor(screen.grab(w, QRect(at, QSize(1, 1))).pixel(0, 0));
}

// Places in the main window's client area, in pixels.
QRect cellRect(int cell)
{
    const int row = cell / Fretboard::kColumns, column = cell % Fretboard::kColumns;
    return twipsRect(Fretboard::columnLeft(column), Fretboard::rowTop(row),
                     Fretboard::columnWidth(column), Fretboard::rowHeight(row));
}

QRect labelRect(int label)
{
    return twipsRect(Fretboard::kLabelLeft, Fretboard::labelTop(label), Fretboard::kLabelWidth,
                     Fretboard::kLabelHeight);
}

// The cells and labels, below the quality captions that overlap the top
// of row 0 while a chord or an arpeggio is named.
const QRect kBoardArea = QRect(QPoint(16, 81), QPoint(232, 488));

// The centre of a panel's selector, counted from its key selector: every
// panel puts that at 6000, 3360 twips in the window and the next ones 480
// twips apart below it.
QPoint selectorCentre(int step)
{
    return twipsRect(6000, 3360 + 480 * step, 3735, 420).center();
}

} // namespace

class tst_Desktop : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void asAPersonUsesIt();
    void theScreenShowsEachLesson_data();
    void theScreenShowsEachLesson();

private:
    ScreenWindow waitForMainWindow(ProgramOnScreen& program);
    bool pick(const ScreenWindow& main, QPoint selector, int item);
    const QImage& picture(const QString& file);
    QImage expectedBoard(const LessonTable& table, int entry, bool withLabel);
    QStringList differences(const QImage& expected, const QImage& shown) const;
    QStringList differencesOnScreen(const ScreenWindow& main, const QImage& expected) const;

    VirtualDisplay screen_;
    std::unique_ptr<globalProcedures> lessons_;
    std::unique_ptr<ProgramOnScreen> lessonProgram_;
    ScreenWindow lessonWindow_;
    QHash<QString, QImage> pictures_;
};

void tst_Desktop::initTestCase()
{
    const QString missing = screen_.start();
    if (missing == QLatin1String("Xvfb is not installed"))
        QSKIP("Xvfb is not installed");
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
}

void tst_Desktop::cleanupTestCase()
{
    lessonProgram_.reset();
}

ScreenWindow tst_Desktop::waitForMainWindow(ProgramOnScreen& program)
{
    if (!program.process().waitForStarted())
        return {};
    return screen_.waitFor(kMainSize, 20000);
}

void tst_Desktop::asAPersonUsesIt()
{
    ProgramOnScreen program(screen_);
    QVERIFY(program.process().waitForStarted());

    // The splash screen, and no main window for three seconds.
    const ScreenWindow splash = screen_.waitFor(kSplashSize, 20000);
    QVERIFY2(splash, qPrintable(program.output()));
    QCOMPARE(splash.pid, program.process().processId());
    QElapsedTimer clock;
    clock.start();
    ScreenWindow main = screen_.waitFor(kMainSize, 10000);
    QVERIFY(main);
    QVERIFY2(clock.elapsed() >= 2800, qPrintable(QString::number(clock.elapsed())));
    settle(300);
    QVERIFY(!screen_.find(kSplashSize)); // the splash screen is gone
    main = screen_.find(kMainSize);

    // The arpeggio box opens its panel: its first bullet shows.
    const QPoint bullet(379, 236);
    QVERIFY(pixel(screen_, main, bullet) != QColor(30, 80, 170));
    screen_.click(main.geometry.topLeft() + QPoint(384, 124));
    settle(400);
    QCOMPARE(pixel(screen_, main, bullet), QColor(30, 80, 170));

    // A drag of the background with the right button moves the window by
    // the pointer's displacement.
    const QPoint before = main.geometry.topLeft();
    const QPoint grab = before + QPoint(450, 470);
    screen_.moveTo(grab);
    screen_.button(3, true);
    for (int step = 1; step <= 4; ++step) {
        screen_.moveTo(grab + QPoint(10 * step, 7 * step));
        settle(50);
    }
    screen_.button(3, false);
    settle(300);
    main = screen_.find(kMainSize);
    QCOMPARE(main.geometry.topLeft(), before + QPoint(40, 28));

    // The exit picture ends the program, with status 0.
    screen_.click(main.geometry.topLeft() + QPoint(600, 516));
    QVERIFY(program.process().waitForFinished(10000));
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.process().exitCode(), 0);
    QVERIFY(!screen_.find(kMainSize));
}

// Opens a selector's list with a click and picks the item at a list
// position inside the opened list, from its top: Home, Down as often as
// needed, Return. The list's own keys, so the pick does not depend on how
// tall the style draws an item or how far the list scrolls.
bool tst_Desktop::pick(const ScreenWindow& main, QPoint selector, int item)
{
    const auto listOpen = [&] {
        for (const ScreenWindow& w : screen_.windows())
            if (w.pid == main.pid && w.id != main.id)
                return true;
        return false;
    };
    screen_.click(main.geometry.topLeft() + selector);
    QElapsedTimer clock;
    for (clock.start(); !listOpen(); settle(20))
        if (clock.elapsed() > 5000)
            return false;
    settle(100);
    screen_.key(XK_Home);
    for (int i = 0; i < item; ++i)
        screen_.key(XK_Down);
    screen_.key(XK_Return);
    for (clock.restart(); listOpen(); settle(20))
        if (clock.elapsed() > 5000)
            return false;
    settle(100);
    return true;
}

const QImage& tst_Desktop::picture(const QString& file)
{
    auto it = pictures_.find(file);
    if (it == pictures_.end())
        it = pictures_.insert(file, imageOf(QDir(QStringLiteral(FRETQUILL_PROGRAM_DIR)).filePath(file)));
    return *it;
}

// The board as it must look: each cell's picture in the cells' stacking
// order (a later cell covers the pixel it shares with an earlier one), an
// empty cell showing the window's white, then the entry's fret label.
QImage tst_Desktop::expectedBoard(const LessonTable& table, int entry, bool withLabel)
{
    QImage board(kBoardArea.size(), QImage::Format_RGB32);
    board.fill(Qt::white);
    QPainter painter(&board);
    painter.translate(-kBoardArea.topLeft());
    for (int cell = 0; cell < Fretboard::kCells; ++cell) {
        const int p = table(entry, cell);
        if (p < globalProcedures::kDotSlots - 1)
            painter.drawImage(cellRect(cell).topLeft(), picture(QStringLiteral("%1.gif").arg(p)));
    }
    const int fret = table(entry, kMarkerFretPosition);
    if (withLabel && fret > 0)
        painter.drawImage(labelRect(table(entry, kMarkerSlotPosition)).topLeft(),
                          picture(QStringLiteral("fret%1.gif").arg(fret)));
    return board;
}

// The cells and labels whose pixels on screen are not the expected ones.
QStringList tst_Desktop::differences(const QImage& expected, const QImage& shown) const
{
    QStringList wrong;
    auto check = [&](const QRect& place, const QString& name) {
        const QRect area = place.intersected(kBoardArea).translated(-kBoardArea.topLeft());
        if (expected.copy(area) != shown.copy(area))
            wrong << name;
    };
    for (int cell = 0; cell < Fretboard::kCells; ++cell)
        check(cellRect(cell), QStringLiteral("img(%1)").arg(cell));
    for (int label = 0; label < Fretboard::kLabels; ++label)
        check(labelRect(label), QStringLiteral("imgFret(%1)").arg(label));
    return wrong;
}

// The differences left once the window has had time to repaint: a cell that
// was never asked to repaint keeps its old pixels however long one waits.
QStringList tst_Desktop::differencesOnScreen(const ScreenWindow& main, const QImage& expected) const
{
    QElapsedTimer clock;
    clock.start();
    QStringList wrong = differences(expected, screen_.grab(main, kBoardArea));
    for (; !wrong.isEmpty() && clock.elapsed() < 2000; settle(50))
        wrong = differences(expected, screen_.grab(main, kBoardArea));
    return wrong;
}

void tst_Desktop::theScreenShowsEachLesson_data()
{
    // The category box (in the window), the list positions picked in the
    // panel's selectors from its key selector down, and the table shown.
    // Together the three lessons change all but two cells of the blank
    // board, two of them have a fret label and the scale is at the nut.
    QTest::addColumn<QPoint>("box");
    QTest::addColumn<QList<int>>("picks");
    QTest::addColumn<QString>("table");
    QTest::newRow("arpeggio: C Minor 7, Third Inversion")
        << QPoint(384, 124) << QList<int>{4, 2, 4}
        << QStringLiteral("arpeggios");
    QTest::newRow("chord: A Minor 7, First Inversion")
        << QPoint(384, 28) << QList<int>{1, 2, 2} << QStringLiteral("chords");
    QTest::newRow("scale: G, Second Position")
        << QPoint(384, 76) << QList<int>{11, 2} << QStringLiteral("scales");
}

void tst_Desktop::theScreenShowsEachLesson()
{
    QFETCH(QPoint, box);
    QFETCH(QList<int>, picks);
    QFETCH(QString, table);

    // One program for all rows, so that each lesson replaces the last one.
    if (!lessons_) {
        lessons_ = std::make_unique<globalProcedures>(QStringLiteral(FRETQUILL_PROGRAM_DIR));
        lessons_->loadArpeggios();
        lessons_->loadScales();
        lessons_->loadChords();
    }
    if (!lessonProgram_) {
        lessonProgram_ = std::make_unique<ProgramOnScreen>(screen_);
        lessonWindow_ = waitForMainWindow(*lessonProgram_);
    }
    QVERIFY2(lessonWindow_, qPrintable(lessonProgram_->output()));
    const ScreenWindow& main = lessonWindow_;
    const QImage blank = expectedBoard(lessons_->arpeggioTable, globalProcedures::kBlankEntry, false);

    // The category box blanks the board, over whatever the last row showed.
    screen_.click(main.geometry.topLeft() + box);
    QStringList wrong = differencesOnScreen(main, blank);
    QVERIFY2(wrong.isEmpty(), qPrintable("after the category box: " + wrong.join(", ")));

    // Key, quality and inversion (or key and position), each picked in its
    // opened list.
    for (int step = 0; step < picks.size(); ++step)
        QVERIFY2(pick(main, selectorCentre(step), picks[step]),
                 qPrintable(QStringLiteral("the list of selector %1 did not open and close").arg(step + 1)));
    const int key = picks[0];
    int entry = 0;
    const LessonTable* shown = nullptr;
    if (table == QLatin1String("scales")) {
        entry = (key - 1) * 5 + (picks[1] - 1);
        shown = &lessons_->scaleTable;
    } else {
        entry = (key - 1) * 20 + (picks[1] - 1) * 4 + (picks[2] - 1);
        shown = table == QLatin1String("chords") ? &lessons_->chordTable : &lessons_->arpeggioTable;
    }
    const QImage lesson = expectedBoard(*shown, entry, true);
    QVERIFY2(differences(blank, lesson).size() >= 9, "the lesson hardly differs from the blank board");
    wrong = differencesOnScreen(main, lesson);
    QVERIFY2(wrong.isEmpty(),
             qPrintable(QStringLiteral("%1 entry %2: ").arg(table).arg(entry) + wrong.join(", ")));
}

QTEST_GUILESS_MAIN(tst_Desktop)
#include "tst_desktop.moc"
