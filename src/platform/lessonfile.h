#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include "runtimeerror.h"

#include <cstdint>

// Sequential input of a lesson file: decimal integers separated by commas
// or line breaks (CR LF or LF), with blanks and tabs beside a value
// ignored. Each read gives the next value as a signed 16-bit integer.
//
// Errors, each naming the file (and for malformed text its line and
// column): a missing file is File not found; an empty field, a word, a
// quoted value or a sign without digits is Type mismatch; a number outside
// -32768..32767 is Overflow; reading past the last value is Input past end
// of file.
class LessonFileReader
{
public:
    LessonFileReader() = default;
    ~LessonFileReader();
    LessonFileReader(const LessonFileReader&) = delete;
    LessonFileReader& operator=(const LessonFileReader&) = delete;

    void open(const QString& path);
    // True when nothing but blank space and line breaks is left.
    bool atEnd() const;
    int16_t readValue();
    void close();

    // For checking a file rather than loading it: the line the next value
    // starts on, and skipping past a malformed field to the next one.
    int currentLine() const;
    void skipField();

    bool isOpen() const { return open_; }
    QString path() const { return path_; }

    // Reads from bytes already in memory (the path only names them in
    // error reports).
    void openBytes(const QByteArray& bytes, const QString& path);

private:
    [[noreturn]] void fail(ErrorNumber number, qsizetype offset) const;
    QString position(qsizetype offset) const;
    bool isBlank(char c) const { return c == ' ' || c == '\t'; }

    QString path_;
    QFile file_;
    QByteArray owned_;
    const char* data_ = nullptr;
    qsizetype size_ = 0;
    qsizetype pos_ = 0;
    bool open_ = false;
    bool valueExpected_ = false; // a comma was read: another value must follow
};
