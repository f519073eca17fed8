#include "fretboard.h"

#include "boarddescription.h"
#include "platform/imagecontrol.h"
#include "platform/twips.h"

// Columns 1 to 5 step 480 twips and rows 1 to 5 step 960; every cell is one
// pixel wider and taller than its step, so neighbours overlap by a pixel.
// Column 0 is wider and reaches further left, row 0 is taller.
int Fretboard::columnLeft(int column)
{
    return column == 0 ? 360 : 1080 + 480 * (column - 1);
}

int Fretboard::columnWidth(int column)
{
    return column == 0 ? 735 : 495;
}

int Fretboard::rowTop(int row)
{
    return row == 0 ? 1080 : 2520 + 960 * (row - 1);
}

int Fretboard::rowHeight(int row)
{
    return row == 0 ? 1455 : 975;
}

int Fretboard::labelTop(int label)
{
    return 2520 + 960 * label;
}

void Fretboard::create(QWidget* parent)
{
    // Over the grid and the labels, from the labels' left edge.
    area = new FretboardArea(parent);
    area->setGeometry(twipsRect(kLabelLeft, rowTop(0), columnLeft(kColumns - 1) +
                                    columnWidth(kColumns - 1) - kLabelLeft,
                                rowTop(5) + rowHeight(5) - rowTop(0)));
    for (int i = 0; i < kCells; ++i) {
        const int row = i / kColumns;
        const int column = i % kColumns;
        auto* cell = new ImageControl(parent);
        cell->setObjectName(QStringLiteral("img%1").arg(i));
        cell->setTwipsGeometry(columnLeft(column), rowTop(row), columnWidth(column), rowHeight(row));
        hideFromScreenReaders(cell); // the area describes them
        img[static_cast<size_t>(i)] = cell;
    }
    // Created after the cells, so they lie above them.
    for (int k = 0; k < kLabels; ++k) {
        auto* label = new ImageControl(parent);
        label->setObjectName(QStringLiteral("imgFret%1").arg(k));
        label->setTwipsGeometry(kLabelLeft, labelTop(k), kLabelWidth, kLabelHeight);
        imgFret[static_cast<size_t>(k)] = label;
    }
}
