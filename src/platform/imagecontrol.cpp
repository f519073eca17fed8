#include "imagecontrol.h"

#include "accessibility.h"
#include "twips.h"

#include <QMouseEvent>
#include <QPainter>

ImageControl::ImageControl(QWidget* parent) : QWidget(parent)
{
    // Transparent where there is no picture, like an empty image control.
    setAttribute(Qt::WA_NoSystemBackground);
    installAccessibility();
}

void ImageControl::setChecked(bool checked)
{
    if (checked == checked_)
        return;
    checked_ = checked;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event); // passed on only while a screen reader listens
}

void ImageControl::setTwipsGeometry(int left, int top, int width, int height)
{
    setGeometry(twipsRect(left, top, width, height));
}

void ImageControl::setPicture(const QPixmap& picture, const QString& file)
{
    if (assignPicture(picture, file))
        update();
}

bool ImageControl::assignPicture(const QPixmap& picture, const QString& file)
{
    // The same picture object again changes nothing on screen; a cell that
    // keeps its picture from one lesson to the next is not repainted.
    if (picture.cacheKey() == picture_.cacheKey())
        return false;
    picture_ = picture;
    file_ = file;
    return true;
}

void ImageControl::setLook(Look look)
{
    look_ = std::move(look);
    update();
}

void ImageControl::drawPicture(QPainter& painter, const QPixmap& shown) const
{
    const qreal left = look_ ? width() - shown.deviceIndependentSize().width() : 0.0;
    painter.drawPixmap(QPointF(left, 0), shown);
}

void ImageControl::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    drawPicture(painter, shownPicture());
}

void ImageControl::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
