// The main window's layout: every control by name, place and size in twips,
// its initial visibility, tab order and stacking.
#include "frmmain.h"

#include "lessons/globalprocedures.h"
#include "platform/imagecontrol.h"
#include "platform/panelframe.h"
#include "platform/selectorbox.h"
#include "platform/twips.h"
#include "sound/soundoutput.h"

#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QResource>
#include <QScreen>

const std::array<frmMain::FrameLine, 5> frmMain::kFrameLines = {{
    {"Line5", 11280, 0, 0, 0},
    {"Line1", 0, 0, 0, 8160},
    {"Line3", 0, 8160, 11280, 8160},
    {"Line4", 10200, 8160, 10200, 0},
    {"Line2", 5160, 0, 5160, 8160}, // divides the fretboard half from the panel half
}};

frmMain::frmMain(globalProcedures& module, InstanceLock& instanceLock)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint), module_(module),
      instanceLock_(instanceLock), display_(module, board), mirror_(module, board)
{
    setObjectName(QStringLiteral("frmMain"));
    // Taskbars and window switchers show the title; the window still has no
    // title bar.
    setWindowTitle(QStringLiteral("Fretquill"));
    setFixedSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    createControls();
    connectHandlers();
    connectPlay();

    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }
}

frmMain::~frmMain() = default;

// The program's icon is part of the program: the desktop icon's design
// drawn at each size a desktop asks for, built in as bare pixels in the form
// X11's window-icon property takes (ARGB words, not premultiplied) and kept
// so: nothing is decoded or converted, and a window hands them to the
// display as they are (decoded from PNG files they took more start-up time
// than all of the window's fixed pictures).
QIcon frmMain::programIcon(int largestSize)
{
    QIcon icon;
    for (int size : {16, 32, 48, 256}) {
        const QByteArray pixels =
            QResource(QStringLiteral(":/artwork/icon-%1.argb").arg(size)).uncompressedData();
        if (size > largestSize || pixels.size() != qsizetype(size) * size * 4)
            continue; // the second cannot happen: the pixels are part of the program
        const QImage image(reinterpret_cast<const uchar*>(pixels.constData()), size, size,
                           size * 4, QImage::Format_ARGB32);
        // A copy that outlives `pixels`.
        icon.addPixmap(QPixmap::fromImage(image.copy(), Qt::NoFormatConversion));
    }
    return icon;
}

ImageControl* frmMain::image(QWidget* parent, const char* name, int left, int top, int width,
                             int height)
{
    auto* control = new ImageControl(parent);
    control->setObjectName(QLatin1String(name));
    control->setTwipsGeometry(left, top, width, height);
    return control;
}

namespace {
// The selectors' text: 12 point bold sans-serif, "MS Sans Serif" where the
// system has it, else the first of the others it has, dark blue on white.
// The families are resolved when the text is first drawn, not at set-up.
const QFont& selectorFont()
{
    static const QFont font = [] {
        QFont f(QStringLiteral("MS Sans Serif"), 12, QFont::Bold);
        f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                       QStringLiteral("DejaVu Sans")});
        f.setStyleHint(QFont::SansSerif);
        return f;
    }();
    return font;
}

// Given to the panels that hold selectors, so that their selectors inherit
// it as they are made rather than each changing its own afterwards.
void styleSelectorPanel(QWidget* panel)
{
    panel->setFont(selectorFont());
    QPalette pal = panel->palette();
    const QColor darkBlue(0, 0, 192);
    pal.setColor(QPalette::Text, darkBlue);
    pal.setColor(QPalette::ButtonText, darkBlue);
    pal.setColor(QPalette::WindowText, darkBlue);
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Button, Qt::white);
    pal.setColor(QPalette::Window, Qt::white);
    panel->setPalette(pal);
}
} // namespace

SelectorBox* frmMain::selector(QWidget* parent, const char* name, int left, int top)
{
    auto* box = new SelectorBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setTwipsGeometry(left, top, 3735, 420);
    return box;
}

