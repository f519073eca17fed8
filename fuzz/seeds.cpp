// Writes the seed corpora of the fuzz targets from the real lesson files
// and pictures.
//
//   fuzz_seeds DATA_DIRECTORY CORPUS_DIRECTORY
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds DATA_DIRECTORY CORPUS_DIRECTORY\n");
        return 2;
    }
    const QDir data(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    out.mkpath(QStringLiteral("lessonfile"));
    out.mkpath(QStringLiteral("show"));
    out.mkpath(QStringLiteral("picture"));
    // Pictures of each kind, behind the byte that chooses their decoder.
    const QDir program(QStringLiteral(FRETQUILL_PROGRAM_DIR));
    const char* pictures[] = {"bb.gif", "exit.jpg", "newblue.ico"};
    for (int p = 0; p < 3; ++p) {
        QFile in(program.filePath(QLatin1String(pictures[p])));
        QFile seed(out.filePath(QStringLiteral("picture/%1").arg(QLatin1String(pictures[p]))));
        if (!in.open(QIODevice::ReadOnly) || !seed.open(QIODevice::WriteOnly))
            return 1;
        seed.write(QByteArray(1, char(p)) + in.readAll());
    }
    const char* files[] = {"arpeggios.txt", "scales.txt", "chords.txt"};
    for (int f = 0; f < 3; ++f) {
        QFile in(data.filePath(QLatin1String(files[f])));
        if (!in.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray bytes = in.readAll();
        // The whole file for its loader, and its first lines for the reader.
        for (int mode : {0, f + 1}) {
            QFile seed(out.filePath(QStringLiteral("lessonfile/%1-%2").arg(files[f]).arg(mode)));
            seed.open(QIODevice::WriteOnly);
            seed.write(QByteArray(1, char(mode)) + (mode == 0 ? bytes.left(400) : bytes));
        }
        // Some entries as binary show inputs: table, index, 38 values.
        const QList<QByteArray> lines = bytes.split('\n');
        for (int e = 0; e < lines.size() - 1; e += 37) {
            QByteArray input(1, char(f == 0 ? 0 : f == 1 ? 2 : 1));
            const int16_t index = static_cast<int16_t>(e);
            input.append(reinterpret_cast<const char*>(&index), 2);
            for (const QByteArray& v : lines[e].trimmed().split(',')) {
                const int16_t value = static_cast<int16_t>(v.toInt());
                input.append(reinterpret_cast<const char*>(&value), 2);
            }
            QFile seed(out.filePath(QStringLiteral("show/%1-%2").arg(files[f]).arg(e)));
            seed.open(QIODevice::WriteOnly);
            seed.write(input);
        }
    }
    return 0;
}
