#pragma once

#include <QWidget>

// A white, borderless panel frame that holds controls; shown and hidden
// with them. Presses on it go to the frame, never to the window beneath.
class PanelFrame : public QWidget
{
    Q_OBJECT
public:
    explicit PanelFrame(QWidget* parent = nullptr);
    void setTwipsGeometry(int left, int top, int width, int height);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// A one-pixel black rectangle outline with no fill. It takes no mouse
// input: presses pass to its container.
class RectangleShape : public QWidget
{
    Q_OBJECT
public:
    explicit RectangleShape(QWidget* parent = nullptr);
    void setTwipsGeometry(int left, int top, int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;
};
