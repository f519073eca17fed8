#pragma once

#include <QComboBox>

// A drop-down list selector. The user's pick of an item is reported by the
// combo box's activated() signal; opening the list by dropDown().
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
};
