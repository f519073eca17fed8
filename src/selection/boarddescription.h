#pragma once

#include "lessons/lessontable.h"
#include "platform/accessibility.h"

#include <QString>

// Which lesson table a diagram comes from.
enum class DiagramKind { Arpeggio, Chord, Scale };

// The diagram on show in words, for screen readers, read from the lesson
// entry's cell pictures as the README's cell-picture table gives them:
// "C Dominant 7, Second Inversion. Low E and A strings not played. D string
// fret 5, fifth; G string fret 5, root; B string fret 5, third; high E
// string fret 6, seventh." A board with nothing on it is "Empty fretboard".
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

private:
    DiagramKind kind_ = DiagramKind::Arpeggio;
    int entry_ = -1;
    LessonEntry values_{};
};
