// The main window's set-up, run once when the window is loaded, and Blank.
#include "frmmain.h"

#include "lessons/globalprocedures.h"
#include "lessons/selectorlists.h"
#include "platform/imagecontrol.h"
#include "platform/instancelock.h"
#include "platform/panelframe.h"
#include "platform/picture.h"
#include "platform/programdirectory.h"
#include "platform/runtimeerror.h"

#include <QCursor>
#include <QDir>
#include <QFileInfo>

bool frmMain::Form_Load()
{
    // 1. A second copy ends here, before any file is read.
    if (!instanceLock_.tryAcquire())
        return false;

    dragging = 0;                                                       // 2
    loadFixedPictures();                                                // 3

    imgBB1->show();                                                     // 4
    imgBB2->hide();
    imgBB3->hide();
    imgBB4->show();
    imgBB5->hide();
    imgBB6->hide();
    imgBB7->show();
    imgBB8->hide();

    fraSelectACategory->show();                                         // 5

    module_.loadArpeggios();                                            // 6
    module_.loadScales();
    module_.loadChords();
    module_.loadDotPictures();
    module_.loadCheckPictures();
    module_.loadFretPictures();
    fillSelectors({cmbKey, cmbKey2, cmbKey3, cmbQuality, cmbQuality2, cmbPosition, cmbInversion,
                   cmbInversion2});

    imgKey->hide();                                                     // 7
    imgQuality->hide();
    imgQualityLarge->hide();
    imgInversion->hide();

    imgCheck1->setPicture(module_.checkPictures(0));                    // 8
    imgCheck2->setPicture(module_.checkPictures(0));
    imgCheck3->setPicture(module_.checkPictures(0));
    loadViewPictures();

    Blank();                                                            // 9
    loadMousePointer();                                                 // 10
    return true; // 11, the hand-over to the splash screen, is the program's
}

// Each file is read once for every control that shows it.
void frmMain::loadFixedPictures()
{
    const struct
    {
        ImageControl* control;
        const char* file;
    } pictures[] = {
        {imgChords, "chords.jpg"},
        {imgScales, "scales.jpg"},
        {imgArpeggios, "arpeggios.jpg"},
        {imgCheckChord, "chords.jpg"},
        {imgCheckScale, "scales.jpg"},
        {imgCheckArp, "arpeggios.jpg"},
        {imgExit, "exit.jpg"},
        {imgBB1, "bb.gif"},
        {imgBB2, "bb.gif"},
        {imgBB3, "bb.gif"},
        {imgBB4, "bb.gif"},
        {imgBB5, "bb.gif"},
        {imgBB6, "bb.gif"},
        {imgBB7, "bb.gif"},
        {imgBB8, "bb.gif"},
        {imgRed, "red.gif"},
        {imgBlue, "blue.gif"},
        {imgRoot, "root.jpg"},
        {imgNotes, "notes.jpg"},
        {imgSelectACategory, "select_a_category.jpg"},
    };
    for (const auto& p : pictures)
        p.control->setPicture(loadPicture(module_.programFile(QLatin1String(p.file))));
    loadPlayPictures();
}

// The pointer is looked for in the current directory first. A program
// started from elsewhere (a desktop launcher, a terminal in another
// directory) uses the one beside the executable instead of failing.
void frmMain::loadMousePointer()
{
    const QString name = QStringLiteral("newblue.ico");
    const QString inCurrent = QDir::current().absoluteFilePath(name);
    const QString inProgram = module_.programFile(name);
    QString path;
    if (QFileInfo::exists(inCurrent))
        path = inCurrent;
    else if (QFileInfo::exists(inProgram))
        path = inProgram;
    else
        throw RuntimeError(ErrorNumber::FileNotFound,
                           QStringLiteral("%1 (neither in %2 nor in %3)")
                               .arg(name, QDir::currentPath(), module_.programDirectory()));
    // The arrow's tip is the hot spot.
    setCursor(QCursor(loadPicture(path), 0, 0));
}

void frmMain::Blank()
{
    module_.currentArpeggio = globalProcedures::kBlankEntry;
    imgKey->hide();
    imgQuality->hide();
    imgQualityLarge->hide();
    imgInversion->hide();
    imgPosition->hide();
    for (ImageControl* label : imgFret)
        label->hide();
    display_.showArpeggio();
}
