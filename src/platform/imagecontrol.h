#pragma once

#include <QAccessible>
#include <QPixmap>
#include <QWidget>

#include <functional>

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

    // `file` names the file the picture was read from, where the caller
    // knows it: a copy of the window drawn at twice the size reads the
    // file's @2x twin.
    void setPicture(const QPixmap& picture, const QString& file = {});
    // Changes the picture without asking for a repaint: for callers that
    // change many controls at once and then repaint their area in one go.
    // Returns whether the picture changed.
    bool assignPicture(const QPixmap& picture, const QString& file = {});
    const QPixmap& picture() const { return picture_; }
    const QString& pictureFile() const { return file_; }

    // A mirrored view: the control, placed at the mirror image of its place
    // by the caller, draws its picture against its right edge, so that the
    // picture too takes the mirror image of its place, and draws there what
    // `look` gives for the picture (the picture mirrored, or the picture
    // itself where it must read normally). No look: the normal view.
    using Look = std::function<QPixmap(const QPixmap&)>;
    void setLook(Look look);
    // What the control draws: its picture, or its picture's look.
    QPixmap shownPicture() const { return look_ ? look_(picture_) : picture_; }
    // Draws `shown` where the control draws its picture, with the painter
    // at the control's top-left corner.
    void drawPicture(QPainter& painter, const QPixmap& shown) const;

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
    QString file_;
    Look look_;
    QAccessible::Role role_ = QAccessible::Graphic;
    bool checked_ = false;
};
