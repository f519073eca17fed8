// Writes the three lesson files, computed from music theory.
//
//   fretquill-lessons OUTPUT_DIRECTORY      writes arpeggios.txt, chords.txt, scales.txt
#include "theory.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fretquill-lessons OUTPUT_DIRECTORY\n");
        return 2;
    }
    try {
        const std::string directory = argv[1];
        const struct
        {
            const char* name;
            std::vector<theory::Record> records;
        } files[] = {{"arpeggios.txt", theory::arpeggioRecords()},
                     {"chords.txt", theory::chordRecords()},
                     {"scales.txt", theory::scaleRecords()}};
        for (const auto& f : files) {
            const std::string path = directory + "/" + f.name;
            std::ofstream out(path, std::ios::binary);
            out << theory::formatRecords(f.records);
            if (!out) {
                std::fprintf(stderr, "fretquill-lessons: could not write %s\n", path.c_str());
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fretquill-lessons: %s\n", e.what());
        return 1;
    }
    return 0;
}
