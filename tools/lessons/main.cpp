// Writes the three lesson files, computed from music theory.
//
//   fretquill-lessons OUTPUT_DIRECTORY      writes arpeggios.txt, chords.txt, scales.txt
//   fretquill-lessons --shapes              prints the CAGED shape of every scale position
#include "theory.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fretquill-lessons OUTPUT_DIRECTORY | --shapes\n");
        return 2;
    }
    try {
        const std::string arg = argv[1];
        if (arg == "--shapes") {
            for (int k = 1; k <= 12; ++k) {
                std::cout << theory::keyName(k);
                for (int p = 1; p <= 5; ++p)
                    std::cout << " " << theory::scaleShape(k, p);
                std::cout << "\n";
            }
            return 0;
        }
        const struct
        {
            const char* name;
            std::vector<theory::Record> records;
        } files[] = {{"arpeggios.txt", theory::arpeggioRecords()},
                     {"chords.txt", theory::chordRecords()},
                     {"scales.txt", theory::scaleRecords()}};
        for (const auto& f : files) {
            const std::string path = arg + "/" + f.name;
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
