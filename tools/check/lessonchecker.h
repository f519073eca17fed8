#pragma once

#include "rules.h"

#include <QList>
#include <QString>

#include <optional>
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

    using Boards = std::vector<std::optional<lessoncheck::Board>>;
    using Kind = lessoncheck::Kind;

    Loaded load(const QString& fileName, int capacity, int minimum);
    // Checks each lesson on its own; gives the boards that have no fault.
    Boards checkLessons(const QString& fileName, const Loaded& data, Kind kind);
    static Boards decodedBoards(const Loaded& data, Kind kind);
    void report(const QString& fileName, const Loaded& data, Kind kind,
                const std::vector<lessoncheck::EntryFault>& faults);
    void checkBlankBoard(const Loaded& arpeggios);
    void fault(const QString& file, int line, const QString& message);

    QString directory_;
    QList<Fault> faults_;
};
