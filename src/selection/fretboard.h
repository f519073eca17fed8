#pragma once

#include <array>

class FretboardArea;
class ImageControl;
class QWidget;

// The fretboard's controls on the main window: the 36 cells img(0)..img(35)
// (cell i in row i / 6 and column i % 6; the columns are the strings, row 0
// the top row and rows 1 to 5 the fret rows) and the fret-number labels
// imgFret(0)..imgFret(4), label k beside grid row k + 1, above the cells.
struct Fretboard
{
    static constexpr int kCells = 36;
    static constexpr int kColumns = 6;
    static constexpr int kLabels = 5;

    std::array<ImageControl*, kCells> img{};
    std::array<ImageControl*, kLabels> imgFret{};
    // What screen readers see of the board: one described graphic in place
    // of the cells.
    FretboardArea* area = nullptr;

    // Creates the controls on the parent at their places; the labels start
    // hidden and above the cells.
    void create(QWidget* parent);

    // Places in twips (left, top, width, height).
    static int columnLeft(int column);
    static int columnWidth(int column);
    static int rowTop(int row);
    static int rowHeight(int row);
    static int labelTop(int label);
    static constexpr int kLabelLeft = 240;
    static constexpr int kLabelWidth = 375;
    static constexpr int kLabelHeight = 615;
};
