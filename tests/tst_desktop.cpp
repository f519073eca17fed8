// The real program on a real X display (Xvfb), used as a person would with
// the mouse and keyboard: the splash screen for three seconds, then the main
// window; a category box opens its panel; the window follows a drag of its
// background; the exit picture ends the process with status 0. What the
// screen shows is read back from the display itself, so a picture that was
// changed but never repainted shows up as the old one.
#include "lessons/globalprocedures.h"
#include "platform/twips.h"
#include "selection/diagramnotes.h"
#include "selection/fretboard.h"
#include "soundserver.h"
#include "testsupport.h"
#include "xdisplay.h"

#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtEndian>

#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <numeric>

#include <signal.h>
#include <unistd.h>

namespace {

const QSize kSplashSize(495, 156);
const QSize kMainSize(681, 545);

// A copy of the program from the build's program directory, shown on the
// display, with a runtime directory (and so a single-instance lock) of its own.
class ProgramOnScreen
{
public:
    // `more` adds to the environment (a session bus, say).
    explicit ProgramOnScreen(const VirtualDisplay& screen, const QProcessEnvironment& more = {},
                             const QStringList& arguments = {})
    {
        QFile::setPermissions(runtime_.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = screen.environment(runtime_.path());
        for (const QString& name : more.keys())
            env.insert(name, more.value(name));
        process_.setProcessEnvironment(env);
        process_.setWorkingDirectory(runtime_.path());
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(QStringLiteral(FRETQUILL_EXECUTABLE), arguments);
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
const QRect kBoardArea = QRect(QPoint(16, 81), QPoint(240, 488)); // symmetric

// The centre of a panel's selector, counted from its key selector: every
// panel puts that at 6000, 3360 twips in the window and the next ones 480
// twips apart below it.
QPoint selectorCentre(int step)
{
    return twipsRect(6000, 3360 + 480 * step, 3735, 420).center();
}

// A desktop session on the display: a window manager (openbox, for focus
// and window properties) and a session bus with the accessibility bus that
// screen readers listen on. Each helper runs in a process group of its own,
// so that stopping it stops what it started.
class DesktopSession
{
public:
    ~DesktopSession()
    {
        for (QProcess* p : {&reader_, &a11y_, &wm_, &bus_})
            if (p->state() != QProcess::NotRunning) {
                ::kill(-static_cast<pid_t>(p->processId()), SIGTERM);
                p->waitForFinished(3000);
            }
    }

    QString start(const VirtualDisplay& screen)
    {
        for (const char* tool : {"openbox", "dbus-daemon", "xprop", "xdotool"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                return QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
        if (!QFile::exists(QLatin1String(kBusLauncher)))
            return QStringLiteral("at-spi2-core is not installed");
        env_.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env_.insert(QStringLiteral("DISPLAY"), screen.name());
        launch(bus_, QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        if (!bus_.waitForReadyRead(10000))
            return QStringLiteral("no session bus");
        bus_address_ = QString::fromLocal8Bit(bus_.readLine().trimmed());
        env_.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_address_);
        launch(wm_, QStringLiteral("openbox"), {});
        launch(a11y_, QLatin1String(kBusLauncher), {"--launch-immediately"});
        settle(500);
        return {};
    }

    // What a program of the session needs besides the display: the bus.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env;
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_address_);
        return env;
    }

    // `atspi_reader.py`, reading the program's windows as a screen reader.
    QString startReader()
    {
        launch(reader_, QStringLiteral("/usr/bin/python3"),
               {QStringLiteral(FRETQUILL_SOURCE_DIR "/tests/atspi_reader.py"), "Fretquill"});
        // A whole line: the word may come before its line break.
        QElapsedTimer clock;
        for (clock.start(); !reader_.canReadLine(); reader_.waitForReadyRead(1000))
            if (clock.elapsed() > 30000 || reader_.state() == QProcess::NotRunning)
                return QStringLiteral("the screen reader's view did not start");
        const QString first = QString::fromLocal8Bit(reader_.readLine().trimmed());
        return first == QLatin1String("ready") ? QString() : first;
    }

    // One command to the reader; its answer, a line each.
    QStringList ask(const QString& command)
    {
        reader_.write(command.toLocal8Bit() + '\n');
        QStringList lines;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 20000) {
            if (!reader_.canReadLine() && !reader_.waitForReadyRead(1000))
                continue;
            while (reader_.canReadLine()) {
                const QString line = QString::fromUtf8(reader_.readLine()).chopped(1);
                if (line == QLatin1String("end"))
                    return lines;
                lines << line;
            }
        }
        lines << QStringLiteral("(no answer to %1)").arg(command);
        return lines;
    }

    // A command's standard output, run in the session.
    QString run(const QString& program, const QStringList& arguments) const
    {
        QProcess p;
        p.setProcessEnvironment(env_);
        p.start(program, arguments);
        p.waitForFinished(10000);
        return QString::fromLocal8Bit(p.readAllStandardOutput());
    }

    // A property of a window as xprop prints it ("" when it has none).
    QString property(unsigned long window, const char* name) const
    {
        const QString out = run(QStringLiteral("xprop"),
                                {"-id", QString::number(window), QLatin1String(name)});
        const qsizetype equals = out.indexOf(QLatin1Char('='));
        return equals < 0 ? QString() : out.mid(equals + 1).trimmed();
    }

    // The windows the window manager manages, with their process ids.
    QList<std::pair<unsigned long, qint64>> clients() const
    {
        QList<std::pair<unsigned long, qint64>> list;
        const QString out = run(QStringLiteral("xprop"), {"-root", "_NET_CLIENT_LIST"});
        const qsizetype hash = out.indexOf(QLatin1Char('#'));
        if (hash < 0)
            return list;
        for (const QString& id : out.mid(hash + 1).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const unsigned long w = id.trimmed().toULong(nullptr, 16);
            list.append({w, property(w, "_NET_WM_PID").toLongLong()});
        }
        return list;
    }

private:
    static constexpr const char* kBusLauncher = "/usr/libexec/at-spi-bus-launcher";

    void launch(QProcess& p, const QString& program, const QStringList& arguments)
    {
        p.setProcessEnvironment(env_);
        p.setChildProcessModifier([] { ::setsid(); });
        p.start(program, arguments);
        p.waitForStarted();
    }

    QProcessEnvironment env_ = QProcessEnvironment::systemEnvironment();
    QString bus_address_;
    QProcess bus_, wm_, a11y_, reader_;
};

// What the null sink played: mono samples at its rate.
using Sound = std::vector<float>;
constexpr qsizetype kMs = PrivateSoundServer::kRate / 1000;

// Where notes begin: a 10 ms frame, in steps of 5 ms, with eight times the
// energy of the quietest of the 40 ms before it (ringing notes never rise
// that fast), 50 ms or more after the last onset.
QList<qsizetype> onsets(const Sound& s)
{
    std::vector<double> e;
    for (qsizetype at = 0; at + 10 * kMs <= qsizetype(s.size()); at += 5 * kMs)
        e.push_back(std::inner_product(&s[at], &s[at + 10 * kMs], &s[at], 0.0));
    const double loudest = e.empty() ? 0 : *std::max_element(e.begin(), e.end());
    QList<qsizetype> found;
    for (size_t i = 8; i < e.size(); ++i)
        if (e[i] > 1e-3 * loudest &&
            e[i] > 8 * *std::min_element(&e[i - 8], &e[i]) &&
            (found.isEmpty() || qsizetype(i) * 5 * kMs >= found.last() + 50 * kMs))
            found << qsizetype(i) * 5 * kMs;
    return found;
}

// The pitch, as a MIDI number, of the 100 ms from `at`: the first
// autocorrelation peak within 90 % of the highest, from 60 to 1400 Hz.
double pitchAt(const Sound& s, qsizetype at)
{
    const qsizetype shortest = 1000 * kMs / 1400, longest = 1000 * kMs / 60;
    std::vector<double> r(longest + 2);
    for (qsizetype lag = shortest - 1; lag <= longest + 1 && at + 100 * kMs + lag < qsizetype(s.size()); ++lag)
        r[lag] = std::inner_product(&s[at], &s[at + 100 * kMs], &s[at + lag], 0.0);
    const double highest = *std::max_element(r.begin() + shortest, r.end() - 1);
    for (qsizetype lag = shortest; lag <= longest; ++lag)
        if (r[lag] >= 0.9 * highest && r[lag] >= r[lag - 1] && r[lag] >= r[lag + 1])
            return 69 + 12 * std::log2(1000.0 * kMs / lag / 440);
    return 0;
}

// When a pitch arrives in the strum about `strum`: the first 50 ms Hann
// window, in steps of 2 ms over 260 ms, where the power at its frequency
// reaches a quarter of its most.
qsizetype arrivalOf(const Sound& s, qsizetype strum, int pitch)
{
    const double w = 2 * M_PI * 440 * std::pow(2.0, (pitch - 69) / 12.0) / (1000 * kMs);
    std::vector<std::pair<double, qsizetype>> power;
    for (qsizetype at = std::max(strum - 60 * kMs, qsizetype(0));
         at <= strum + 200 * kMs && at + 50 * kMs <= qsizetype(s.size()); at += 2 * kMs) {
        std::complex<double> sum;
        for (qsizetype i = 0; i < 50 * kMs; ++i)
            sum += (1 - std::cos(M_PI * i / (25 * kMs))) * s[at + i] * std::polar(1.0, -w * i);
        power.push_back({std::norm(sum), at});
    }
    const double most = std::max_element(power.begin(), power.end())->first;
    return std::find_if(power.begin(), power.end(), [most](auto p) { return p.first >= most / 4; })->second;
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
    void withTheKeyboardAndAScreenReader();
    void playsTheChordOnShow();
    void leftHandedFromTheDesktopAction();

private:
    ScreenWindow waitForMainWindow(ProgramOnScreen& program);
    bool pick(const ScreenWindow& main, QPoint selector, int item);
    const QImage& picture(const QString& file);
    const globalProcedures& lessons();
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
    QTRY_VERIFY_WITH_TIMEOUT(!screen_.find(kSplashSize), 5000); // the splash screen is gone
    main = screen_.find(kMainSize);

    // The arpeggio box opens its panel: its first bullet shows.
    const QPoint bullet(379, 236);
    QVERIFY(pixel(screen_, main, bullet) != QColor(30, 80, 170));
    screen_.click(main.geometry.topLeft() + QPoint(384, 124));
    QTRY_COMPARE_WITH_TIMEOUT(pixel(screen_, main, bullet), QColor(30, 80, 170), 5000);

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
    QTRY_COMPARE_WITH_TIMEOUT(screen_.find(kMainSize).geometry.topLeft(), before + QPoint(40, 28),
                              5000);
    main = screen_.find(kMainSize);

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

const globalProcedures& tst_Desktop::lessons()
{
    if (!lessons_) {
        lessons_ = std::make_unique<globalProcedures>(QStringLiteral(FRETQUILL_PROGRAM_DIR));
        lessons_->loadArpeggios();
        lessons_->loadScales();
        lessons_->loadChords();
    }
    return *lessons_;
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

    lessons();
    // One program for all rows, so that each lesson replaces the last one.
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

// Under a window manager, as a desktop shows it: the splash screen is a
// splash-screen window and the main window the one taskbar entry, both
// titled "Fretquill", the main window with its icon. Then a whole chord
// lesson and the exit with the keyboard alone, while a screen reader reads
// the window through AT-SPI: every control named, the board described in
// words, and told when the description changes.
void tst_Desktop::withTheKeyboardAndAScreenReader()
{
    DesktopSession session;
    const QString missing = session.start(screen_);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    QProcessEnvironment more = session.environment();
    more.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    // Under the leak checker: the program quits on the press of Ctrl+Q while
    // the keys' releases are still on their way, and Qt's GUI library now
    // and then leaves one 88-byte key event of its own behind at exit. That
    // allocation is Qt's, not the program's; this run alone also suppresses
    // leaks inside that library.
    QTemporaryDir suppressions;
    const QString lsan = qEnvironmentVariable("LSAN_OPTIONS");
    const qsizetype at = lsan.indexOf(QLatin1String("suppressions="));
    if (at >= 0) {
        const QString file = lsan.mid(at + 13).section(QLatin1Char(':'), 0, 0);
        QFile base(file);
        const QString combined = suppressions.filePath(QStringLiteral("lsan.supp"));
        QFile out(combined);
        QVERIFY(base.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly));
        out.write(base.readAll() + "leak:libQt6Gui.so\n");
        out.close();
        more.insert(QStringLiteral("LSAN_OPTIONS"), QString(lsan).replace(file, combined));
    }
    ProgramOnScreen program(screen_, more);
    QVERIFY(program.process().waitForStarted());
    const qint64 pid = program.process().processId();

    // Ours among the window manager's windows, by type.
    auto ours = [&](const QString& type) {
        QList<unsigned long> found;
        for (const auto& [window, owner] : session.clients())
            if (owner == pid && session.property(window, "_NET_WM_WINDOW_TYPE").startsWith(type))
                found << window;
        return found;
    };
    auto waitFor = [&](const QString& type) {
        QElapsedTimer clock;
        QList<unsigned long> found;
        for (clock.start(); found.isEmpty() && clock.elapsed() < 20000; settle(50))
            found = ours(type);
        return found;
    };
    const QList<unsigned long> splash = waitFor(QStringLiteral("_NET_WM_WINDOW_TYPE_SPLASH"));
    QVERIFY2(!splash.isEmpty(), qPrintable(program.output()));
    QCOMPARE(session.property(splash.first(), "_NET_WM_NAME"), QStringLiteral("\"Fretquill\""));
    QVERIFY(session.run(QStringLiteral("xprop"), {"-id", QString::number(splash.first()), "_NET_WM_ICON"})
                .contains(QStringLiteral("Icon (16 x 16)")));
    QVERIFY(ours(QStringLiteral("_NET_WM_WINDOW_TYPE_NORMAL")).isEmpty()); // nothing for a taskbar yet

    const QList<unsigned long> normal = waitFor(QStringLiteral("_NET_WM_WINDOW_TYPE_NORMAL"));
    QCOMPARE(normal.size(), 1);
    const unsigned long mainId = normal.first();
    QCOMPARE(session.property(mainId, "_NET_WM_NAME"), QStringLiteral("\"Fretquill\""));
    // The class the desktop entry's StartupWMClass names.
    QCOMPARE(session.property(mainId, "WM_CLASS"), QStringLiteral("\"fretquill\", \"Fretquill\""));
    const QString icons = session.run(QStringLiteral("xprop"), {"-id", QString::number(mainId), "_NET_WM_ICON"});
    for (int size : {16, 32, 48})
        QVERIFY2(icons.contains(QStringLiteral("Icon (%1 x %1)").arg(size)), qPrintable(QString::number(size)));

    // The window manager gives the new window the focus.
    QElapsedTimer clock;
    for (clock.start(); session.run(QStringLiteral("xdotool"), {"getactivewindow"}).trimmed().toULong() != mainId;
         settle(50))
        QVERIFY2(clock.elapsed() < 10000, "the main window never became active");
    QVERIFY(ours(QStringLiteral("_NET_WM_WINDOW_TYPE_SPLASH")).isEmpty());

    // What a screen reader finds: every control it can see has a name.
    const QString reader = session.startReader();
    QVERIFY2(reader.isEmpty(), qPrintable(reader));
    // "role<TAB>name" -> description, states (of the first such object)
    auto tree = [&] {
        QHash<QString, QStringList> objects;
        for (const QString& line : session.ask(QStringLiteral("tree"))) {
            const QStringList f = line.split(QLatin1Char('\t'));
            if (f.size() == 5 && !objects.contains(f[1] + QLatin1Char('\t') + f[2]))
                objects.insert(f[1] + QLatin1Char('\t') + f[2], {f[3], f[4]});
        }
        return objects;
    };
    const auto board = QStringLiteral("image\tFretboard");
    const QStringList lines = session.ask(QStringLiteral("tree"));
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char('\t'));
        QVERIFY2(f.size() == 5, qPrintable(line));
        const bool shown = f[4].split(QLatin1Char(',')).contains(QStringLiteral("showing"));
        if (shown && f[1] != QLatin1String("list item") && f[1] != QLatin1String("list"))
            QVERIFY2(!f[2].trimmed().isEmpty(), qPrintable("unnamed: " + line));
    }
    QHash<QString, QStringList> seen = tree();
    QCOMPARE(seen.value(board).value(0), QStringLiteral("Empty fretboard"));
    QVERIFY(seen.contains(QStringLiteral("check box\tChords")));
    QVERIFY(seen.contains(QStringLiteral("push button\tExit")));
    session.ask(QStringLiteral("events"));

    // A chord lesson with the keyboard alone: the chord box, then into the
    // key selector and each selector after it, picking by letter.
    session.run(QStringLiteral("xdotool"),
                {"key", "--delay", "120", "alt+c", "Tab", "c", "Tab", "d", "Tab", "s"});
    settle(500);
    const QString c7 = QStringLiteral(
        "C Dominant 7, Second Inversion. Low E and A strings not played. D string fret 5, G, "
        "fifth; G string fret 5, C, root; B string fret 5, E, major third; high E string fret 6, "
        "B flat, minor seventh.");
    for (clock.restart(); tree().value(board).value(0) != c7; settle(100))
        QVERIFY2(clock.elapsed() < 10000, qPrintable("the board reads: " + tree().value(board).value(0)));
    const QStringList events = session.ask(QStringLiteral("events"));
    QVERIFY2(events.filter(QStringLiteral("accessible-description\tFretboard")).size() >= 1,
             qPrintable(events.join('\n')));
    seen = tree();
    QVERIFY(seen.value(QStringLiteral("check box\tChords")).value(1).contains(QStringLiteral("checked")));
    for (const char* caption : {"C", "Dominant 7", "Second Inversion"})
        QVERIFY2(seen.value(QStringLiteral("image\t") + QLatin1String(caption)).value(1).contains(QStringLiteral("showing")),
                 caption);
    QVERIFY(seen.contains(
        QStringLiteral("image\tfret %1").arg(lessons().chordTable(70, kMarkerFretPosition))));
    // And the screen shows the same chord.
    const QStringList wrong =
        differencesOnScreen(ScreenWindow{mainId, {}, pid}, expectedBoard(lessons().chordTable, 70, true));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));

