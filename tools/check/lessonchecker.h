#pragma once

#include "board.h"

#include <QList>
#include <QString>

#include <vector>

// Checks the three lesson files of a directory: their format, read as the
// program reads them, and their music, decoded from the cell pictures alone.
class LessonChecker
{
public:
    struct Fault
    {
        QString file;    // "chords.txt"
        int line = 0;    // 0 when the fault is not tied to a line
        QString message; // in words a guitarist understands
        QString text() const;
    };

    explicit LessonChecker(QString directory);
    QList<Fault> run();

    using Record = lessoncheck::Record;

private:
    struct Loaded
    {
        std::vector<Record> records;
        std::vector<int> lines;    // the line each record starts on
        std::vector<bool> wellFormed;
    };

    Loaded load(const QString& fileName, int capacity, int minimum);
    void checkLessons(const QString& fileName, const Loaded& data, lessoncheck::Kind kind,
                      const Loaded* chords = nullptr);
    void checkBlankBoard(const Loaded& arpeggios);
    void checkScalePositions(const Loaded& scales);
    void fault(const QString& file, int line, const QString& message);

    QString directory_;
    QList<Fault> faults_;
};
