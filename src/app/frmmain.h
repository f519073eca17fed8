#pragma once

#include "selection/boardmirror.h"
#include "selection/fretboard.h"
#include "selection/fretboarddisplay.h"

#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include <cstdint>
#include <memory>

class ImageControl;
class InstanceLock;
class PanelFrame;
class RectangleShape;
class SelectorBox;
class SoundOutput;
class globalProcedures;

// The main window: a fixed 681 x 545 pixel client area without a title
// bar, the fretboard on the left and the category boxes and selector panels
// on the right. Its methods are split by concern: layout
// (frmmain_layout.cpp), set-up (frmmain_setup.cpp), categories, dragging
// and exit (frmmain_interaction.cpp), the selector handlers
// (selection/frmmain_selectors.cpp), playing the board (frmmain_play.cpp)
// and the left-handed view and the copy of the diagram (frmmain_view.cpp).
class frmMain : public QWidget
{
    Q_OBJECT
public:
    frmMain(globalProcedures& module, InstanceLock& instanceLock);
    ~frmMain() override;

    // The set-up, run once when the window is loaded. Returns false, having
    // read nothing, when another instance of the program is running.
    bool Form_Load();
    // Clears the board: the blank arpeggio entry, no captions, no labels.
    void Blank();

    // Categories and exit.
    void imgCheck1_Click();
    void imgCheck2_Click();
    void imgCheck3_Click();
    void imgExit_Click();
    // Plays the diagram on show; a blank board plays nothing.
    void imgPlay_Click();

    // The left-handed view: the board mirrored, the check box ticked.
    void imgLeftHanded_Click();
    bool leftHanded() const { return mirror_.isLeftHanded(); }
    void setLeftHanded(bool leftHanded);
    // Copies the fretboard half as shown, at twice its size, with the
    // board's description as its text; a blank board copies nothing.
    void copyDiagram();

    // Selector handlers.
    void cmbKey_Click();
    void cmbKey2_Click();
    void cmbKey3_Click();
    void cmbKey_DropDown();
    void cmbKey2_DropDown();
    void cmbKey3_DropDown();
    void cmbQuality_Click();
    void cmbQuality2_Click();
    void cmbInversion_Click();
    void cmbInversion2_Click();
    void cmbPosition_Click();

    // The program's icon at 16, 32, 48 and 256 pixels, or only the sizes up
    // to `largestSize`. The program gives it to its windows.
    static QIcon programIcon(int largestSize = 256);

    globalProcedures& module() { return module_; }
    FretboardDisplay& display() { return display_; }
    // The sound output, made by the first play; null until then.
    SoundOutput* soundOutput() const { return sound_.get(); }

    // Drag state.
    int16_t dragging = 0; // True is -1
    int16_t dragStartY = 0;
    int16_t dragStartX = 0;

    // Selection state, shared by all three panels.
    int16_t selectedKey = 0;
    int16_t selectedQuality = 0;
    int16_t selectedInversion = 0;
    int16_t selectedPosition = 0;
    int16_t keyChosen = 0;
    int16_t qualityChosen = 0;

    // Controls.
    Fretboard board;
    std::array<ImageControl*, Fretboard::kCells>& img = board.img;
    std::array<ImageControl*, Fretboard::kLabels>& imgFret = board.imgFret;

    ImageControl* imgKey = nullptr;
    ImageControl* imgQuality = nullptr;
    ImageControl* imgQualityLarge = nullptr;
    ImageControl* imgInversion = nullptr;
    ImageControl* imgPosition = nullptr;

    ImageControl* imgCheck1 = nullptr;
    ImageControl* imgCheckChord = nullptr;
    ImageControl* imgCheck2 = nullptr;
    ImageControl* imgCheckScale = nullptr;
    ImageControl* imgCheck3 = nullptr;
    ImageControl* imgCheckArp = nullptr;
    ImageControl* imgRed = nullptr;
    ImageControl* imgRoot = nullptr;
    ImageControl* imgBlue = nullptr;
    ImageControl* imgNotes = nullptr;
    ImageControl* imgExit = nullptr;
    ImageControl* imgPlay = nullptr;
    ImageControl* imgLeftHanded = nullptr;
    ImageControl* imgLeftHandedCaption = nullptr;

