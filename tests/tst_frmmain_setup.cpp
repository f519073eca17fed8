// The main window's set-up: the state it leaves, the files it reads and in
// which order, and how it fails.
#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/program.h"
#include "lessons/globalprocedures.h"
#include "platform/fileaccesslog.h"
#include "platform/imagecontrol.h"
#include "platform/instancelock.h"
#include "platform/panelframe.h"
#include "platform/selectorbox.h"
#include "testsupport.h"

#include <QAccessible>

#include <QApplication>

class tst_FrmMainSetup : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void stateAfterSetup();
    void fixedPicturesShowTheirFiles();
    void readsEachFileInOrder();
    void missingFixedPictureStops();
    void pointerLookedForInCurrentDirectoryFirst();
    void pointerFromProgramDirectoryWhenStartedElsewhere();
    void pointerInNeitherPlaceStops();
    void secondInstanceReadsNothing();
    void screenReadersHearEveryControl();

private:
    QTemporaryDir elsewhere_; // the current directory of every test
    QString previousDir_;
};

void tst_FrmMainSetup::init()
{
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(elsewhere_.path());
}

void tst_FrmMainSetup::cleanup()
{
    QDir::setCurrent(previousDir_);
    QFile::remove(QDir(elsewhere_.path()).filePath(QStringLiteral("newblue.ico")));
}

