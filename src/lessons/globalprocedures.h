#pragma once

#include "lessontable.h"
#include "picturecache.h"

#include <QString>

#include <cstdint>

// The program's module state: the lesson tables, the picture caches, the
// entries on show and the fret-marker values, with the loaders that fill
// them once at set-up. One object per program run, so that every test can
// build a fresh program.
class globalProcedures
{
public:
    static constexpr int kLessonEntries = 241; // arpeggios and chords
    static constexpr int kScaleEntries = 61;
    static constexpr int kBlankEntry = 240; // the blank board, in arpeggioTable
    static constexpr int kDotSlots = 24;     // 0..22 filled, 23 stays empty
    static constexpr int kFretSlots = 17;    // 1..16 filled, 0 stays empty

    explicit globalProcedures(QString programDirectory);

    const QString& programDirectory() const { return programDirectory_; }
    // A file of the program directory.
    QString programFile(const QString& fileName) const;

    void loadArpeggios();
    void loadScales();
    void loadChords();
    void loadDotPictures();
    void loadCheckPictures();
    void loadFretPictures();

    LessonTable arpeggioTable{kLessonEntries};
    LessonTable chordTable{kLessonEntries};
    LessonTable scaleTable{kScaleEntries};

    PictureCache dotPictures{"dotPictures", kDotSlots};
    PictureCache fretPictures{"fretPictures", kFretSlots};
    PictureCache checkPictures{"checkPictures", 2};

    int16_t currentArpeggio = 0;
    int16_t currentChord = 0;
    int16_t currentScale = 0;
    int16_t markerFret = 0;
    int16_t markerSlot = 0;

private:
    void loadTable(const QString& fileName, LessonTable& table);
    void fillFromFile(PictureCache& cache, int slot, const QString& fileName);
    QString programDirectory_;
};
