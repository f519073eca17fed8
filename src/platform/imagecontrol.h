#pragma once

#include <QAccessible>
#include <QPixmap>
#include <QWidget>

// An image control: a rectangle that shows its picture at the picture's
// natural size from its top-left corner, clipped to the control and never
// stretched. Assigning a null picture clears it. A left click on it is
// reported by clicked(); presses never reach the window beneath.
class ImageControl : public QWidget
{
    Q_OBJECT
public:
    explicit ImageControl(QWidget* parent = nullptr);

    void setTwipsGeometry(int left, int top, int width, int height);

    void setPicture(const QPixmap& picture);
    // Changes the picture without asking for a repaint: for callers that
    // change many controls at once and then repaint their area in one go.
    // Returns whether the picture changed.
    bool assignPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

    // What screen readers are told the control is: a graphic unless set
    // otherwise before it is first shown (a check box, a button), and for a
    // check box whether it is checked. The name comes from
    // setAccessibleName(): what the picture says.
    QAccessible::Role accessibleRole() const { return role_; }
    void setAccessibleRole(QAccessible::Role role) { role_ = role; }
    bool isChecked() const { return checked_; }
    void setChecked(bool checked);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
    QAccessible::Role role_ = QAccessible::Graphic;
    bool checked_ = false;
};
