#include "lessonfile.h"

#include "fileaccesslog.h"
#include "runtimeerror.h"

#include <QFile>

LessonFileReader::~LessonFileReader()
{
    close();
}

void LessonFileReader::open(const QString& path)
{
    close();
    // The file is read whole, once, front to back, and closed at once.
    QFile file;
    openForReading(file, path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(ErrorNumber::PathFileAccessError, path);
    openBytes(bytes, path);
}

void LessonFileReader::openBytes(const QByteArray& bytes, const QString& path)
{
    close();
    path_ = path;
    bytes_ = bytes;
    data_ = bytes_.constData();
    size_ = bytes_.size();
    open_ = true;
}

void LessonFileReader::close()
{
    bytes_.clear();
    data_ = nullptr;
    size_ = 0;
    pos_ = 0;
    open_ = false;
    valueExpected_ = false;
}

bool LessonFileReader::atEnd() const
{
    if (valueExpected_)
        return false;
    for (qsizetype i = pos_; i < size_; ++i) {
        const char c = data_[i];
        if (!isBlank(c) && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

int16_t LessonFileReader::readValueSlowly()
{
    qsizetype i = pos_;
    while (i < size_ && isBlank(data_[i]))
        ++i;
    if (i >= size_ || data_[i] == '\r' || data_[i] == '\n') {
        // Nothing but blank space and line breaks left is the end of the
        // input; an empty field otherwise (as in "1,,2" or "1,2,").
        if (atEnd())
            fail(ErrorNumber::InputPastEndOfFile, size_);
        fail(ErrorNumber::TypeMismatch, i);
    }

    const qsizetype start = i;
    bool negative = false;
    if (data_[i] == '-') {
        negative = true;
        ++i;
    }
    const qsizetype digitsStart = i;
    int32_t magnitude = 0;
    bool tooLarge = false;
    while (i < size_ && data_[i] >= '0' && data_[i] <= '9') {
        if (!tooLarge) {
            magnitude = magnitude * 10 + (data_[i] - '0');
            if (magnitude > 32768)
                tooLarge = true;
        }
        ++i;
    }
    if (i == digitsStart)
        fail(ErrorNumber::TypeMismatch, start);

    // After the digits: blanks, then a separator or the end of the data.
    while (i < size_ && isBlank(data_[i]))
        ++i;
    bool comma = false;
    if (i < size_) {
        const char c = data_[i];
        if (c == ',') {
            comma = true;
            ++i;
        } else if (c == '\n') {
            ++i;
        } else if (c == '\r' && i + 1 < size_ && data_[i + 1] == '\n') {
            i += 2;
        } else {
            fail(ErrorNumber::TypeMismatch, i);
        }
    }

    if (tooLarge || (!negative && magnitude > 32767))
        fail(ErrorNumber::Overflow, start);

    pos_ = i;
    valueExpected_ = comma;
    return static_cast<int16_t>(negative ? -magnitude : magnitude);
}

int LessonFileReader::currentLine() const
{
    qsizetype i = pos_;
    while (i < size_ && (isBlank(data_[i]) || data_[i] == '\r' || data_[i] == '\n'))
        ++i; // the next value, past blank lines
    int line = 1;
    for (qsizetype k = 0; k < i && k < size_; ++k)
        if (data_[k] == '\n')
            ++line;
    return line;
}

void LessonFileReader::skipField()
{
    // The bad field ends at the next comma or line break, which is consumed.
    qsizetype i = pos_;
    while (i < size_ && data_[i] != ',' && data_[i] != '\n')
        ++i;
    valueExpected_ = i < size_ && data_[i] == ',';
    pos_ = i < size_ ? i + 1 : size_;
}

QString LessonFileReader::position(qsizetype offset) const
{
    int line = 1;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < offset && i < size_; ++i) {
        if (data_[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    return QStringLiteral("%1, line %2, column %3").arg(path_).arg(line).arg(offset - lineStart + 1);
}

void LessonFileReader::fail(ErrorNumber number, qsizetype offset) const
{
    throw RuntimeError(number, position(offset));
}