    PanelFrame* fraSelectACategory = nullptr;
    PanelFrame* fraChord = nullptr;
    PanelFrame* fraScale = nullptr;
    PanelFrame* fraArp = nullptr;
    RectangleShape* Shape1 = nullptr;
    RectangleShape* Shape2 = nullptr;
    RectangleShape* Shape3 = nullptr;
    RectangleShape* Shape4 = nullptr;
    ImageControl* imgSelectACategory = nullptr;
    ImageControl* imgChords = nullptr;
    ImageControl* imgScales = nullptr;
    ImageControl* imgArpeggios = nullptr;

    ImageControl* imgBB1 = nullptr;
    ImageControl* imgBB2 = nullptr;
    ImageControl* imgBB3 = nullptr;
    ImageControl* imgBB4 = nullptr;
    ImageControl* imgBB5 = nullptr;
    ImageControl* imgBB6 = nullptr;
    ImageControl* imgBB7 = nullptr;
    ImageControl* imgBB8 = nullptr;

    SelectorBox* cmbKey = nullptr;
    SelectorBox* cmbQuality = nullptr;
    SelectorBox* cmbInversion = nullptr;
    SelectorBox* cmbKey2 = nullptr;
    SelectorBox* cmbQuality2 = nullptr;
    SelectorBox* cmbInversion2 = nullptr;
    SelectorBox* cmbKey3 = nullptr;
    SelectorBox* cmbPosition = nullptr;

    // The frame lines, drawn on the window itself, in twips: from and to.
    struct FrameLine
    {
        const char* name;
        int x1, y1, x2, y2;
    };
    static const std::array<FrameLine, 5> kFrameLines;

    static constexpr int kClientWidthTwips = 10215;
    static constexpr int kClientHeightTwips = 8175;

signals:
    // The window is to be unloaded: the exit picture was clicked or the
    // window manager closed the window.
    void unloadRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Layout.
    void createControls();
    void createPanels();
    ImageControl* image(QWidget* parent, const char* name, int left, int top, int width, int height);
    SelectorBox* selector(QWidget* parent, const char* name, int left, int top);
    void connectHandlers();
    void nameControls();

    // Set-up.
    void loadFixedPictures();
    void loadMousePointer();

    // The left-handed view and the copy.
    void createViewControls();
    void loadViewPictures();
    QRect fretboardHalf() const;
    QImage fretboardHalfImage() const;

    // Categories.
    void chooseCategory(int box);

    // Playing the board.
    void connectPlay();
    void loadPlayPictures();
    void boardChanged();
    void soundDeviceChanged();

    // Inversion and position handlers share their steps across panels.
    struct InversionPanel;
    InversionPanel arpeggioPanel();
    InversionPanel chordPanel();
    void keyClick(SelectorBox* key, ImageControl* hide, ImageControl* show, ImageControl* alsoHide);
    void qualityClick(SelectorBox* quality, ImageControl* keyBullet, ImageControl* qualityBullet,
                      ImageControl* inversionBullet);
    void inversionClick(const InversionPanel& panel);
    void resetInversionPanel(const InversionPanel& panel);
    void loadCaption(ImageControl* caption, const char* stem, int n, const QString& name);

    globalProcedures& module_;
    InstanceLock& instanceLock_;
    FretboardDisplay display_;
    BoardMirror mirror_;
    QPixmap leftHandedLooks_[2]; // the box unticked and ticked
    bool unloading_ = false;
    std::unique_ptr<SoundOutput> sound_;
    QPixmap playPicture_, playDimmedPicture_; // the Play control's two looks
    QString playToolTip_;
};
