#pragma once

#include "diagramnotes.h"
#include "lessons/lessontable.h"
#include "platform/accessibility.h"

#include <QString>

// The diagram on show in words, for screen readers, from the entry's notes
// (diagramNotes): each note's place, its name spelled as the chord or scale
// on show spells it, and what it is in that chord or scale: "C Dominant 7,
// Second Inversion. Low E and A strings not played. D string fret 5, G,
// fifth; G string fret 5, C, root; B string fret 5, E, major third; high E
// string fret 6, B flat, minor seventh." A board with nothing on it is "Empty
// fretboard".
QString describeDiagram(DiagramKind kind, int entry, const LessonEntry& values);

// The fretboard as screen readers see it: one graphic named "Fretboard"
// over the cells and fret labels, described in words. It takes no mouse
// input and draws nothing.
class FretboardArea : public DescribedArea
{
    Q_OBJECT
public:
    explicit FretboardArea(QWidget* parent);

    // The diagram now on show; screen readers are told of the change.
    void setDiagram(DiagramKind kind, int entry, const LessonEntry& values);
    QString description() const override;

    // What is on show.
    DiagramKind kind() const { return kind_; }
    const LessonEntry& values() const { return values_; }
    int entry() const { return entry_; }
    // Whether any note is on show: a blank board has nothing to play or copy.
    bool hasNotes() const { return !diagramNotes(values_).empty(); }

signals:
    // Another diagram is on show, or the board was cleared.
    void diagramChanged();

private:
    DiagramKind kind_ = DiagramKind::Arpeggio;
    int entry_ = -1;
    LessonEntry values_{};
};
