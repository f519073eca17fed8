#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <string>

// The run-time errors the program can stop with. The numbers are the
// classic run-time numbers guitar teachers may already know from the
// program's error reports.
enum class ErrorNumber : int {
    Overflow = 6,
    SubscriptOutOfRange = 9,
    TypeMismatch = 13,
    FileNotFound = 53,
    InputPastEndOfFile = 62,
    PermissionDenied = 70,
    PathFileAccessError = 75,
    ControlArrayElementMissing = 340,
    InvalidPicture = 481,
};

// A run-time error: the error's number and standard text, and where it
// happened (a file path, optionally with line and column, or a short
// description of the subscript). Nothing in the program catches it except
// the top-level report, which shows it and ends the program.
class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(ErrorNumber number, QString where = {});

    ErrorNumber number() const { return number_; }
    int code() const { return static_cast<int>(number_); }
    QString text() const;
    QString where() const { return where_; }
    // "Run-time error '53': File not found: /path/to/file"
    QString message() const;
    const char* what() const noexcept override { return what_.c_str(); }

    static QString standardText(ErrorNumber number);

private:
    ErrorNumber number_;
    QString where_;
    std::string what_;
};

// Shows the report: the message line on standard error and, where the
// platform can show windows to a person, a modal message box.
void reportRuntimeError(const RuntimeError& error);

// Runs an event handler. A run-time error thrown by it never unwinds
// through the toolkit: it is handed to the installed error handler, which
// by default reports it and ends the event loop with a failure status.
void runHandler(const std::function<void()>& handler);

// Replaces the handler of errors raised inside event handlers (tests use
// this to observe the error); returns the previous one.
using RuntimeErrorHandler = std::function<void(const RuntimeError&)>;
RuntimeErrorHandler setRuntimeErrorHandler(RuntimeErrorHandler handler);

// The process status of a program that ended with a run-time error.
constexpr int kRuntimeErrorExitStatus = 1;
