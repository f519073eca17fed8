#pragma once

#include <QHash>
#include <QPixmap>

class globalProcedures;
struct Fretboard;

// The left-handed view of the fretboard: the board mirrored left to right
// about the centre of the cell grid, low E on the right. The cells, the fret
// labels and the screen readers' area stand at the mirror images of their
// places; each cell draws its picture mirrored, from the same cached
// picture mirrored once when first needed, so switching reads no file.
// Digits read normally: the fret numbers and the labelled dots (pictures
// 18, 19 and 20) stand unmirrored in their mirrored places. Their art keeps
// the string in the middle of the picture, so the dot stays on its string.
class BoardMirror
{
public:
    BoardMirror(const globalProcedures& module, Fretboard& board);

    bool isLeftHanded() const { return leftHanded_; }
    void setLeftHanded(bool leftHanded);

    // A picture as the left-handed board shows it.
    QPixmap look(const QPixmap& picture);
    static QPixmap mirrored(const QPixmap& picture);

private:
    bool readsNormally(const QPixmap& picture) const;

    const globalProcedures& module_;
    Fretboard& board_;
    bool leftHanded_ = false;
    QHash<qint64, QPixmap> mirrored_; // by the cached picture's key
};
