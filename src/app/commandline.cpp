#include "commandline.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char kUsage[] = "usage: fretquill [--left-handed] [Qt options]\n"
                      "       fretquill --help | --version\n";

const char kHelp[] =
    "\n"
    "Teaches seventh chords, seventh-chord arpeggios and the five positions of\n"
    "the major scale by drawing them on a fretboard diagram.\n"
    "\n"
    "  --left-handed  start with the diagram mirrored for left-handed players,\n"
    "                 low E on the right (Alt+L switches the view)\n"
    "  -h, --help     print this help and exit\n"
    "  --version      print the version and exit\n"
    "\n"
    "The standard Qt options, such as -platform, are taken as well.\n"
    "\n"
    "Exit status: 0 when the program is quit or another copy is running, 1 on a\n"
    "run-time error, 2 on a usage error or without a graphical display.\n";

// Qt's own options, with one dash or two; those that take a value take the
// next argument, or the part after "=".
const char* const kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style", "stylesheet",
    "qmljsdebugger"};
const char* const kQtFlags[] = {"reverse", "widgetcount"};

// How many arguments a Qt option at `argument` takes up, or 0 when it is none.
int qtOptionLength(const char* argument)
{
    const char* name = argument + (argument[1] == '-' ? 2 : 1);
    const char* equals = std::strchr(name, '=');
    const std::string bare = equals ? std::string(name, equals) : std::string(name);
    for (const char* option : kQtOptionsWithValue)
        if (bare == option)
            return equals ? 1 : 2;
    for (const char* flag : kQtFlags)
        if (!equals && bare == flag)
            return 1;
    return 0;
}

bool isPlatformOption(const char* argument)
{
    const char* name = argument + (argument[1] == '-' ? 2 : 1);
    return std::strcmp(name, "platform") == 0 || std::strncmp(name, "platform=", 9) == 0;
}

int usageError(const char* problem, const char* argument)
{
    std::fprintf(stderr, "fretquill: %s%s\n%sTry 'fretquill --help' for more.\n", problem,
                 argument, kUsage);
    return 2;
}

} // namespace

CommandLine readCommandLine(int argc, char* argv[])
{
    CommandLine line;
    for (int i = 1; i < argc && line.exitStatus < 0; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--left-handed") == 0) {
            line.leftHanded = true;
        } else if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
            std::printf("%s%s", kUsage, kHelp);
            line.exitStatus = 0;
        } else if (std::strcmp(a, "--version") == 0) {
            std::printf("fretquill %s\n", FRETQUILL_VERSION);
            line.exitStatus = 0;
        } else if (a[0] == '-' && a[1] != '\0') {
            const int length = qtOptionLength(a);
            if (length == 0)
                line.exitStatus = usageError("unknown option ", a);
            line.platformNamed = line.platformNamed || isPlatformOption(a);
            i += length - 1;
        } else {
            line.exitStatus = usageError("unexpected argument ", a);
        }
    }
    std::fflush(stdout);
    return line;
}
