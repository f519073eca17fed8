// Fuzzes the lesson-file reader and the three loaders. The first byte
// chooses what is read; the rest is the file. Any input must end in values
// or in a run-time error, never in a crash, a hang or undefined behaviour.
#include "lessons/globalprocedures.h"
#include "platform/lessonfile.h"
#include "platform/runtimeerror.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The module state holds picture caches, which need the GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const int mode = data[0] % 4;

    if (mode == 0) {
        // The reader alone, from memory: read every value there is.
        LessonFileReader reader;
        reader.openBytes(bytes, QStringLiteral("fuzz.txt"));
        try {
            int values = 0;
            while (!reader.atEnd()) {
                const int16_t v = reader.readValue();
                (void)v;
                if (++values > 1000000)
                    std::abort(); // more values than bytes: the reader would loop
            }
        } catch (const RuntimeError& e) {
            if (e.where().isEmpty())
                std::abort(); // every error names where it happened
        }
        return 0;
    }

    // A loader, through a real file in a program directory of its own.
    static QTemporaryDir dir;
    const char* names[] = {"arpeggios.txt", "scales.txt", "chords.txt"};
    const QString path = QDir(dir.path()).filePath(QLatin1String(names[mode - 1]));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(bytes);
    file.close();
    globalProcedures g(dir.path());
    try {
        if (mode == 1)
            g.loadArpeggios();
        else if (mode == 2)
            g.loadScales();
        else
            g.loadChords();
    } catch (const RuntimeError& e) {
        if (!e.message().contains(path))
            std::abort(); // a loader's error names its file
    }
    return 0;
}
