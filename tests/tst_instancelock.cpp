// The single-instance lock: a live holder keeps it, a crashed one does not.
#include "platform/instancelock.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QProcess>

#include <csignal>

class tst_InstanceLock : public QObject
{
    Q_OBJECT
private slots:
    void secondHolderIsRefused();
    void crashedHolderDoesNotBlock();
    void liveHolderInAnotherProcessBlocks();
};

void tst_InstanceLock::secondHolderIsRefused()
{
    QTemporaryDir dir;
    InstanceLock first(dir.path());
    InstanceLock second(dir.path());
    QVERIFY(first.tryAcquire());
    QVERIFY(!second.tryAcquire());
    QVERIFY(!second.held());
    QVERIFY(first.tryAcquire()); // asking again keeps it
}

namespace {
// Runs this test program as a lock holder that either dies while holding
// the lock or holds it until its standard input closes.
QProcess* startHolder(const QString& dir, const char* mode)
{
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TST_LOCK_HOLDER"), dir);
    env.insert(QStringLiteral("TST_LOCK_MODE"), QLatin1String(mode));
    p->setProcessEnvironment(env);
    p->start(QCoreApplication::applicationFilePath(), {});
    return p;
}
} // namespace

void tst_InstanceLock::crashedHolderDoesNotBlock()
{
    QTemporaryDir dir;
    std::unique_ptr<QProcess> holder(startHolder(dir.path(), "crash"));
    QVERIFY(holder->waitForFinished(10000));
    QCOMPARE(holder->exitStatus(), QProcess::CrashExit);
    QVERIFY(QFile::exists(InstanceLock(dir.path()).path())); // the lock file was left behind
    InstanceLock next(dir.path());
    QVERIFY(next.tryAcquire());
}

void tst_InstanceLock::liveHolderInAnotherProcessBlocks()
{
    QTemporaryDir dir;
    std::unique_ptr<QProcess> holder(startHolder(dir.path(), "hold"));
    QVERIFY(holder->waitForReadyRead(10000)); // it says when it holds the lock
    InstanceLock other(dir.path());
    QVERIFY(!other.tryAcquire());
    holder->closeWriteChannel();
    QVERIFY(holder->waitForFinished(10000));
    QVERIFY(other.tryAcquire());
}

int main(int argc, char* argv[])
{
    const QByteArray holderDir = qgetenv("TST_LOCK_HOLDER");
    if (!holderDir.isEmpty()) {
        QCoreApplication app(argc, argv);
        InstanceLock lock(QString::fromLocal8Bit(holderDir));
        if (!lock.tryAcquire())
            return 3;
        if (qgetenv("TST_LOCK_MODE") == "crash")
            std::raise(SIGKILL);
        std::fputs("held\n", stdout);
        std::fflush(stdout);
        char buffer[16];
        while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {
        }
        return 0;
    }
    QCoreApplication app(argc, argv);
    tst_InstanceLock test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_instancelock.moc"
