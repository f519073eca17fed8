#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Tells whether another instance of the program is running, through a lock
// file in the user's runtime directory. The lock records the holder's
// process id, so a copy that crashed does not keep the next one from
// starting; a live holder keeps it however long it runs.
class InstanceLock
{
public:
    explicit InstanceLock(QString directory = defaultDirectory());
    ~InstanceLock();

    // True when this instance now holds the lock; false when another live
    // instance holds it. Touches no other file.
    bool tryAcquire();
    bool held() const;

    static QString defaultDirectory();
    QString path() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};