void tst_FrmMainSetup::stateAfterSetup()
{
    RunningProgram run(false);
    frmMain& f = run.form();
    globalProcedures& g = f.module();
    QVERIFY(!f.isVisible()); // hidden until the splash screen's tick
    QVERIFY(run.program().splash()->isVisible());

    QVERIFY(f.fraSelectACategory->isVisibleTo(&f));
    QVERIFY(!f.fraChord->isVisibleTo(&f));
    QVERIFY(!f.fraScale->isVisibleTo(&f));
    QVERIFY(!f.fraArp->isVisibleTo(&f));
    for (ImageControl* box : {f.imgCheck1, f.imgCheck2, f.imgCheck3})
        QCOMPARE(box->picture().cacheKey(), g.checkPictures(0).cacheKey());

    const QList<bool> bullets = {true, false, false, true, false, false, true, false};
    const QList<ImageControl*> bb = {f.imgBB1, f.imgBB2, f.imgBB3, f.imgBB4,
                                     f.imgBB5, f.imgBB6, f.imgBB7, f.imgBB8};
    for (int i = 0; i < bb.size(); ++i)
        QCOMPARE(!bb[i]->isHidden(), bullets[i]);

    for (ImageControl* caption :
         {f.imgKey, f.imgQuality, f.imgQualityLarge, f.imgInversion, f.imgPosition})
        QVERIFY(caption->isHidden());
    for (ImageControl* label : f.imgFret)
        QVERIFY(label->isHidden());

    QCOMPARE(g.currentArpeggio, int16_t(240));
    QCOMPARE(g.currentChord, int16_t(0));
    QCOMPARE(g.currentScale, int16_t(0));
    for (int p = 0; p < kCellCount; ++p)
        QCOMPARE(f.img[p]->picture().cacheKey(),
                 g.dotPictures(g.arpeggioTable(240, p)).cacheKey());

    for (SelectorBox* key : {f.cmbKey, f.cmbKey2, f.cmbKey3})
        QCOMPARE(key->text(), QStringLiteral(" SELECT KEY "));
    QCOMPARE(f.cmbQuality->text(), QStringLiteral(" SELECT CHORD QUALITY "));
    QCOMPARE(f.cmbQuality2->currentIndex(), -1);
    QCOMPARE(f.cmbInversion->text(), QStringLiteral(" SELECT INVERSION "));
    QCOMPARE(f.cmbInversion2->text(), QStringLiteral(" SELECT INVERSION "));
    QCOMPARE(f.cmbPosition->text(), QStringLiteral(" SELECT POSITION "));

    QCOMPARE(f.cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(f.cursor().pixmap().deviceIndependentSize(), QSizeF(32, 32));
    QCOMPARE(f.cursor().hotSpot(), QPoint(0, 0));
    QCOMPARE(f.dragging, int16_t(0));
    QCOMPARE(f.selectedKey, int16_t(0));
    QCOMPARE(f.keyChosen, int16_t(0));
}

void tst_FrmMainSetup::fixedPicturesShowTheirFiles()
{
    RunningProgram run(false);
    frmMain& f = run.form();
    const QList<QPair<ImageControl*, const char*>> pictures = {
        {f.imgChords, "chords.jpg"},       {f.imgCheckChord, "chords.jpg"},
        {f.imgScales, "scales.jpg"},       {f.imgCheckScale, "scales.jpg"},
        {f.imgArpeggios, "arpeggios.jpg"}, {f.imgCheckArp, "arpeggios.jpg"},
        {f.imgExit, "exit.jpg"},           {f.imgBB1, "bb.gif"},
        {f.imgBB8, "bb.gif"},              {f.imgRed, "red.gif"},
        {f.imgBlue, "blue.gif"},           {f.imgRoot, "root.jpg"},
        {f.imgNotes, "notes.jpg"},         {f.imgSelectACategory, "select_a_category.jpg"},
        {f.imgLeftHandedCaption, "left_handed.jpg"}, {f.imgLeftHanded, "left_handed_check2.jpg"}};
    for (const auto& p : pictures)
        QVERIFY2(samePixels(p.first->picture().toImage(),
                            imageOf(fileOnThisScreen(run.directory().file(QLatin1String(p.second))))),
                 p.second);
    // A file read for each control that shows it: separate picture objects.
    QVERIFY(f.imgChords->picture().cacheKey() != f.imgCheckChord->picture().cacheKey());
}

void tst_FrmMainSetup::readsEachFileInOrder()
{
    FileAccessLog::clear();
    RunningProgram run(false);
    QStringList expected = {"chords.jpg", "scales.jpg", "arpeggios.jpg", "chords.jpg",
                            "scales.jpg", "arpeggios.jpg", "exit.jpg"};
    for (int i = 0; i < 8; ++i)
        expected << QStringLiteral("bb.gif");
    expected << "red.gif" << "blue.gif" << "root.jpg" << "notes.jpg" << "select_a_category.jpg"
             << "play.jpg" << "play_dimmed.jpg" << "arpeggios.txt" << "scales.txt" << "chords.txt";
    for (int n = 0; n <= 22; ++n)
        expected << QStringLiteral("%1.gif").arg(n);
    expected << "check2.jpg" << "check1.jpg";
    for (int n = 1; n <= 16; ++n)
        expected << QStringLiteral("fret%1.gif").arg(n);
    expected << "left_handed.jpg" << "left_handed_check2.jpg" << "left_handed_check1.jpg"
             << "newblue.ico";

    // The same files in the same order on any screen; a high-density one
    // reads each picture's @2x twin in its place.
    for (QString& name : expected)
        name = QFileInfo(fileOnThisScreen(run.directory().file(name))).fileName();
    QStringList read;
    for (const QString& path : FileAccessLog::opened())
        read << QFileInfo(path).fileName();
    QCOMPARE(read, expected);
    for (const QString& path : FileAccessLog::opened().mid(0, expected.size() - 1))
        QCOMPARE(QFileInfo(path).absolutePath(), run.directory().path());
}

namespace {
// The error a start on this directory stops with; the splash screen must
// never have shown.
int setUpErrorOf(const ProgramDirectoryFixture& dir, QString* where)
{
    QTemporaryDir lock;
    Program program(dir.path(), lock.path());
    const int error = errorNumberOf([&] { program.start(); }, where);
    return program.splash() ? -1 : error;
}
} // namespace

void tst_FrmMainSetup::missingFixedPictureStops()
{
    ProgramDirectoryFixture dir;
    dir.remove(QStringLiteral("exit.jpg"));
    dir.remove(QStringLiteral("exit@2x.jpg")); // else a high-density screen reads it
    QString where;
    QCOMPARE(setUpErrorOf(dir, &where), 53);
    QCOMPARE(where, dir.file(QStringLiteral("exit.jpg")));
}

void tst_FrmMainSetup::pointerLookedForInCurrentDirectoryFirst()
{
    const QString here = QDir(elsewhere_.path()).filePath(QStringLiteral("newblue.ico"));
    QVERIFY(QFile::copy(QStringLiteral(FRETQUILL_PROGRAM_DIR "/newblue.ico"), here));
    FileAccessLog::clear();
    RunningProgram run(false);
    QCOMPARE(FileAccessLog::opened().last(), here);
}

void tst_FrmMainSetup::pointerFromProgramDirectoryWhenStartedElsewhere()
{
    FileAccessLog::clear();
    RunningProgram run(false);
    QCOMPARE(FileAccessLog::opened().last(),
             fileOnThisScreen(run.directory().file(QStringLiteral("newblue.ico"))));
    QCOMPARE(run.form().cursor().shape(), Qt::BitmapCursor);
}

void tst_FrmMainSetup::pointerInNeitherPlaceStops()
{
    ProgramDirectoryFixture dir;
    dir.remove(QStringLiteral("newblue.ico"));
    dir.remove(QStringLiteral("newblue@2x.ico"));
    QString where;
    QCOMPARE(setUpErrorOf(dir, &where), 53);
    QVERIFY2(where.contains(QStringLiteral("newblue.ico")), qPrintable(where));
    QVERIFY2(where.contains(elsewhere_.path()) && where.contains(dir.path()), qPrintable(where));
}

void tst_FrmMainSetup::secondInstanceReadsNothing()
{
    ProgramDirectoryFixture dir;
    QTemporaryDir lock;
    InstanceLock running(lock.path());
    QVERIFY(running.tryAcquire());
    FileAccessLog::clear();
    Program second(dir.path(), lock.path());
    QCOMPARE(second.start(), Program::Start::AnotherInstance);
    QVERIFY(FileAccessLog::opened().isEmpty());
    QVERIFY(!second.mainWindow());
    QVERIFY(!second.splash());
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!w->isVisible());
}

