#include "frmsplash.h"

#include "platform/imagecontrol.h"
#include "platform/twips.h"

#include <QPixmap>
#include <QScreen>
#include <QTimer>

frmSplash::frmSplash() : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QString());
    setFixedSize(twipsToPixels(7425), twipsToPixels(2340));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    // The logo is part of the program, so it cannot be missing.
    imgLogo = new ImageControl(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setTwipsGeometry(120, 120, 7125, 2130);
    imgLogo->setPicture(QPixmap(QStringLiteral(":/artwork/logo.jpg")));

    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }

    // Runs from the load; destroying the window is what stops it.
    splashTimer = new QTimer(this);
    splashTimer->setObjectName(QStringLiteral("splashTimer"));
    splashTimer->setInterval(kIntervalMs);
    connect(splashTimer, &QTimer::timeout, this, &frmSplash::splashTimer_Timer);
    splashTimer->start();
}

void frmSplash::splashTimer_Timer()
{
    hide();
    emit ticked();
}
