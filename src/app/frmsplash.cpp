#include "frmsplash.h"

#include "platform/imagecontrol.h"
#include "platform/picture.h"
#include "platform/twips.h"

#include <QFile>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace {
// The logo, built into the program at 1x and 2x; the 2x drawing on a
// high-density screen.
QPixmap logo()
{
    const bool sharp = highDensityScreen();
    const QString path = QStringLiteral(":/artwork/logo.jpg");
    QFile file(sharp ? highDensityName(path) : path);
    file.open(QIODevice::ReadOnly);
    QPixmap picture = QPixmap::fromImage(pictureFromBytes(file.readAll()));
    picture.setDevicePixelRatio(sharp ? 2.0 : 1.0);
    return picture;
}
} // namespace

// A splash-screen window: no decoration and no taskbar entry of its own,
// but titled, so window switchers name it.
frmSplash::frmSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Fretquill"));
    setFixedSize(twipsToPixels(7425), twipsToPixels(2340));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    // The logo is part of the program, so it cannot be missing.
    imgLogo = new ImageControl(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setTwipsGeometry(120, 120, 7125, 2130);
    imgLogo->setPicture(logo());
    imgLogo->setAccessibleName(
        QStringLiteral("Fretquill: seventh chords, arpeggios and scales on the fretboard"));

    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }

    // Runs from the load; destroying the window is what stops it. A coarse
    // timer may fire up to 5 % early, so the three seconds are kept to the
    // millisecond.
    splashTimer = new QTimer(this);
    splashTimer->setObjectName(QStringLiteral("splashTimer"));
    splashTimer->setTimerType(Qt::PreciseTimer);
    splashTimer->setInterval(kIntervalMs);
    connect(splashTimer, &QTimer::timeout, this, &frmSplash::splashTimer_Timer);
    splashTimer->start();
}

void frmSplash::splashTimer_Timer()
{
    hide();
    emit ticked();
}