void frmMain::createControls()
{
    board.create(this);

    imgKey = image(this, "imgKey", 1560, 120, 495, 495);
    imgQuality = image(this, "imgQuality", 600, 720, 2535, 495);
    imgQualityLarge = image(this, "imgQualityLarge", 240, 720, 3375, 495);
    imgInversion = image(this, "imgInversion", 360, 7440, 3015, 495);
    imgPosition = image(this, "imgPosition", 600, 7440, 3135, 495);

    imgCheck1 = image(this, "imgCheck1", 5400, 120, 735, 615);
    imgCheckChord = image(this, "imgCheckChord", 6120, 120, 3375, 615);
    imgCheck2 = image(this, "imgCheck2", 5400, 840, 735, 615);
    imgCheckScale = image(this, "imgCheckScale", 6120, 840, 3375, 615);
    imgCheck3 = image(this, "imgCheck3", 5400, 1560, 735, 615);
    imgCheckArp = image(this, "imgCheckArp", 6120, 1560, 3375, 615);
    imgRed = image(this, "imgRed", 5400, 5280, 495, 495);
    imgRoot = image(this, "imgRoot", 5880, 5280, 3375, 495);
    imgBlue = image(this, "imgBlue", 5400, 5760, 495, 495);
    imgNotes = image(this, "imgNotes", 5880, 5760, 3375, 495);
    imgExit = image(this, "imgExit", 8280, 7440, 1455, 615);
    imgPlay = image(this, "imgPlay", 5400, 7440, 1455, 615);

    createPanels();
    createViewControls();
    nameControls();

    setTabOrder(cmbKey, cmbQuality);
    setTabOrder(cmbQuality, cmbInversion);
    setTabOrder(cmbInversion, cmbKey2);
    setTabOrder(cmbKey2, cmbQuality2);
    setTabOrder(cmbQuality2, cmbInversion2);
    setTabOrder(cmbInversion2, cmbKey3);
    setTabOrder(cmbKey3, cmbPosition);
}

void frmMain::createPanels()
{
    auto frame = [this](const char* name, int left, int top, int width, int height) {
        auto* f = new PanelFrame(this);
        f->setObjectName(QLatin1String(name));
        f->setTwipsGeometry(left, top, width, height);
        styleSelectorPanel(f);
        return f;
    };
    auto shape = [](QWidget* parent, const char* name, int left, int top, int width, int height) {
        auto* s = new RectangleShape(parent);
        s->setObjectName(QLatin1String(name));
        s->setTwipsGeometry(left, top, width, height);
        return s;
    };

    // Tab order of the frames' contents: arpeggios, chords, scales.
    fraArp = frame("fraArp", 5280, 2400, 4695, 2775);
    Shape3 = shape(fraArp, "Shape3", 120, 120, 4455, 2295);
    imgArpeggios = image(fraArp, "imgArpeggios", 480, 240, 3615, 495);
    imgBB1 = image(fraArp, "imgBB1", 240, 960, 375, 375);
    cmbKey = selector(fraArp, "cmbKey", 720, 960);
    imgBB2 = image(fraArp, "imgBB2", 240, 1440, 375, 375);
    cmbQuality = selector(fraArp, "cmbQuality", 720, 1440);
    imgBB3 = image(fraArp, "imgBB3", 240, 1920, 375, 375);
    cmbInversion = selector(fraArp, "cmbInversion", 720, 1920);

    fraChord = frame("fraChord", 5400, 2520, 4575, 2535);
    Shape1 = shape(fraChord, "Shape1", 0, 0, 4455, 2295);
    imgChords = image(fraChord, "imgChords", 360, 120, 3495, 495);
    imgBB4 = image(fraChord, "imgBB4", 120, 840, 375, 375);
    cmbKey2 = selector(fraChord, "cmbKey2", 600, 840);
    imgBB5 = image(fraChord, "imgBB5", 120, 1320, 375, 375);
    cmbQuality2 = selector(fraChord, "cmbQuality2", 600, 1320);
    imgBB6 = image(fraChord, "imgBB6", 120, 1800, 375, 375);
    cmbInversion2 = selector(fraChord, "cmbInversion2", 600, 1800);

    fraScale = frame("fraScale", 5400, 2280, 4695, 2775);
    Shape2 = shape(fraScale, "Shape2", 0, 240, 4455, 1935);
    imgScales = image(fraScale, "imgScales", 720, 360, 2895, 495);
    imgBB7 = image(fraScale, "imgBB7", 120, 1080, 375, 375);
    cmbKey3 = selector(fraScale, "cmbKey3", 600, 1080);
    imgBB8 = image(fraScale, "imgBB8", 120, 1560, 375, 375);
    cmbPosition = selector(fraScale, "cmbPosition", 600, 1560);

    // Created last, so it lies above the other three frames.
    fraSelectACategory = frame("fraSelectACategory", 5280, 2520, 4815, 2535);
    Shape4 = shape(fraSelectACategory, "Shape4", 120, 0, 4455, 1935);
    imgSelectACategory =
        image(fraSelectACategory, "imgSelectACategory", 360, 360, 3975, 1335);

    fraChord->hide();
    fraScale->hide();
    fraArp->hide();
}