// All of the window's text is in pictures; a screen reader hears it from
// the controls' names. Every control it can see is named, the cells are
// left to the fretboard, which describes them, and the boxes are check
// boxes a screen reader can tick.
void tst_FrmMainSetup::screenReadersHearEveryControl()
{
    RunningProgram run(true);
    frmMain& f = run.form();
    QSet<QObject*> cells(f.img.begin(), f.img.end());
    int seen = 0;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* parent) {
        for (int i = 0; i < parent->childCount(); ++i) {
            QAccessibleInterface* child = parent->child(i);
            QVERIFY(child);
            QVERIFY2(!cells.contains(child->object()), qPrintable(child->object()->objectName()));
            QVERIFY(child->role() != QAccessible::Client); // something a reader can say
            ++seen;
            if (child->state().invisible)
                continue; // a caption or label not yet shown, a closed panel
            QVERIFY2(!child->text(QAccessible::Name).isEmpty(),
                     qPrintable(child->object()->objectName()));
            if (child->role() == QAccessible::Grouping)
                walk(child);
        }
    };
    walk(QAccessible::queryAccessibleInterface(&f));
    QVERIFY(seen >= 26); // the board, labels, captions, legend, boxes, exit, panels

    const struct
    {
        QWidget* control;
        QAccessible::Role role;
        const char* name;
    } expected[] = {
        {f.board.area, QAccessible::Graphic, "Fretboard"},
        {f.imgCheck1, QAccessible::CheckBox, "Chords"},
        {f.imgCheck2, QAccessible::CheckBox, "Scales"},
        {f.imgCheck3, QAccessible::CheckBox, "Arpeggios"},
        {f.imgExit, QAccessible::Button, "Exit"},
        {f.imgPlay, QAccessible::Button, "Play"},
        {f.imgLeftHanded, QAccessible::CheckBox, "Left-handed"},
        {f.imgRoot, QAccessible::Graphic, "Root note"},
        {f.imgNotes, QAccessible::Graphic, "Other notes (3, 5, 7 in chords)"},
        {f.imgSelectACategory, QAccessible::Graphic,
         "Select a category. Tick Chords, Scales or Arpeggios above to begin."},
    };
    for (const auto& e : expected) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(e.control);
        QCOMPARE(a->role(), e.role);
        QCOMPARE(a->text(QAccessible::Name), QLatin1String(e.name));
    }
    QAccessibleInterface* arpeggios = QAccessible::queryAccessibleInterface(f.imgCheck3);
    QVERIFY(arpeggios->state().checkable && !arpeggios->state().checked);
    QVERIFY(arpeggios->text(QAccessible::Description).contains(QStringLiteral("Alt+A")));
    arpeggios->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(f.fraArp->isVisible());
    QVERIFY(arpeggios->state().checked);
}

QTEST_MAIN(tst_FrmMainSetup)
#include "tst_frmmain_setup.moc"
