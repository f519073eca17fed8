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
    // Never treat a lock as stale by its age alone: only a dead holder
    // makes it stale. The default age limit would let a second copy start
    // beside one that has simply been running for a while.
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