// What each picture says, for screen readers; the captions of a selection
// are named as they are loaded.
void frmMain::nameControls()
{
    const struct
    {
        QWidget* control;
        const char* name;
    } names[] = {
        {imgCheck1, "Chords"},
        {imgCheck2, "Scales"},
        {imgCheck3, "Arpeggios"},
        {imgCheckChord, "Chords"},
        {imgCheckScale, "Scales"},
        {imgCheckArp, "Arpeggios"},
        {imgChords, "Chords"},
        {imgScales, "Scales"},
        {imgArpeggios, "Arpeggios"},
        {imgRed, "Red dot"},
        {imgRoot, "Root note"},
        {imgBlue, "Blue dot"},
        {imgNotes, "Other notes (3, 5, 7 in chords)"},
        {imgExit, "Exit"},
        {imgPlay, "Play"},
        {imgSelectACategory, "Select a category. Tick Chords, Scales or Arpeggios above to begin."},
        {fraSelectACategory, "Select a category"},
        {fraChord, "Chords"},
        {fraScale, "Scales"},
        {fraArp, "Arpeggios"},
        {cmbKey, "Key"},
        {cmbQuality, "Chord quality"},
        {cmbInversion, "Inversion"},
        {cmbKey2, "Key"},
        {cmbQuality2, "Chord quality"},
        {cmbInversion2, "Inversion"},
        {cmbKey3, "Key"},
        {cmbPosition, "Position"},
    };
    for (const auto& n : names) {
        n.control->setAccessibleName(QLatin1String(n.name));
        // On Linux a screen reader names a selector by its current item; the
        // description says what it selects.
        if (qobject_cast<SelectorBox*>(n.control))
            n.control->setAccessibleDescription(QLatin1String(n.name));
    }
    for (ImageControl* bullet : {imgBB1, imgBB2, imgBB3, imgBB4, imgBB5, imgBB6, imgBB7, imgBB8})
        bullet->setAccessibleName(QStringLiteral("Next step"));
    for (ImageControl* box : {imgCheck1, imgCheck2, imgCheck3})
        box->setAccessibleRole(QAccessible::CheckBox);
    imgExit->setAccessibleRole(QAccessible::Button);
    imgPlay->setAccessibleRole(QAccessible::Button);
}

void frmMain::paintEvent(QPaintEvent*)
{
    // One-pixel black lines; those running past the right edge are clipped.
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    for (const FrameLine& line : kFrameLines)
        painter.drawLine(twipsToPixels(line.x1), twipsToPixels(line.y1), twipsToPixels(line.x2),
                         twipsToPixels(line.y2));
}
