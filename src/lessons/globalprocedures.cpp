#include "globalprocedures.h"

#include "platform/lessonfile.h"
#include "platform/picture.h"
#include "platform/programdirectory.h"
#include "platform/runtimeerror.h"

globalProcedures::globalProcedures(QString programDirectory)
    : programDirectory_(std::move(programDirectory))
{
}

QString globalProcedures::programFile(const QString& fileName) const
{
    return pathIn(programDirectory_, fileName);
}

// Values are taken 38 at a time in file order. The end of the file is
// tested only before the first value of a record, and the entry bound
// before every value, so a surplus record fails before its first value is
// read and a short last record runs into the end of the file.
void globalProcedures::loadTable(const QString& fileName, LessonTable& table)
{
    const QString path = programFile(fileName);
    LessonFileReader file;
    file.open(path);
    int n = 0;
    while (!file.atEnd()) {
        // The bound holds for every value of the record once it holds for
        // its first: n changes only between records.
        if (n >= table.entries())
            throw RuntimeError(ErrorNumber::SubscriptOutOfRange,
                               QStringLiteral("%1: record %2, but the table holds %3")
                                   .arg(path)
                                   .arg(n + 1)
                                   .arg(table.entries()));
        file.readValues(table.row(n).data(), kValuesPerEntry);
        ++n;
    }
    file.close();
}

void globalProcedures::loadArpeggios()
{
    loadTable(QStringLiteral("arpeggios.txt"), arpeggioTable);
}

void globalProcedures::loadScales()
{
    loadTable(QStringLiteral("scales.txt"), scaleTable);
}

void globalProcedures::loadChords()
{
    loadTable(QStringLiteral("chords.txt"), chordTable);
}

void globalProcedures::fillFromFile(PictureCache& cache, int slot, const QString& fileName)
{
    const QString path = programFile(fileName);
    cache.fill(slot, loadPicture(path), path);
}

void globalProcedures::loadDotPictures()
{
    // Slot 23 is never filled: a cell value of 23 shows an empty cell.
    for (int n = 0; n <= 22; ++n)
        fillFromFile(dotPictures, n, QStringLiteral("%1.gif").arg(n));
}

void globalProcedures::loadCheckPictures()
{
    fillFromFile(checkPictures, 0, QStringLiteral("check2.jpg"));
    fillFromFile(checkPictures, 1, QStringLiteral("check1.jpg"));
}

void globalProcedures::loadFretPictures()
{
    // Slot 0 is never filled: a markerFret of 0 shows no number.
    for (int n = 1; n <= 16; ++n)
        fillFromFile(fretPictures, n, QStringLiteral("fret%1.gif").arg(n));
}
