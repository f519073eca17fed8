// Saves pictures of the real main window, built offscreen from a program
// directory: the start panel, a chord, an arpeggio, two scale positions and
// a sheet of the five positions in two keys; the chord in the left-handed
// view.
//
//   fretquill-screenshot PROGRAM_DIRECTORY OUTPUT_DIRECTORY
#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/program.h"
#include "platform/imagecontrol.h"
#include "platform/runtimeerror.h"
#include "platform/selectorbox.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

namespace {
void pick(SelectorBox* box, const QString& item, void (frmMain::*handler)(), frmMain* form)
{
    box->setCurrentIndex(box->findText(item));
    (form->*handler)();
}

bool save(frmMain* form, const QString& dir, const QString& name)
{
    QApplication::processEvents();
    const QString path = QDir(dir).filePath(name);
    if (!form->grab().save(path)) {
        std::fprintf(stderr, "fretquill-screenshot: could not write %s\n", qPrintable(path));
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: fretquill-screenshot PROGRAM_DIRECTORY OUTPUT_DIRECTORY\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(out);
    const QString programDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QTemporaryDir lockDir;
    QDir::setCurrent(programDir);
    try {
        Program program(programDir, lockDir.path());
        if (program.start() != Program::Start::Running)
            return 1;
        program.splash()->splashTimer_Timer();
        frmMain* f = program.mainWindow();
        bool ok = save(f, out, QStringLiteral("start.png"));

        f->imgCheck1_Click();
        pick(f->cmbKey2, QStringLiteral("C"), &frmMain::cmbKey2_Click, f);
        pick(f->cmbQuality2, QStringLiteral("Dominant 7"), &frmMain::cmbQuality2_Click, f);
        pick(f->cmbInversion2, QStringLiteral("Second Inversion"), &frmMain::cmbInversion2_Click, f);
        ok = save(f, out, QStringLiteral("chord.png")) && ok;
        f->setLeftHanded(true);
        ok = save(f, out, QStringLiteral("chord-left-handed.png")) && ok;
        f->setLeftHanded(false);

        f->imgCheck3_Click();
        pick(f->cmbKey, QStringLiteral("G"), &frmMain::cmbKey_Click, f);
        pick(f->cmbQuality, QStringLiteral("Minor 7"), &frmMain::cmbQuality_Click, f);
        pick(f->cmbInversion, QStringLiteral("Root Position"), &frmMain::cmbInversion_Click, f);
        ok = save(f, out, QStringLiteral("arpeggio.png")) && ok;

        f->imgCheck2_Click();
        pick(f->cmbKey3, QStringLiteral("C"), &frmMain::cmbKey3_Click, f);
        pick(f->cmbPosition, QStringLiteral("First Position"), &frmMain::cmbPosition_Click, f);
        ok = save(f, out, QStringLiteral("scale.png")) && ok;

        pick(f->cmbKey3, QStringLiteral("F"), &frmMain::cmbKey3_Click, f);
        pick(f->cmbPosition, QStringLiteral("First Position"), &frmMain::cmbPosition_Click, f);
        ok = save(f, out, QStringLiteral("scale-at-the-nut.png")) && ok;

        // Each position is one shape in every key: the five positions in C
        // (a row) above the same five in G, the diagram half of the window.
        const QRect board(0, 0, 344, 545);
        QImage sheet(board.width() * 5, board.height() * 2, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        const QStringList keys = {QStringLiteral("C"), QStringLiteral("G")};
        for (int k = 0; k < keys.size(); ++k)
            for (int n = 1; n <= 5; ++n) {
                pick(f->cmbKey3, keys[k], &frmMain::cmbKey3_Click, f);
                f->cmbPosition->setCurrentIndex(n);
                f->cmbPosition_Click();
                QApplication::processEvents();
                painter.drawPixmap((n - 1) * board.width(), k * board.height(), f->grab(board));
            }
        painter.end();
        const QString sheetPath = QDir(out).filePath(QStringLiteral("positions.png"));
        if (!sheet.scaled(sheet.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                 .save(sheetPath)) {
            std::fprintf(stderr, "fretquill-screenshot: could not write %s\n", qPrintable(sheetPath));
            ok = false;
        }
        return ok ? 0 : 1;
    } catch (const RuntimeError& error) {
        std::fprintf(stderr, "fretquill-screenshot: %s\n", error.what());
        return 1;
    }
}
