// The main window's own interaction: category boxes and dragging.
#include "app/frmmain.h"
#include "app/program.h"
#include "lessons/globalprocedures.h"
#include "platform/imagecontrol.h"
#include "platform/panelframe.h"
#include "platform/selectorbox.h"
#include "selection/boarddescription.h"
#include "testsupport.h"

#include <QAccessible>
#include <QClipboard>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalSpy>

class tst_Interaction : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void categoryFromEveryState_data();
    void categoryFromEveryState();
    void sameBoxTwiceBlanksTheBoard();
    void switchingKeepsSelectors();
    void captionsBesideTheBoxesDoNothing();
    void leftHandedViewAndCopy();
    void dragMovesByThePointersDisplacement_data();
    void dragMovesByThePointersDisplacement();
    void secondButtonRenewsTheGrabPoint();
    void pressesOnControlsDoNotDrag();
    void onlyTheLeftButtonClicks_data();
    void onlyTheLeftButtonClicks();
    void everyWayPlaysTheDiagramOnShow_data();
    void everyWayPlaysTheDiagramOnShow();

private:
    void send(QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons held);
    std::unique_ptr<RunningProgram> run_;
    frmMain* f_ = nullptr;
};

void tst_Interaction::init()
{
    run_ = std::make_unique<RunningProgram>(true);
    f_ = &run_->form();
}

void tst_Interaction::cleanup()
{
    run_.reset();
}

void tst_Interaction::categoryFromEveryState_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<bool>("keyboard"); // Alt+C, Alt+S, Alt+A in place of the clicks
    for (bool keyboard : {false, true})
        for (int first = 0; first <= 3; ++first)
            for (int box = 1; box <= 3; ++box) {
                QList<int> clicks;
                if (first)
                    clicks << first;
                clicks << box;
                QTest::newRow(qPrintable(QStringLiteral("%1 then %2%3")
                                             .arg(first)
                                             .arg(box)
                                             .arg(keyboard ? " by keyboard" : "")))
                    << clicks << keyboard;
            }
}

void tst_Interaction::categoryFromEveryState()
{
    QFETCH(QList<int>, clicks);
    QFETCH(bool, keyboard);
    ImageControl* boxes[] = {f_->imgCheck1, f_->imgCheck2, f_->imgCheck3};
    const Qt::Key keys[] = {Qt::Key_C, Qt::Key_S, Qt::Key_A};
    if (keyboard) {
        f_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f_));
    }
    for (int box : clicks) {
        if (keyboard) {
            QTest::keyClick(f_, keys[box - 1], Qt::AltModifier);
            // The box says which key ticks it.
            QVERIFY(boxes[box - 1]->toolTip().contains(QStringLiteral("Alt+%1").arg(QChar("CSA"[box - 1]))));
        } else {
            QTest::mouseClick(boxes[box - 1], Qt::LeftButton);
        }
    }
    const int box = clicks.last();
    globalProcedures& g = f_->module();
    QVERIFY(f_->fraSelectACategory->isHidden());
    QCOMPARE(f_->fraChord->isVisible(), box == 1);
    QCOMPARE(f_->fraScale->isVisible(), box == 2);
    QCOMPARE(f_->fraArp->isVisible(), box == 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(boxes[i]->picture().cacheKey(), g.checkPictures(i + 1 == box ? 1 : 0).cacheKey());
        // A screen reader hears the same: the chosen box is the checked one.
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(boxes[i]);
        QCOMPARE(a->role(), QAccessible::CheckBox);
        QCOMPARE(bool(a->state().checked), i + 1 == box);
    }
    QCOMPARE(g.currentArpeggio, int16_t(240));
}

void tst_Interaction::sameBoxTwiceBlanksTheBoard()
{
    f_->imgCheck2_Click();
    f_->cmbKey3->setCurrentIndex(4);
    f_->cmbKey3_Click();
    f_->cmbPosition->setCurrentIndex(3);
    f_->cmbPosition_Click();
    QVERIFY(!f_->imgPosition->isHidden());
    QCOMPARE(f_->module().currentScale, int16_t(17)); // C, Third Position
    f_->imgCheck2_Click();
    QVERIFY(f_->imgPosition->isHidden());
    QVERIFY(f_->imgKey->isHidden());
    for (ImageControl* label : f_->imgFret)
        QVERIFY(label->isHidden());
    QCOMPARE(f_->module().currentArpeggio, int16_t(240));
    QCOMPARE(f_->img[0]->picture().cacheKey(),
             f_->module().dotPictures(f_->module().arpeggioTable(240, 0)).cacheKey());
    QVERIFY(f_->fraScale->isVisible());
}

