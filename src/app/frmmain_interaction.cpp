// The main window's own interaction: the category boxes, dragging the
// window by its background, and leaving through the exit picture.
#include "frmmain.h"

#include "lessons/globalprocedures.h"
#include "lessons/selectorlists.h"
#include "platform/imagecontrol.h"
#include "platform/panelframe.h"
#include "platform/runtimeerror.h"
#include "platform/selectorbox.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QShortcut>
#include <QWindow>

#include <cmath>

void frmMain::connectHandlers()
{
    auto guarded = [](frmMain* form, void (frmMain::*handler)()) {
        return [form, handler] { runHandler([form, handler] { (form->*handler)(); }); };
    };
    connect(imgCheck1, &ImageControl::clicked, this, guarded(this, &frmMain::imgCheck1_Click));
    connect(imgCheck2, &ImageControl::clicked, this, guarded(this, &frmMain::imgCheck2_Click));
    connect(imgCheck3, &ImageControl::clicked, this, guarded(this, &frmMain::imgCheck3_Click));
    connect(imgExit, &ImageControl::clicked, this, guarded(this, &frmMain::imgExit_Click));
    connect(imgLeftHanded, &ImageControl::clicked, this,
            guarded(this, &frmMain::imgLeftHanded_Click));

    // The keyboard's way to the same handlers: Alt and the category's
    // initial, Alt+P for Play, Alt+L for the left-handed view, and the
    // desktops' standard Quit. Each picture's tooltip names its key:
    // "Chords (Alt+C)".
    const struct
    {
        QKeySequence keys;
        ImageControl* control;
        void (frmMain::*handler)();
    } shortcuts[] = {
        {QKeySequence(Qt::ALT | Qt::Key_C), imgCheck1, &frmMain::imgCheck1_Click},
        {QKeySequence(Qt::ALT | Qt::Key_S), imgCheck2, &frmMain::imgCheck2_Click},
        {QKeySequence(Qt::ALT | Qt::Key_A), imgCheck3, &frmMain::imgCheck3_Click},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), imgExit, &frmMain::imgExit_Click},
        {QKeySequence(Qt::ALT | Qt::Key_P), imgPlay, &frmMain::imgPlay_Click},
        {QKeySequence(Qt::ALT | Qt::Key_L), imgLeftHanded, &frmMain::imgLeftHanded_Click},
    };
    for (const auto& s : shortcuts) {
        auto* shortcut = new QShortcut(s.keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, guarded(this, s.handler));
        s.control->setToolTip(QStringLiteral("%1 (%2)").arg(
            s.control->accessibleName(), s.keys.toString(QKeySequence::NativeText)));
    }
    // The desktops' standard Copy: the diagram as a picture.
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    copy->setContext(Qt::WindowShortcut);
    connect(copy, &QShortcut::activated, this, guarded(this, &frmMain::copyDiagram));

    // A pick is the user's choice of an item, by mouse or keyboard: the
    // selectors' activated() signal. The program's own resets of a selector
    // to its header (setText) are not picks and run no handler. A key list's
    // drop-down event is its list opening.
    connect(cmbKey, &QComboBox::activated, this, guarded(this, &frmMain::cmbKey_Click));
    connect(cmbKey2, &QComboBox::activated, this, guarded(this, &frmMain::cmbKey2_Click));
    connect(cmbKey3, &QComboBox::activated, this, guarded(this, &frmMain::cmbKey3_Click));
    connect(cmbKey, &SelectorBox::dropDown, this, guarded(this, &frmMain::cmbKey_DropDown));
    connect(cmbKey2, &SelectorBox::dropDown, this, guarded(this, &frmMain::cmbKey2_DropDown));
    connect(cmbKey3, &SelectorBox::dropDown, this, guarded(this, &frmMain::cmbKey3_DropDown));
    // A key picked without opening its list (arrow keys, a typed letter,
    // the wheel) first does what opening the list does, so that the board
    // never shows one chord under another key's caption.
    connect(cmbKey, &SelectorBox::pickedWithoutList, this,
            guarded(this, &frmMain::cmbKey_DropDown));
    connect(cmbKey2, &SelectorBox::pickedWithoutList, this,
            guarded(this, &frmMain::cmbKey2_DropDown));
    connect(cmbKey3, &SelectorBox::pickedWithoutList, this,
            guarded(this, &frmMain::cmbKey3_DropDown));
    connect(cmbQuality, &QComboBox::activated, this, guarded(this, &frmMain::cmbQuality_Click));
    connect(cmbQuality2, &QComboBox::activated, this, guarded(this, &frmMain::cmbQuality2_Click));
    connect(cmbInversion, &QComboBox::activated, this,
            guarded(this, &frmMain::cmbInversion_Click));
    connect(cmbInversion2, &QComboBox::activated, this,
            guarded(this, &frmMain::cmbInversion2_Click));
    connect(cmbPosition, &QComboBox::activated, this, guarded(this, &frmMain::cmbPosition_Click));
}

