#include "program.h"

#include "frmmain.h"
#include "frmsplash.h"

#include <QApplication>

Program::Program(const QString& programDirectory, const QString& lockDirectory)
    : module_(programDirectory), lock_(lockDirectory)
{
}

Program::~Program()
{
    delete main_.data();
    delete splash_.data();
}

frmMain* Program::mainWindow() const
{
    return main_;
}

frmSplash* Program::splash() const
{
    return splash_;
}

Program::Start Program::start()
{
    // The icon of the windows that carry none of their own (the splash
    // screen, an error report) up to 48 pixels: every window made hands
    // every size it carries to the display, and the 256-pixel drawing alone
    // is ten times the pixels of the rest.
    QApplication::setWindowIcon(frmMain::programIcon(48));
    main_ = new frmMain(module_, lock_);
    connect(main_, &frmMain::unloadRequested, this, &Program::unloadMain);
    if (!main_->Form_Load()) {
        delete main_.data();
        return Start::AnotherInstance;
    }
    started_ = true;
    showSplash();
    return Start::Running;
}

// The main window stays hidden; the splash screen's load starts its timer.
void Program::showSplash()
{
    splash_ = new frmSplash;
    connect(splash_, &frmSplash::ticked, this, &Program::splashTicked);
    splash_->show();
    splash_->raise();
    splash_->activateWindow();
}

void Program::splashTicked()
{
    if (main_) {
        // The main window's icon has every size, made now that start-up is
        // over.
        main_->setWindowIcon(frmMain::programIcon());
        main_->show();
    }
    unloadSplash();
}

// Unloading the main window from its own exit picture: the click's handler
// still runs to its end, so the window is destroyed once control returns
// to the event loop. The splash screen goes with it if still loaded.
void Program::unloadMain()
{
    if (main_) {
        main_->hide();
        main_->deleteLater();
        main_ = nullptr;
    }
    unloadSplash();
    endIfNoWindowLeft();
}

void Program::unloadSplash()
{
    if (splash_) {
        splash_->hide();
        splash_->deleteLater();
        splash_ = nullptr;
    }
    endIfNoWindowLeft();
}

void Program::endIfNoWindowLeft()
{
    if (started_ && !main_ && !splash_) {
        started_ = false;
        emit ended();
    }
}