void tst_Interaction::switchingKeepsSelectors()
{
    QCOMPARE(f_->cmbQuality2->currentIndex(), -1);
    f_->imgCheck3_Click();
    f_->cmbKey->setCurrentIndex(2);
    f_->cmbKey_Click();
    f_->cmbQuality->setCurrentIndex(4);
    f_->cmbQuality_Click();
    f_->imgCheck1_Click();
    QCOMPARE(f_->cmbQuality2->text(), QStringLiteral(" SELECT CHORD QUALITY "));
    f_->cmbQuality2->setCurrentIndex(2);
    f_->imgCheck2_Click();
    f_->imgCheck3_Click();
    QCOMPARE(f_->cmbKey->text(), QStringLiteral("Bb"));
    QCOMPARE(f_->cmbQuality->text(), QStringLiteral("Half Diminished 7"));
    QVERIFY(f_->imgBB1->isHidden() && f_->imgBB2->isHidden() && !f_->imgBB3->isHidden());
    QCOMPARE(f_->selectedKey, int16_t(2));
    QCOMPARE(f_->selectedQuality, int16_t(4));
    QCOMPARE(f_->keyChosen, int16_t(1));
    QCOMPARE(f_->qualityChosen, int16_t(1));
    QCOMPARE(f_->cmbQuality2->text(), QStringLiteral("Minor 7")); // only box 1 resets it
    f_->imgCheck1_Click();
    QCOMPARE(f_->cmbQuality2->text(), QStringLiteral(" SELECT CHORD QUALITY "));
}

void tst_Interaction::captionsBesideTheBoxesDoNothing()
{
    for (ImageControl* caption : {f_->imgCheckChord, f_->imgCheckScale, f_->imgCheckArp})
        QTest::mouseClick(caption, Qt::LeftButton);
    QVERIFY(f_->fraSelectACategory->isVisible());
    QVERIFY(!f_->fraChord->isVisible() && !f_->fraScale->isVisible() && !f_->fraArp->isVisible());
}

// The box and Alt+L switch the view and back, to the same pixels. Ctrl+C copies the
// fretboard half as shown, twice its size from the @2x pictures, with its words; or nothing.
void tst_Interaction::leftHandedViewAndCopy()
{
    f_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f_));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("kept"));
    QTest::keyClick(f_, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("kept"));

    const globalProcedures& g = f_->module();
    int e = 0; // the first chord with a fret number
    while (g.chordTable(e, kMarkerFretPosition) == 0)
        ++e;
    f_->imgCheck1_Click();
    pickFromList(f_->cmbKey2, e / 20 + 1);
    pickFromList(f_->cmbQuality2, e % 20 / 4 + 1);
    pickFromList(f_->cmbInversion2, e % 4 + 1);
    const QImage right = f_->grab().toImage();
    QTest::mouseClick(f_->imgLeftHanded, Qt::LeftButton);
    run_->directory().remove(QStringLiteral("inversion%1@2x.jpg").arg(e % 4 + 1)); // drawn scaled
    QTest::keyClick(f_, Qt::Key_C, Qt::ControlModifier);
    const QImage copy = qvariant_cast<QImage>(clipboard->mimeData()->imageData());
    QCOMPARE(copy.size(), QSize(343, 543) * 2); // inside the frame, left of the divider
    QCOMPARE(clipboard->text(), f_->board.area->description());
    // Twins at their places from the frame's inner corner, less what neighbours cover.
    auto shows = [&](const QWidget* control, const char* file, int n, bool mirrored) {
        const QImage twin = imageOf(run_->directory().file(QString::fromLatin1(file).arg(n)));
        const QRect inner(QPoint(2, 0), twin.size() - QSize(2, 2));
        return samePixels(copy.copy(inner.translated((control->pos() - QPoint(1, 1)) * 2)),
                          twin.mirrored(mirrored, false).copy(inner));
    };
    QVERIFY(shows(f_->imgFret[g.markerSlot], "fret%1@2x.gif", g.markerFret, false));
    const int lowE = (g.markerSlot == 4 ? 1 : 5) * 6; // in a row without the fret number
    QVERIFY(shows(f_->img[lowE], "%1@2x.gif", g.chordTable(e, lowE), true));
    QTest::keyClick(f_, Qt::Key_L, Qt::AltModifier);
    QVERIFY(samePixels(f_->grab().toImage(), right));
}

