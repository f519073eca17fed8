#pragma once

#include <QString>
#include <QWidget>

// What screen readers (through Qt's accessibility interface, AT-SPI on
// Linux) are told about the program's own controls. All of the program's
// text is in pictures, so each picture control carries a name saying what
// its picture says; see ImageControl.

// Registers the accessible interfaces of the program's controls with Qt.
// Called by the controls themselves; safe to call again.
void installAccessibility();

// Leaves a purely decorative widget out of what screen readers are shown
// (the 36 fretboard cells, which the fretboard describes as a whole; the
// drawn rectangles). Its container no longer lists it as a child.
void hideFromScreenReaders(QWidget* widget);

// An area with a description in words that is worked out when a screen
// reader asks for it, not every time what it describes changes.
class DescribedArea : public QWidget
{
    Q_OBJECT
public:
    explicit DescribedArea(QWidget* parent = nullptr);
    virtual QString description() const = 0;

    // The one action screen readers may do on the area ("Play"); none
    // while it is empty.
    QString actionName() const { return actionName_; }
    void setActionName(const QString& name) { actionName_ = name; }

signals:
    void actionTriggered();

protected:
    // Tells screen readers that the description has changed.
    void descriptionChanged();

private:
    QString actionName_;
};
