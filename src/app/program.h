#pragma once

#include "lessons/globalprocedures.h"
#include "platform/instancelock.h"

#include <QObject>
#include <QPointer>

class frmMain;
class frmSplash;

// One run of the program: the module state, the single instance of each
// window, and their life from start-up to the last window unloaded.
class Program : public QObject
{
    Q_OBJECT
public:
    enum class Start { Running, AnotherInstance };

    Program(const QString& programDirectory, const QString& lockDirectory);
    ~Program() override;

    // Loads the main window (its whole set-up; a run-time error propagates)
    // and puts up the splash screen. A second instance ends here.
    Start start();

    globalProcedures& module() { return module_; }
    frmMain* mainWindow() const;
    frmSplash* splash() const;

    void unloadMain();
    void unloadSplash();

signals:
    // No window of the program is loaded any more.
    void ended();

private:
    void showSplash();
    void splashTicked();
    void endIfNoWindowLeft();

    globalProcedures module_;
    InstanceLock lock_;
    QPointer<frmMain> main_;
    QPointer<frmSplash> splash_;
    bool started_ = false;
};
