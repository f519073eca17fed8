#include "runtimeerror.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>

#include <cstdio>

RuntimeError::RuntimeError(ErrorNumber number, QString where)
    : number_(number), where_(std::move(where)), what_(message().toStdString())
{
}

QString RuntimeError::standardText(ErrorNumber number)
{
    switch (number) {
    case ErrorNumber::Overflow:
        return QStringLiteral("Overflow");
    case ErrorNumber::SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case ErrorNumber::TypeMismatch:
        return QStringLiteral("Type mismatch");
    case ErrorNumber::FileNotFound:
        return QStringLiteral("File not found");
    case ErrorNumber::InputPastEndOfFile:
        return QStringLiteral("Input past end of file");
    case ErrorNumber::PermissionDenied:
        return QStringLiteral("Permission denied");
    case ErrorNumber::PathFileAccessError:
        return QStringLiteral("Path/File access error");
    case ErrorNumber::ControlArrayElementMissing:
        return QStringLiteral("Control array element does not exist");
    case ErrorNumber::InvalidPicture:
        return QStringLiteral("Invalid picture");
    }
    return QStringLiteral("Application-defined error");
}

QString RuntimeError::text() const
{
    return standardText(number_);
}

QString RuntimeError::message() const
{
    QString line = QStringLiteral("Run-time error '%1': %2").arg(code()).arg(text());
    if (!where_.isEmpty())
        line += QStringLiteral(": ") + where_;
    return line;
}

namespace {

bool platformShowsWindows()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    // Nobody can see or dismiss a message box on these platforms; a modal
    // box there would only keep the process from ending.
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void defaultHandler(const RuntimeError& error)
{
    reportRuntimeError(error);
    QCoreApplication::exit(kRuntimeErrorExitStatus);
}

RuntimeErrorHandler& installedHandler()
{
    static RuntimeErrorHandler handler = defaultHandler;
    return handler;
}

} // namespace

void reportRuntimeError(const RuntimeError& error)
{
    std::fprintf(stderr, "Fretquill: %s\n", error.what());
    std::fflush(stderr);
    if (platformShowsWindows()) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Fretquill"), error.message(),
                        QMessageBox::Ok);
        box.exec();
    }
}

void runHandler(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const RuntimeError& error) {
        installedHandler()(error);
    }
}

RuntimeErrorHandler setRuntimeErrorHandler(RuntimeErrorHandler handler)
{
    RuntimeErrorHandler previous = installedHandler();
    installedHandler() = handler ? std::move(handler) : RuntimeErrorHandler(defaultHandler);
    return previous;
}
