#include "panelframe.h"

#include "accessibility.h"
#include "twips.h"

#include <QMouseEvent>
#include <QPainter>

PanelFrame::PanelFrame(QWidget* parent) : QWidget(parent)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    installAccessibility();
}

void PanelFrame::setTwipsGeometry(int left, int top, int width, int height)
{
    setGeometry(twipsRect(left, top, width, height));
}

void PanelFrame::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

RectangleShape::RectangleShape(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hideFromScreenReaders(this); // drawn decoration
}

void RectangleShape::setTwipsGeometry(int left, int top, int width, int height)
{
    setGeometry(twipsRect(left, top, width, height));
}

void RectangleShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}
