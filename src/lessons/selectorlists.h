#pragma once

#include <QString>
#include <QStringList>

class SelectorBox;

// The four selector lists. Position 0 of each is its header, with one blank
// before and after the words; positions 1 upward are the choices, and a
// choice's list position is the number used for the lesson entry and the
// caption picture file.
namespace SelectorLists {
extern const QString keyHeader;
extern const QString qualityHeader;
extern const QString inversionHeader;
extern const QString positionHeader;

QStringList keys();       // 13 items: header, A, Bb, B, C, Db, D, Eb, E, F, Gb, G, Ab
QStringList qualities();  // 6 items
QStringList inversions(); // 5 items
QStringList positions();  // 6 items
// The shape each position is built on, the same in every key, by position
// (0 is empty): "E shape", "D shape", "C shape", "A shape", "G shape".
QStringList positionShapes();
} // namespace SelectorLists

// The eight selectors of the main window, in the order the set-up fills them.
struct Selectors
{
    SelectorBox* cmbKey;
    SelectorBox* cmbKey2;
    SelectorBox* cmbKey3;
    SelectorBox* cmbQuality;
    SelectorBox* cmbQuality2;
    SelectorBox* cmbPosition;
    SelectorBox* cmbInversion;
    SelectorBox* cmbInversion2;
};

// Fills each selector once, header first, and shows its header; except
// cmbQuality2, which shows no item until the chord category is chosen.
void fillSelectors(const Selectors& selectors);
