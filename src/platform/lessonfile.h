#pragma once

#include <QByteArray>
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
    // Reads the next `count` values into `out`, as many readValue() calls.
    void readValues(int16_t* out, int count);
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
    int16_t readValueSlowly();
    [[noreturn]] void fail(ErrorNumber number, qsizetype offset) const;
    QString position(qsizetype offset) const;
    bool isBlank(char c) const { return c == ' ' || c == '\t'; }

    QString path_;
    QByteArray bytes_;
    const char* data_ = nullptr;
    qsizetype size_ = 0;
    qsizetype pos_ = 0;
    bool open_ = false;
    bool valueExpected_ = false; // a comma was read: another value must follow
};

// The common case in one pass: a plain number of up to five digits right
// before its separator. Anything else takes the general path, which also
// reports every error.
inline void LessonFileReader::readValues(int16_t* out, int count)
{
    const char* const end = data_ + size_;
    const char* p = data_ + pos_;
    bool expected = valueExpected_;
    for (int k = 0; k < count; ++k) {
        const char* q = p;
        const bool negative = q < end && *q == '-';
        q += negative;
        const char* const digits = q;
        int magnitude = 0;
        while (q < end && q - digits < 5 && static_cast<unsigned char>(*q - '0') < 10)
            magnitude = magnitude * 10 + (*q++ - '0');
        if (q > digits && magnitude <= 32767 + int(negative)) {
            const int16_t value = static_cast<int16_t>(negative ? -magnitude : magnitude);
            if (q == end) {
                out[k] = value;
                p = end;
                expected = false;
                continue;
            }
            const char c = *q;
            if (c == ',' || c == '\n' || (c == '\r' && q + 1 < end && q[1] == '\n')) {
                out[k] = value;
                p = q + (c == '\r' ? 2 : 1);
                expected = c == ',';
                continue;
            }
        }
        pos_ = p - data_;
        valueExpected_ = expected;
        out[k] = readValueSlowly();
        p = data_ + pos_;
        expected = valueExpected_;
    }
    pos_ = p - data_;
    valueExpected_ = expected;
}

inline int16_t LessonFileReader::readValue()
{
    int16_t value;
    readValues(&value, 1);
    return value;
}
