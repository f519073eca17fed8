#include "boardmirror.h"

#include "boarddescription.h"
#include "fretboard.h"
#include "lessons/globalprocedures.h"
#include "platform/imagecontrol.h"
#include "platform/twips.h"

#include <QImage>

BoardMirror::BoardMirror(const globalProcedures& module, Fretboard& board)
    : module_(module), board_(board)
{
}

void BoardMirror::setLeftHanded(bool leftHanded)
{
    if (leftHanded == leftHanded_ || !board_.area)
        return;
    leftHanded_ = leftHanded;
    // The grid's edges in pixels add up to the same sum as the edges of any
    // place and of its mirror image.
    const int edges = twipsToPixels(Fretboard::columnLeft(0) +
                                    Fretboard::columnLeft(Fretboard::kColumns - 1) +
                                    Fretboard::columnWidth(Fretboard::kColumns - 1));
    const auto mirrorPlace = [edges](QWidget* w) {
        QRect place = w->geometry();
        place.moveLeft(edges - place.x() - place.width());
        w->setGeometry(place);
    };
    mirrorPlace(board_.area);
    ImageControl::Look cellLook, labelLook;
    if (leftHanded) {
        cellLook = [this](const QPixmap& picture) { return look(picture); };
        labelLook = [](const QPixmap& picture) { return picture; };
    }
    for (ImageControl* cell : board_.img) {
        mirrorPlace(cell);
        cell->setLook(cellLook);
    }
    for (ImageControl* label : board_.imgFret) {
        mirrorPlace(label);
        label->setLook(labelLook);
    }
}

QPixmap BoardMirror::look(const QPixmap& picture)
{
    if (picture.isNull() || readsNormally(picture))
        return picture;
    auto found = mirrored_.constFind(picture.cacheKey());
    if (found == mirrored_.constEnd())
        found = mirrored_.insert(picture.cacheKey(), mirrored(picture));
    return *found;
}

QPixmap BoardMirror::mirrored(const QPixmap& picture)
{
    QPixmap mirror = QPixmap::fromImage(picture.toImage().mirrored(true, false));
    mirror.setDevicePixelRatio(picture.devicePixelRatio());
    return mirror;
}

// The chord's third, fifth and seventh: blue dots labelled 3, 5 and 7.
bool BoardMirror::readsNormally(const QPixmap& picture) const
{
    for (int labelled = 18; labelled <= 20; ++labelled)
        if (picture.cacheKey() == module_.dotPictures(labelled).cacheKey())
            return true;
    return false;
}
