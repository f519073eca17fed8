// Checks a directory's lesson files and reports every fault it finds.
//
//   fretquill-check DIRECTORY
//
// Exit status 0 when the files are right, 1 when there are faults, 2 on a
// usage error.
#include "lessonchecker.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: fretquill-check DIRECTORY\n");
        return 2;
    }
    LessonChecker checker(QString::fromLocal8Bit(argv[1]));
    const auto faults = checker.run();
    for (const auto& f : faults)
        std::printf("%s\n", qPrintable(f.text()));
    if (faults.isEmpty()) {
        std::printf("fretquill-check: arpeggios.txt, chords.txt and scales.txt are right\n");
        return 0;
    }
    std::printf("fretquill-check: %lld fault%s\n", static_cast<long long>(faults.size()),
                faults.size() == 1 ? "" : "s");
    return 1;
}
