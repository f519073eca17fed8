#include "selectorbox.h"

#include "twips.h"

#include <QKeyEvent>
#include <QPainter>

SelectorBox::SelectorBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setInsertPolicy(QComboBox::NoInsert);
    // Connected before anyone else can connect to activated(), so the
    // announcement of an in-place pick always comes first.
    connect(this, &QComboBox::activated, this, [this] {
        if (!listOpened_)
            emit pickedWithoutList();
        listOpened_ = false;
    });
}

void SelectorBox::setTwipsGeometry(int left, int top, int width, int height)
{
    setGeometry(twipsRect(left, top, width, height));
}

void SelectorBox::setText(const QString& text)
{
    setCurrentIndex(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void SelectorBox::showPopup()
{
    listOpened_ = true;
    emit dropDown();
    QComboBox::showPopup();
}

// Keys, typed text and the wheel reach the selector itself only while its
// list is closed (the open list takes them), so whatever they pick is
// picked in place.
void SelectorBox::keyPressEvent(QKeyEvent* event)
{
    listOpened_ = false;
    QComboBox::keyPressEvent(event);
}

void SelectorBox::wheelEvent(QWheelEvent* event)
{
    listOpened_ = false;
    QComboBox::wheelEvent(event);
}

void SelectorBox::inputMethodEvent(QInputMethodEvent* event)
{
    listOpened_ = false;
    QComboBox::inputMethodEvent(event);
}

// The style's own focus mark is faint on the white panels; a selector with
// the keyboard focus gets a clear two-pixel ring in the text colour.
void SelectorBox::paintEvent(QPaintEvent* event)
{
    QComboBox::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}
