#pragma once

// fretquill's own command-line options. The standard Qt options (such as
// -platform) are left to Qt; anything else is a usage error.
struct CommandLine
{
    bool leftHanded = false; // --left-handed: start in the left-handed view
    bool platformNamed = false; // Qt's -platform names the display to use
    // -1 to go on and start the program; otherwise the exit status, the
    // help, the version or the usage error having been printed.
    int exitStatus = -1;
};

// Reads the arguments. Needs no display and no Qt application, so that
// --help, --version and a usage error work anywhere.
CommandLine readCommandLine(int argc, char* argv[]);