// Mouse events as the window system delivers them while the pointer moves
// on the screen: positions relative to where the window is now.
void tst_Interaction::send(QEvent::Type type, QPoint global, Qt::MouseButton button,
                           Qt::MouseButtons held)
{
    const QPointF local = global - f_->pos();
    QMouseEvent event(type, local, global, button, held, Qt::NoModifier);
    QApplication::sendEvent(f_, &event);
}

void tst_Interaction::dragMovesByThePointersDisplacement_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void tst_Interaction::dragMovesByThePointersDisplacement()
{
    QFETCH(Qt::MouseButton, button);
    const QPoint start = f_->pos();
    const QPoint grab = start + QPoint(450, 470); // the background below the legend
    send(QEvent::MouseButtonPress, grab, button, button);
    QCOMPARE(f_->dragging, int16_t(-1));
    QCOMPARE(f_->dragStartX, int16_t(450 * 15));
    QCOMPARE(f_->dragStartY, int16_t(470 * 15));
    send(QEvent::MouseMove, grab + QPoint(37, -21), Qt::NoButton, button);
    QCOMPARE(f_->pos(), start + QPoint(37, -21));
    // Far off the window and the screen: nothing limits it.
    send(QEvent::MouseMove, grab + QPoint(-900, 2000), Qt::NoButton, button);
    QCOMPARE(f_->pos(), start + QPoint(-900, 2000));
    send(QEvent::MouseButtonRelease, grab + QPoint(-900, 2000), button, Qt::NoButton);
    QCOMPARE(f_->dragging, int16_t(0));
    send(QEvent::MouseMove, grab, Qt::NoButton, Qt::NoButton);
    QCOMPARE(f_->pos(), start + QPoint(-900, 2000));
}

