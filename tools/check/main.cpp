// Checks a directory's lesson files and reports every fault it finds.
//
//   fretquill-check [--] DIRECTORY
//   fretquill-check --help | --version
//
// Exit status 0 when the files are right, 1 when there are faults (a missing
// or unreadable file among them), 2 on a usage error.
#include "lessonchecker.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
const char kUsage[] = "usage: fretquill-check [--] DIRECTORY\n"
                      "       fretquill-check --help | --version\n";

const char kHelp[] =
    "\n"
    "Reads the lesson files arpeggios.txt, chords.txt and scales.txt in\n"
    "DIRECTORY as Fretquill does, and reports every format and musical fault\n"
    "in them, with its file and line.\n"
    "\n"
    "  -h, --help  print this help and exit\n"
    "  --version   print the version and exit\n"
    "  --          take the next argument as DIRECTORY, even if it begins with '-'\n"
    "\n"
    "Exit status: 0 when the files are right, 1 when there are faults (a missing\n"
    "or unreadable file among them), 2 on a usage error.\n";

int usageError(const char* problem, const char* argument = "")
{
    std::fprintf(stderr, "fretquill-check: %s%s\n%sTry 'fretquill-check --help' for more.\n",
                 problem, argument, kUsage);
    return 2;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::vector<const char*> operands;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (options && std::strcmp(a, "--") == 0) {
            options = false;
        } else if (options && (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0)) {
            std::printf("%s%s", kUsage, kHelp);
            return 0;
        } else if (options && std::strcmp(a, "--version") == 0) {
            std::printf("fretquill-check %s\n", FRETQUILL_VERSION);
            return 0;
        } else if (options && a[0] == '-' && a[1] != '\0') {
            return usageError("unknown option ", a);
        } else {
            operands.push_back(a);
        }
    }
    if (operands.size() != 1)
        return usageError(operands.empty() ? "no directory given"
                                           : "more than one directory given");

    LessonChecker checker(QString::fromLocal8Bit(operands.front()));
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
