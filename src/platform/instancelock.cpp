#include "instancelock.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

InstanceLock::InstanceLock(QString directory)
    : path_(QDir(directory).filePath(QStringLiteral("fretquill.lock")))
{
}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::defaultDirectory()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

bool InstanceLock::tryAcquire()
{
    if (held())
        return true;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    lock_ = std::make_unique<QLockFile>(path_);
    // Only a holder that has died makes the lock stale: QLockFile takes a
    // lock whose recorded process no longer runs for stale. A live holder
    // keeps it whatever its age: on Linux QLockFile also holds a native lock
    // on the file while it holds it, and never removes a lock file that
    // another process still locks, however old. An age limit of 0 keeps
    // the lock's age out of the judgement altogether.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return true;
    lock_.reset();
    return false;
}

bool InstanceLock::held() const
{
    return lock_ && lock_->isLocked();
}