void tst_Interaction::secondButtonRenewsTheGrabPoint()
{
    const QPoint start = f_->pos();
    send(QEvent::MouseButtonPress, start + QPoint(400, 460), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, start + QPoint(410, 460), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(f_->pos(), start + QPoint(10, 0));
    const QPoint moved = f_->pos();
    send(QEvent::MouseButtonPress, moved + QPoint(420, 480), Qt::RightButton,
         Qt::LeftButton | Qt::RightButton);
    QCOMPARE(f_->dragStartX, int16_t(420 * 15));
    send(QEvent::MouseMove, moved + QPoint(425, 490), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    QCOMPARE(f_->pos(), moved + QPoint(5, 10));
    send(QEvent::MouseButtonRelease, moved + QPoint(425, 490), Qt::RightButton, Qt::LeftButton);
    QCOMPARE(f_->dragging, int16_t(0)); // either release ends it
}

void tst_Interaction::pressesOnControlsDoNotDrag()
{
    const QPoint start = f_->pos();
    QWidget* controls[] = {f_->imgCheckChord, f_->imgRed, f_->img[7], f_->fraSelectACategory,
                           f_->imgSelectACategory, f_->imgPlay}; // Play dimmed, disabled
    for (QWidget* w : controls) {
        QTest::mousePress(w, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(f_->dragging, int16_t(0));
        QTest::mouseMove(w, QPoint(30, 30));
        QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(30, 30));
    }
    QCOMPARE(f_->pos(), start);
    // The frame lines let presses through to the window.
    QTest::mousePress(f_, Qt::LeftButton, {}, QPoint(344, 500));
    QCOMPARE(f_->dragging, int16_t(-1));
    QTest::mouseRelease(f_, Qt::LeftButton, {}, QPoint(344, 500));
}

void tst_Interaction::onlyTheLeftButtonClicks_data()
{
    // The picture, and whether a left click on it does anything.
    QTest::addColumn<QString>("picture");
    QTest::addColumn<bool>("clickable");
    QTest::addColumn<Qt::MouseButton>("button");
    const std::pair<const char*, bool> pictures[] = {
        {"imgCheck1", true}, {"imgCheck2", true}, {"imgCheck3", true}, {"imgExit", true},
        {"imgCheckArp", false}, {"img7", false}, {"imgRed", false}};
    for (const auto& [picture, clickable] : pictures) {
        QTest::newRow(qPrintable(QStringLiteral("%1, right").arg(picture)))
            << QString::fromLatin1(picture) << clickable << Qt::RightButton;
        QTest::newRow(qPrintable(QStringLiteral("%1, middle").arg(picture)))
            << QString::fromLatin1(picture) << clickable << Qt::MiddleButton;
    }
}

// A right or middle press, a move and the release on a picture neither
// click it nor drag the window; the left button then does click it.
void tst_Interaction::onlyTheLeftButtonClicks()
{
    QFETCH(QString, picture);
    QFETCH(bool, clickable);
    QFETCH(Qt::MouseButton, button);
    auto* control = f_->findChild<ImageControl*>(picture);
    QVERIFY(control);
    QSignalSpy unload(f_, &frmMain::unloadRequested);
    const QPoint start = f_->pos();
    const auto nothingChosen = [this] {
        return !f_->fraSelectACategory->isHidden() && f_->fraChord->isHidden() &&
               f_->fraScale->isHidden() && f_->fraArp->isHidden();
    };
    QTest::mousePress(control, button, {}, QPoint(3, 3));
    QTest::mouseMove(control, QPoint(6, 5));
    QTest::mouseRelease(control, button, {}, QPoint(6, 5));
    QVERIFY(nothingChosen());
    QCOMPARE(unload.count(), 0);
    QCOMPARE(f_->dragging, int16_t(0));
    QCOMPARE(f_->pos(), start);
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, 5));
    QCOMPARE(!nothingChosen() || unload.count() == 1, clickable);
}

void tst_Interaction::everyWayPlaysTheDiagramOnShow_data()
{
    QTest::addColumn<QString>("way");
    for (const char* way : {"Alt+P", "the fret label", "a screen reader's press on Play",
                            "the board's Play action"})
        QTest::newRow(way) << QString::fromLatin1(way);
}

// A blank board plays nothing; a diagram on show plays. The test's program
// has no sound device: the first play makes the sound output, which finds
// none, and the Play picture says so.
void tst_Interaction::everyWayPlaysTheDiagramOnShow()
{
    QFETCH(QString, way);
    f_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f_));
    const bool board = way.endsWith(QLatin1String("action"));
    const auto play = [&] {
        if (way == QLatin1String("Alt+P"))
            QTest::keyClick(f_, Qt::Key_P, Qt::AltModifier);
        else if (way == QLatin1String("the fret label"))
            QTest::mouseClick(f_->imgFret[f_->module().markerSlot], Qt::LeftButton);
        else
            QAccessible::queryAccessibleInterface(board ? static_cast<QWidget*>(f_->board.area) : f_->imgPlay)
                ->actionInterface()
                ->doAction(board ? QStringLiteral("Play") : QAccessibleActionInterface::pressAction());
    };
    f_->imgCheck1_Click();
    play();
    QVERIFY(!f_->soundOutput());
    f_->module().currentChord = 70; // C Dominant 7, Second Inversion
    f_->display().showChord();
    f_->display().showFretLabel();
    play();
    QVERIFY(f_->soundOutput());
    const QString noDevice = QStringLiteral("Play (Alt+P). No sound device was found.");
    QTRY_COMPARE(f_->imgPlay->toolTip(), noDevice);
    QCOMPARE(QAccessible::queryAccessibleInterface(f_->imgPlay)->text(QAccessible::Description),
             noDevice);
}

QTEST_MAIN(tst_Interaction)
#include "tst_interaction.moc"
