#pragma once

#include <QWidget>

class ImageControl;
class QTimer;

// The splash screen: the product logo on white, shown for three seconds at
// start. Its timer runs from the moment the window is loaded; the tick
// hands over to the main window. Clicks on it do nothing.
class frmSplash : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 3000;

    frmSplash();

    void splashTimer_Timer();

    ImageControl* imgLogo = nullptr;
    QTimer* splashTimer = nullptr;

signals:
    // The tick, after the splash screen has hidden itself: show the main
    // window, then unload the splash screen.
    void ticked();
};