// Box k (1 chords, 2 scales, 3 arpeggios) opens its panel and blanks the
// board, from any state, the same one included.
void frmMain::chooseCategory(int box)
{
    Blank();
    fraSelectACategory->hide();
    fraChord->setVisible(box == 1);
    fraScale->setVisible(box == 2);
    fraArp->setVisible(box == 3);
    imgCheck1->setPicture(module_.checkPictures(box == 1 ? 1 : 0));
    imgCheck2->setPicture(module_.checkPictures(box == 2 ? 1 : 0));
    imgCheck3->setPicture(module_.checkPictures(box == 3 ? 1 : 0));
    imgCheck1->setChecked(box == 1);
    imgCheck2->setChecked(box == 2);
    imgCheck3->setChecked(box == 3);
    if (box == 1)
        cmbQuality2->setText(SelectorLists::qualityHeader);
}

void frmMain::imgCheck1_Click()
{
    chooseCategory(1);
}

void frmMain::imgCheck2_Click()
{
    chooseCategory(2);
}

void frmMain::imgCheck3_Click()
{
    chooseCategory(3);
}

void frmMain::imgExit_Click()
{
    emit unloadRequested();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // A close by the window manager ends the program like the exit picture.
    if (!unloading_) {
        unloading_ = true;
        emit unloadRequested();
    }
    event->accept();
}

namespace {
// Client coordinates in twips, rounded to a 16-bit integer with halves
// going to the even neighbour.
int16_t roundToInt16(double twips)
{
    const double r = std::nearbyint(twips); // default rounding mode: to even
    return static_cast<int16_t>(std::clamp(r, -32768.0, 32767.0));
}

bool systemMovesWindows()
{
    // Wayland does not let a program place its own windows.
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
} // namespace

// A press of any button on the background starts the drag; the toolkit
// keeps delivering moves and the release to the window while the button is
// held, also outside it. A second button only renews the grab point.
void frmMain::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (systemMovesWindows() && windowHandle()) {
        windowHandle()->startSystemMove();
        return;
    }
    dragging = -1;
    dragStartX = roundToInt16(event->position().x() * kTwipsPerPixel);
    dragStartY = roundToInt16(event->position().y() * kTwipsPerPixel);
}

// The window moves by the pointer's displacement from the grab point, the
// vertical move first, so the grab point stays under the pointer.
void frmMain::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!dragging)
        return;
    const float x = static_cast<float>(event->position().x() * kTwipsPerPixel);
    const float y = static_cast<float>(event->position().y() * kTwipsPerPixel);

    const float top = static_cast<float>(pos().y() * kTwipsPerPixel) + y - dragStartY;
    move(pos().x(), static_cast<int>(std::lround(top / kTwipsPerPixel)));
    const float left = static_cast<float>(pos().x() * kTwipsPerPixel) + x - dragStartX;
    move(static_cast<int>(std::lround(left / kTwipsPerPixel)), pos().y());
}

void frmMain::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    dragging = 0;
}
