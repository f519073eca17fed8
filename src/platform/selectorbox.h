#pragma once

#include <QComboBox>

// A drop-down list selector. The user's pick of an item is reported by the
// combo box's activated() signal; opening the list by dropDown().
//
// A pick can also be made without opening the list: the arrow, Home, End
// and Page keys, a typed letter or the mouse wheel change the item in
// place. Such a pick is announced by pickedWithoutList() just before its
// activated(), so that the window can first do what opening the list does.
class SelectorBox : public QComboBox
{
    Q_OBJECT
public:
    explicit SelectorBox(QWidget* parent = nullptr);

    void setTwipsGeometry(int left, int top, int width, int height);

    // Makes the item with exactly this text the current one, as setting the
    // shown text of a drop-down list does. Not reported as a pick.
    void setText(const QString& text);
    QString text() const { return currentText(); }
    int listIndex() const { return currentIndex(); }

    void showPopup() override;

signals:
    void dropDown();
    void pickedWithoutList();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // True from the moment the list opens until the next pick: that pick is
    // made through the list. Any pick made in place clears it first.
    bool listOpened_ = false;
};
