// The main window's selector handlers: key and quality picks record the
// choice and move the panel's next-step bullet; an inversion or position
// pick completes the selection, paints its lesson entry and puts the
// panel's selectors back to their headers.
#include "app/frmmain.h"

#include "lessons/globalprocedures.h"
#include "lessons/selectorlists.h"
#include "platform/imagecontrol.h"
#include "platform/picture.h"
#include "platform/selectorbox.h"

using SelectorLists::inversionHeader;
using SelectorLists::keyHeader;
using SelectorLists::positionHeader;
using SelectorLists::qualityHeader;

// The controls and table of one of the two panels that end in an inversion.
struct frmMain::InversionPanel
{
    SelectorBox* key;
    SelectorBox* quality;
    SelectorBox* inversion;
    ImageControl* keyBullet;
    ImageControl* qualityBullet;
    ImageControl* inversionBullet;
    int16_t globalProcedures::*index;
    void (FretboardDisplay::*show)();
};

frmMain::InversionPanel frmMain::arpeggioPanel()
{
    return {cmbKey, cmbQuality, cmbInversion, imgBB1, imgBB2, imgBB3,
            &globalProcedures::currentArpeggio, &FretboardDisplay::showArpeggio};
}

frmMain::InversionPanel frmMain::chordPanel()
{
    return {cmbKey2, cmbQuality2, cmbInversion2, imgBB4, imgBB5, imgBB6,
            &globalProcedures::currentChord, &FretboardDisplay::showChord};
}

// Caption pictures are read from their files at every pick; each is named
// for screen readers by what it says.
void frmMain::loadCaption(ImageControl* caption, const char* stem, int n, const QString& name)
{
    const QString path =
        module_.programFile(QStringLiteral("%1%2.jpg").arg(QLatin1String(stem)).arg(n));
    caption->setPicture(loadPicture(path), path);
    caption->setAccessibleName(name);
}

void frmMain::keyClick(SelectorBox* key, ImageControl* hide, ImageControl* show,
                       ImageControl* alsoHide)
{
    const int k = key->listIndex();
    selectedKey = static_cast<int16_t>(k);
    if (k <= 0) // the header: keyChosen keeps its value
        return;
    loadCaption(imgKey, "key", k, key->itemText(k));
    hide->hide();
    show->show();
    if (alsoHide)
        alsoHide->hide();
    keyChosen = 1;
}

void frmMain::cmbKey_Click()
{
    keyClick(cmbKey, imgBB1, imgBB2, imgBB3);
}

void frmMain::cmbKey2_Click()
{
    keyClick(cmbKey2, imgBB4, imgBB5, imgBB6);
}

void frmMain::cmbKey3_Click()
{
    keyClick(cmbKey3, imgBB7, imgBB8, nullptr);
}

// Opening a key list blanks the board, whether or not a key is then picked.
void frmMain::cmbKey_DropDown()
{
    Blank();
}

void frmMain::cmbKey2_DropDown()
{
    Blank();
}

void frmMain::cmbKey3_DropDown()
{
    Blank();
}

void frmMain::qualityClick(SelectorBox* quality, ImageControl* keyBullet,
                           ImageControl* qualityBullet, ImageControl* inversionBullet)
{
    if (!keyChosen)
        return;
    qualityChosen = 1;
    selectedQuality = 0;
    if (quality->text() == qualityHeader)
        return;
    const int q = quality->listIndex();
    selectedQuality = static_cast<int16_t>(q);
    // The two long names have the wide caption.
    loadCaption(q > 3 ? imgQualityLarge : imgQuality, "quality", q, quality->itemText(q));
    imgKey->hide();
    imgQuality->hide();
    imgQualityLarge->hide();
    imgInversion->hide();
    imgPosition->hide();
    keyBullet->hide();
    qualityBullet->hide();
    inversionBullet->show();
}

void frmMain::cmbQuality_Click()
{
    qualityClick(cmbQuality, imgBB1, imgBB2, imgBB3);
}

void frmMain::cmbQuality2_Click()
{
    qualityClick(cmbQuality2, imgBB4, imgBB5, imgBB6);
}

void frmMain::resetInversionPanel(const InversionPanel& panel)
{
    panel.key->setText(keyHeader);
    panel.quality->setText(qualityHeader);
    panel.inversion->setText(inversionHeader);
    panel.key->setFocus();
}

void frmMain::inversionClick(const InversionPanel& panel)
{
    if (!keyChosen || !qualityChosen)
        return;
    if (panel.inversion->text() == inversionHeader)
        return;
    const int n = panel.inversion->listIndex();
    selectedInversion = static_cast<int16_t>(n);
    loadCaption(imgInversion, "inversion", n, panel.inversion->itemText(n));

    const bool wide = selectedQuality > 3;
    imgQualityLarge->setVisible(wide);
    imgQuality->setVisible(!wide);
    imgKey->show();
    imgInversion->show();
    imgPosition->hide();
    panel.keyBullet->show();
    panel.qualityBullet->hide();
    panel.inversionBullet->hide();

    // An entry is looked up only for a complete selection: a key, a quality
    // and an inversion each within its list. The quality state is shared by
    // both panels, so this panel's own quality selector can show a choice
    // while the quality last picked (in the other panel) was the header;
    // such a selection, like one without a key, takes the reset path rather
    // than showing an entry of another key or quality.
    const bool complete = panel.quality->text() != qualityHeader && selectedKey >= 1 &&
                          selectedKey <= 12 && selectedQuality >= 1 && selectedQuality <= 5 &&
                          selectedInversion >= 1 && selectedInversion <= 4;
    if (!complete) {
        Blank();
        resetInversionPanel(panel);
        return; // keyChosen and qualityChosen stay set
    }

    module_.*panel.index = static_cast<int16_t>((selectedKey - 1) * 20 + (selectedQuality - 1) * 4 +
                                                (selectedInversion - 1));
    (display_.*panel.show)();
    display_.showFretLabel();
    resetInversionPanel(panel);
    keyChosen = 0;
    qualityChosen = 0;
}

void frmMain::cmbInversion_Click()
{
    inversionClick(arpeggioPanel());
}

void frmMain::cmbInversion2_Click()
{
    inversionClick(chordPanel());
}

void frmMain::cmbPosition_Click()
{
    if (!keyChosen)
        return;
    if (cmbPosition->text() == positionHeader)
        return;
    imgPosition->show();
    imgQuality->hide();
    imgQualityLarge->hide();
    const int n = cmbPosition->listIndex();
    selectedPosition = static_cast<int16_t>(n);
    loadCaption(imgPosition, "position", n,
                cmbPosition->itemText(n) + QStringLiteral(", ") +
                    SelectorLists::positionShapes().value(n));
    imgKey->show();
    imgPosition->show();
    imgBB7->show();
    imgBB8->hide();

    const bool complete =
        selectedKey >= 1 && selectedKey <= 12 && selectedPosition >= 1 && selectedPosition <= 5;
    if (complete) {
        module_.currentScale = static_cast<int16_t>((selectedKey - 1) * 5 + (selectedPosition - 1));
        display_.showScale();
        display_.showFretLabel();
    } else {
        Blank(); // keyChosen stays set
    }
    cmbKey3->setText(keyHeader);
    cmbPosition->setText(positionHeader);
    cmbKey3->setFocus();
    if (complete)
        keyChosen = 0;
}
