// Playing the board: the diagram on show, played as a guitar sounds it, by
// the Play picture, Alt+P, a left click on the fretboard's cells and labels,
// or a screen reader's action on the fretboard. Whatever changes the board
// silences it; a blank board has nothing to play and dims the Play picture.
#include "frmmain.h"

#include "lessons/globalprocedures.h"
#include "platform/imagecontrol.h"
#include "platform/picture.h"
#include "platform/runtimeerror.h"
#include "selection/diagramnotes.h"
#include "sound/phrase.h"
#include "sound/pluckedstring.h"
#include "sound/soundoutput.h"

void frmMain::connectPlay()
{
    const auto play = [this] { runHandler([this] { imgPlay_Click(); }); };
    connect(imgPlay, &ImageControl::clicked, this, play);
    for (ImageControl* cell : board.img)
        connect(cell, &ImageControl::clicked, this, play);
    for (ImageControl* label : board.imgFret)
        connect(label, &ImageControl::clicked, this, play);
    connect(board.area, &DescribedArea::actionTriggered, this, play);
    connect(board.area, &FretboardArea::diagramChanged, this, &frmMain::boardChanged);
    // A press on the dimmed picture stays there, as on any picture: it
    // starts no drag of the window.
    imgPlay->setAttribute(Qt::WA_NoMousePropagation);
    playToolTip_ = imgPlay->toolTip();
}

// Read at set-up, after the other fixed pictures.
void frmMain::loadPlayPictures()
{
    playPicture_ = loadPicture(module_.programFile(QStringLiteral("play.jpg")));
    playDimmedPicture_ = loadPicture(module_.programFile(QStringLiteral("play_dimmed.jpg")));
}

// The phrase is rendered whole before it is handed over; the device is
// opened by the first play, on the output's own thread.
void frmMain::imgPlay_Click()
{
    const Phrase phrase = phraseFor(board.area->kind(), diagramNotes(board.area->values()));
    if (phrase.empty())
        return;
    if (!sound_) {
        sound_ = std::make_unique<SoundOutput>(
            module_.programFile(QLatin1String(SoundOutput::kPluginName)));
        connect(sound_.get(), &SoundOutput::deviceChanged, this, &frmMain::soundDeviceChanged);
    }
    sound_->play(renderPhrase(phrase, SoundOutput::kSampleRate));
}

void frmMain::boardChanged()
{
    if (sound_)
        sound_->stop();
    const bool playable = board.area->hasNotes();
    imgPlay->setPicture(playable ? playPicture_ : playDimmedPicture_);
    imgPlay->setEnabled(playable);
    board.area->setActionName(playable ? QStringLiteral("Play") : QString());
}

// The Play picture says so while no sound device is found.
void frmMain::soundDeviceChanged()
{
    const bool missing = sound_->device() == SoundOutput::Device::Missing;
    const QString text =
        missing ? playToolTip_ + QStringLiteral(". No sound device was found.") : playToolTip_;
    imgPlay->setToolTip(text);
    imgPlay->setAccessibleDescription(text);
}