    // Ctrl+Q leaves, as the exit picture does.
    session.run(QStringLiteral("xdotool"), {"key", "ctrl+q"});
    QVERIFY(program.process().waitForFinished(10000));
    QCOMPARE(program.process().exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.process().exitCode() == 0, qPrintable(program.output()));
}

// C Dominant 7, Second Inversion picked and Play clicked, recorded from a
// null sink of the test's own sound server: the strum, each note alone from
// the lowest, the strum again, in the pitches the board shows. Played again
// from the board, it falls silent at the next pick. With no sound server the
// program works as ever and says so once on its console.
void tst_Desktop::playsTheChordOnShow()
{
    lessonProgram_.reset(); // its window is the same size as this one's
    PrivateSoundServer server;
    const QString why = server.start();
    QVERIFY2(why.isEmpty(), qPrintable(why));
    auto showTheChord = [&](ProgramOnScreen& program) {
        const ScreenWindow main = waitForMainWindow(program);
        if (main) {
            screen_.click(main.geometry.topLeft() + QPoint(384, 28)); // the chord box
            for (int step = 0; step < 3; ++step)
                if (!pick(main, selectorCentre(step), step == 0 ? 4 : 3))
                    return ScreenWindow();
        }
        return main;
    };

    // No sound server at all: the lesson, Alt+P, then Ctrl+Q.
    {
        ProgramOnScreen quiet(screen_, server.client(true));
        const ScreenWindow main = showTheChord(quiet);
        QVERIFY2(main, qPrintable(quiet.output()));
        screen_.key(XK_p, XK_Alt_L);
        QString console;
        QTRY_VERIFY_WITH_TIMEOUT((console += quiet.output()).contains("no sound device was found"), 10000);
        for (const ScreenWindow& w : screen_.windows())
            QVERIFY2(w.pid != main.pid || w.id == main.id, "another window: an error box?");
        screen_.key(XK_q, XK_Control_L);
        QVERIFY(quiet.process().waitForFinished(10000));
        console += quiet.output();
        QCOMPARE(quiet.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(quiet.process().exitCode(), 0);
        QVERIFY2(console.count(QLatin1Char('\n')) == 1, qPrintable(console));
    }

    ProgramOnScreen program(screen_, server.client());
    const ScreenWindow main = showTheChord(program);
    QVERIFY2(main, qPrintable(program.output()));
    const std::vector<DiagramNote> notes = diagramNotes(lessons().chordTable.row(70));
    std::vector<DiagramNote> rising = notes;
    std::stable_sort(rising.begin(), rising.end(), [](auto a, auto b) { return a.pitch < b.pitch; });

    // Recorded from just before the click, and read as it comes: the end of
    // the recording is now.
    QProcess recorder;
    server.record(recorder);
    Sound heard;
    // Waits, then reads what has come; the recorder may be slow to start on
    // a busy machine, so the first wait lasts until it has delivered.
    auto listen = [&](int ms, qsizetype atLeast = 0) {
        QTest::qWait(ms);
        QElapsedTimer waited;
        waited.start();
        do {
            const QByteArray bytes = recorder.read(recorder.bytesAvailable() / 4 * 4); // whole samples
            for (qsizetype i = 0; i < bytes.size(); i += 4)
                heard.push_back(qFromLittleEndian<float>(bytes.constData() + i));
        } while (qsizetype(heard.size()) < atLeast && waited.elapsed() < 20000 && (QTest::qWait(20), true));
        return qsizetype(heard.size());
    };
    const qsizetype clicked = listen(300, 300 * kMs);
    QVERIFY(clicked >= 300 * kMs);
    screen_.click(main.geometry.topLeft() + twipsRect(5400, 7440, 1455, 615).center());
    listen(7000, clicked + 7000 * kMs);
    const Sound played(heard.begin() + clicked - 200 * kMs, heard.end());
    const QList<qsizetype> at = onsets(played);
    QCOMPARE(at.size(), qsizetype(notes.size()) + 2);
    for (size_t k = 0; k < rising.size(); ++k)
        QCOMPARE(std::lround(pitchAt(played, at[k + 1] + 20 * kMs)), long(rising[k].pitch));
    for (qsizetype strum : {at.first(), at.last()})
        for (size_t k = 1; k < notes.size(); ++k) // low string first
            QVERIFY2(arrivalOf(played, strum, notes[k].pitch) >=
                         arrivalOf(played, strum, notes[k - 1].pitch) + 10 * kMs,
                     qPrintable(QString::number(notes[k].pitch)));

    // Again, from the board; opening the key list to pick a new key clears
    // the board and silences it.
    screen_.click(main.geometry.topLeft() + cellRect(14).center());
    const qsizetype picked = listen(1500);
    QVERIFY(pick(main, selectorCentre(0), 1));
    QVERIFY(listen(800, picked + 600 * kMs) >= picked + 600 * kMs);
    auto peak = [&](qsizetype from, qsizetype to) {
        return std::accumulate(&heard[from], &heard[to], 0.0f, [](float m, float x) { return std::max(m, std::abs(x)); });
    };
    QVERIFY(peak(picked - 100 * kMs, picked) > 0.01f);
    QCOMPARE(peak(picked + 100 * kMs, picked + 600 * kMs), 0.0f);
    recorder.kill();
    recorder.waitForFinished();
}

// Started as the desktop entry's "Left-handed" action runs it: mirrored.
void tst_Desktop::leftHandedFromTheDesktopAction()
{
    QFile entry(QStringLiteral(FRETQUILL_SOURCE_DIR "/desktop/io.github.fretquill.Fretquill.desktop"));
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QRegularExpression action(
        QStringLiteral("\\[Desktop Action left-handed\\][^[]*\\nExec=fretquill( [^\\n]*)?\\n"));
    const QString exec = action.match(QString::fromUtf8(entry.readAll())).captured(1);
    lessonProgram_.reset(); // its window would stand where this one opens
    ProgramOnScreen program(screen_, {}, QProcess::splitCommand(exec));
    const ScreenWindow main = waitForMainWindow(program);
    QVERIFY2(main, qPrintable(program.output()));
    const QImage blank = expectedBoard(lessons().arpeggioTable, globalProcedures::kBlankEntry, false);
    const QStringList wrong = differencesOnScreen(main, blank.mirrored(true, false));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));
}

QTEST_GUILESS_MAIN(tst_Desktop)
#include "tst_desktop.moc"
