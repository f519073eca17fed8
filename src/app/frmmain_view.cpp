// The main window's left-handed view (its check box, Alt+L and the
// mirrored board) and the copy of the diagram as a picture (Ctrl+C).
#include "frmmain.h"

#include "lessons/globalprocedures.h"
#include "platform/imagecontrol.h"
#include "platform/picture.h"
#include "platform/runtimeerror.h"
#include "platform/twips.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>

#include <algorithm>
#include <cstring>

void frmMain::createViewControls()
{
    imgLeftHanded = image(this, "imgLeftHanded", 5400, 6480, 735, 615);
    imgLeftHandedCaption = image(this, "imgLeftHandedCaption", 6120, 6480, 2175, 495);
    for (ImageControl* control : {imgLeftHanded, imgLeftHandedCaption})
        control->setAccessibleName(QStringLiteral("Left-handed"));
    imgLeftHanded->setAccessibleRole(QAccessible::CheckBox);
}

// Read at set-up, as the category boxes' looks are: a missing or bad file
// stops the set-up with its error.
void frmMain::loadViewPictures()
{
    const QString caption = module_.programFile(QStringLiteral("left_handed.jpg"));
    imgLeftHandedCaption->setPicture(loadPicture(caption), caption);
    const char* const looks[] = {"left_handed_check2.jpg", "left_handed_check1.jpg"};
    for (int ticked = 0; ticked < 2; ++ticked)
        leftHandedLooks_[ticked] = loadPicture(module_.programFile(QLatin1String(looks[ticked])));
    imgLeftHanded->setPicture(leftHandedLooks_[leftHanded() ? 1 : 0]);
}

void frmMain::imgLeftHanded_Click()
{
    setLeftHanded(!leftHanded());
}

// The board switches at once, whatever it shows; no selection, caption,
// panel or selector changes.
void frmMain::setLeftHanded(bool leftHanded)
{
    mirror_.setLeftHanded(leftHanded);
    imgLeftHanded->setPicture(leftHandedLooks_[leftHanded ? 1 : 0]);
    imgLeftHanded->setChecked(leftHanded);
}

// Everything left of the divider line and inside the frame, in pixels.
QRect frmMain::fretboardHalf() const
{
    const auto at = [](const char* name) {
        return *std::find_if(kFrameLines.begin(), kFrameLines.end(), [name](const FrameLine& line) {
            return std::strcmp(line.name, name) == 0;
        });
    };
    return QRect(QPoint(twipsToPixels(at("Line1").x1) + 1, twipsToPixels(at("Line5").y1) + 1),
                 QPoint(twipsToPixels(at("Line2").x1) - 1, twipsToPixels(at("Line3").y1) - 1));
}

// The half's pictures, bottom to top as the controls are stacked, each at
// twice its size from its @2x twin, mirrored where the board shows it
// mirrored. A twin that cannot be read is no reason to end the program: its
// picture is drawn scaled instead.
QImage frmMain::fretboardHalfImage() const
{
    constexpr int kScale = 2;
    const QRect half = fretboardHalf();
    QImage image(half.size() * kScale, QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(kScale, kScale);
    painter.translate(-half.topLeft());
    for (QObject* child : children()) {
        auto* control = qobject_cast<ImageControl*>(child);
        if (!control || !control->isVisibleTo(this) || control->picture().isNull() ||
            !control->geometry().intersects(half))
            continue;
        QPixmap sharp = control->picture();
        if (sharp.devicePixelRatio() < kScale && !control->pictureFile().isEmpty()) {
            try {
                sharp = loadHighDensityTwin(control->pictureFile());
            } catch (const RuntimeError&) {
            }
        }
        if (control->shownPicture().cacheKey() != control->picture().cacheKey())
            sharp = BoardMirror::mirrored(sharp);
        painter.save();
        painter.translate(control->pos());
        painter.setClipRect(control->rect());
        control->drawPicture(painter, sharp);
        painter.restore();
    }
    return image;
}

void frmMain::copyDiagram()
{
    if (!board.area->hasNotes())
        return;
    auto* data = new QMimeData;
    data->setImageData(fretboardHalfImage());
    data->setText(board.area->description());
    QGuiApplication::clipboard()->setMimeData(data);
}
