// The fretboard display: what each cell and label shows after a show, and
// every check in its order.
#include "lessons/globalprocedures.h"
#include "platform/fileaccesslog.h"
#include "platform/imagecontrol.h"
#include "selection/boarddescription.h"
#include "selection/boardmirror.h"
#include "selection/fretboard.h"
#include "selection/fretboarddisplay.h"
#include "testsupport.h"

#include <QPainter>

namespace {
// A test entry: cell p shows picture (p + offset) % 23, then the markers.
QByteArray entry(int offset, int markerFret, int markerSlot)
{
    QByteArray line;
    for (int p = 0; p < kCellCount; ++p)
        line += QByteArray::number((p + offset) % 23) + ",";
    return line + QByteArray::number(markerFret) + "," + QByteArray::number(markerSlot) + "\r\n";
}
} // namespace

class tst_FretboardDisplay : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void geometry();
    void showPaintsEveryCellFromTheCache();
    void grabShowsEachPictureAtItsPlace();
    void indexBounds();
    void badCellValueStopsAtThatCell();
    void fretLabel();
    void fretLabelFailuresChangeNoLabel();
    void describedInWords_data();
    void describedInWords();
    void leftHandedMirrorsTheBoard_data();
    void leftHandedMirrorsTheBoard();

private:
    void loadTables(const QByteArray& arpeggios, const QByteArray& chords, const QByteArray& scales);

    std::unique_ptr<ProgramDirectoryFixture> dir_;
    std::unique_ptr<globalProcedures> g_;
    std::unique_ptr<QWidget> window_;
    Fretboard board_;
    std::unique_ptr<FretboardDisplay> display_;
};

void tst_FretboardDisplay::init()
{
    dir_ = std::make_unique<ProgramDirectoryFixture>();
    g_ = std::make_unique<globalProcedures>(dir_->path());
    g_->loadDotPictures();
    g_->loadFretPictures();
    window_ = std::make_unique<QWidget>();
    window_->resize(681, 545);
    board_ = Fretboard{};
    board_.create(window_.get());
    display_ = std::make_unique<FretboardDisplay>(*g_, board_);
}

void tst_FretboardDisplay::cleanup()
{
    display_.reset();
    window_.reset();
    g_.reset();
    dir_.reset();
}

void tst_FretboardDisplay::loadTables(const QByteArray& arpeggios, const QByteArray& chords,
                                      const QByteArray& scales)
{
    dir_->write(QStringLiteral("arpeggios.txt"), arpeggios);
    dir_->write(QStringLiteral("chords.txt"), chords);
    dir_->write(QStringLiteral("scales.txt"), scales);
    g_->loadArpeggios();
    g_->loadChords();
    g_->loadScales();
}

void tst_FretboardDisplay::geometry()
{
    QCOMPARE(board_.img[0]->geometry(), QRect(24, 72, 49, 97));
    QCOMPARE(board_.img[5]->geometry(), QRect(200, 72, 33, 97));
    QCOMPARE(board_.img[30]->geometry(), QRect(24, 424, 49, 65));
    QCOMPARE(board_.img[35]->geometry(), QRect(200, 424, 33, 65));
    QCOMPARE(board_.imgFret[0]->geometry(), QRect(16, 168, 25, 41));
    QCOMPARE(board_.imgFret[4]->geometry(), QRect(16, 424, 25, 41));
}

void tst_FretboardDisplay::showPaintsEveryCellFromTheCache()
{
    QByteArray arps;
    for (int e = 0; e < 241; ++e)
        arps += entry(e, e % 17, e % 5);
    loadTables(arps, arps, entry(3, 7, 2));
    FileAccessLog::clear();
    g_->currentArpeggio = 240;
    display_->showArpeggio();
    for (int p = 0; p < kCellCount; ++p)
        QCOMPARE(board_.img[p]->picture().cacheKey(),
                 g_->dotPictures((p + 240) % 23).cacheKey()); // shared, not copied
    QCOMPARE(g_->markerFret, int16_t(240 % 17));
    QCOMPARE(g_->markerSlot, int16_t(0));
    for (ImageControl* label : board_.imgFret)
        QVERIFY(label->picture().isNull()); // a show touches no label

    g_->currentChord = 7;
    display_->showChord();
    QCOMPARE(board_.img[0]->picture().cacheKey(), g_->dotPictures(7).cacheKey());
    g_->currentScale = 0;
    display_->showScale();
    QCOMPARE(board_.img[1]->picture().cacheKey(), g_->dotPictures(4).cacheKey());
    QCOMPARE(g_->markerFret, int16_t(7));
    QCOMPARE(g_->markerSlot, int16_t(2));
    QVERIFY(FileAccessLog::opened().isEmpty()); // a show reads no file
}

void tst_FretboardDisplay::grabShowsEachPictureAtItsPlace()
{
    globalProcedures shipped(QStringLiteral(FRETQUILL_PROGRAM_DIR));
    shipped.loadChords();
    g_->chordTable = shipped.chordTable;
    g_->currentChord = 70; // C Dominant 7, second inversion
    display_->showChord();
    // This test runs again at a scale factor of 2, where each cell must show
    // its picture's @2x twin, pixel for pixel, in twice the pixels.
    const QImage shot = window_->grab().toImage();
    const int scale = qRound(window_->devicePixelRatioF());
    for (int i = 0; i < kCellCount; ++i) {
        const QString name = scale > 1 ? QStringLiteral("%1@2x.gif") : QStringLiteral("%1.gif");
        const QImage picture = imageOf(dir_->file(name.arg(g_->chordTable(70, i))));
        QCOMPARE(picture.size(), board_.img[i]->size() * scale);
        const QRect cell(board_.img[i]->geometry().topLeft() * scale, picture.size());
        // The last column and row are covered by the next cell's first.
        const QRect inner(cell.topLeft(), cell.size() - QSize(scale, scale));
        QVERIFY2(samePixels(shot.copy(inner), picture.copy(QRect(QPoint(0, 0), inner.size()))),
                 qPrintable(QStringLiteral("cell %1").arg(i)));
    }
}

void tst_FretboardDisplay::indexBounds()
{
    loadTables(QByteArray(), QByteArray(), QByteArray());
    g_->currentArpeggio = 240;
    display_->showArpeggio();
    g_->currentChord = 240;
    display_->showChord();
    g_->currentScale = 60;
    display_->showScale();
    QVERIFY(board_.img[0]->picture().cacheKey() == g_->dotPictures(0).cacheKey());

    g_->markerFret = 5;
    for (int16_t bad : {int16_t(241), int16_t(-1)}) {
        g_->currentArpeggio = bad;
        QVERIFY_ERROR(display_->showArpeggio(), ErrorNumber::SubscriptOutOfRange);
        g_->currentChord = bad;
        QVERIFY_ERROR(display_->showChord(), ErrorNumber::SubscriptOutOfRange);
    }
    g_->currentScale = 61;
    QVERIFY_ERROR(display_->showScale(), ErrorNumber::SubscriptOutOfRange);
    QCOMPARE(g_->markerFret, int16_t(5));
}

void tst_FretboardDisplay::badCellValueStopsAtThatCell()
{
    QByteArray bad = "1,1,1,1,1,23,24,";
    for (int p = 7; p < kCellCount; ++p)
        bad += "1,";
    bad += "3,1\r\n";
    loadTables(entry(0, 0, 0), bad, QByteArray());
    g_->currentArpeggio = 0;
    display_->showArpeggio();
    g_->markerFret = 9;
    g_->markerSlot = 4;
    g_->currentChord = 0;
    QString where;
    QCOMPARE(errorNumberOf([&] { display_->showChord(); }, &where), 9);
    QVERIFY2(where.contains(QStringLiteral("cell 6")), qPrintable(where));
    QCOMPARE(board_.img[0]->picture().cacheKey(), g_->dotPictures(1).cacheKey());
    QVERIFY(board_.img[5]->picture().isNull()); // 23: an empty cell
    QCOMPARE(board_.img[6]->picture().cacheKey(), g_->dotPictures(6).cacheKey()); // the old entry
    QCOMPARE(g_->markerFret, int16_t(9));
    QCOMPARE(g_->markerSlot, int16_t(4));
}

void tst_FretboardDisplay::fretLabel()
{
    loadTables(entry(0, 5, 1) + entry(0, 12, 3) + entry(0, 7, 3) + entry(0, 0, 2), QByteArray(),
               QByteArray());
    auto showEntry = [&](int e) {
        g_->currentArpeggio = static_cast<int16_t>(e);
        display_->showArpeggio();
        display_->showFretLabel();
    };
    auto visibleLabels = [&] {
        QList<int> v;
        for (int k = 0; k < Fretboard::kLabels; ++k)
            if (board_.imgFret[k]->isVisibleTo(window_.get()))
                v.append(k);
        return v;
    };
    showEntry(0);
    QCOMPARE(visibleLabels(), QList<int>{1});
    QCOMPARE(board_.imgFret[1]->picture().cacheKey(), g_->fretPictures(5).cacheKey());
    showEntry(1); // a different label place: only the new one shows
    QCOMPARE(visibleLabels(), QList<int>{3});
    QCOMPARE(board_.imgFret[3]->picture().cacheKey(), g_->fretPictures(12).cacheKey());
    showEntry(2); // the same place: shown again with the new number
    QCOMPARE(visibleLabels(), QList<int>{3});
    QCOMPARE(board_.imgFret[3]->picture().cacheKey(), g_->fretPictures(7).cacheKey());
    QCOMPARE(board_.imgFret[1]->picture().cacheKey(), g_->fretPictures(5).cacheKey()); // kept
    showEntry(3); // fret 0: the label shows, empty
    QCOMPARE(visibleLabels(), QList<int>{2});
    QVERIFY(board_.imgFret[2]->picture().isNull());
}

void tst_FretboardDisplay::fretLabelFailuresChangeNoLabel()
{
    loadTables(entry(0, 5, 1), QByteArray(), QByteArray());
    g_->currentArpeggio = 0;
    display_->showArpeggio();
    display_->showFretLabel();
    const qint64 before = board_.imgFret[1]->picture().cacheKey();

    g_->markerFret = 17;
    g_->markerSlot = 2;
    QVERIFY_ERROR(display_->showFretLabel(), ErrorNumber::SubscriptOutOfRange);
    g_->markerFret = 3;
    g_->markerSlot = 5;
    QVERIFY_ERROR(display_->showFretLabel(), ErrorNumber::ControlArrayElementMissing);
    g_->markerSlot = -1;
    QVERIFY_ERROR(display_->showFretLabel(), ErrorNumber::ControlArrayElementMissing);
    QVERIFY(board_.imgFret[1]->isVisibleTo(window_.get()));
    QCOMPARE(board_.imgFret[1]->picture().cacheKey(), before);
    QVERIFY(board_.imgFret[2]->picture().isNull());
}

// An entry for the description: the top row's six pictures, then the
// fretted cells as (row, string, picture) on plain fret cells, then the
// fret marker and its label place.
static LessonEntry diagram(std::array<int, 6> top, QList<std::array<int, 3>> cells, int markerFret,
                           int markerSlot)
{
    LessonEntry e{};
    for (int s = 0; s < 6; ++s)
        e[s] = int16_t(top[s]);
    for (int p = 6; p < kCellCount; ++p)
        e[p] = int16_t(p % 6 == 0 ? 3 : 0);
    for (const auto& [row, string, picture] : cells)
        e[row * 6 + string] = int16_t(picture);
    e[kMarkerFretPosition] = int16_t(markerFret);
    e[kMarkerSlotPosition] = int16_t(markerSlot);
    return e;
}

void tst_FretboardDisplay::describedInWords_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("entry");
    QTest::addColumn<LessonEntry>("values");
    QTest::addColumn<QString>("words");
    const int arpeggio = int(DiagramKind::Arpeggio), chord = int(DiagramKind::Chord),
              scale = int(DiagramKind::Scale);
    QTest::newRow("blank") << arpeggio << 240 << diagram({12, 6, 6, 6, 6, 6}, {}, 0, 0)
                           << QStringLiteral("Empty fretboard");
    QTest::newRow("at the nut: open strings, a muted one, labelled tones")
        << chord << 0 << diagram({15, 8, 6, 6, 6, 7}, {{2, 2, 19}, {1, 3, 20}, {2, 4, 18}}, 0, 0)
        << QStringLiteral("A Major 7, Root Position. Low E string not played. A string open, A, "
                          "root; D string fret 2, E, fifth; G string fret 1, G sharp, major "
                          "seventh; B string fret 2, C sharp, major third; high E string open, E, "
                          "fifth.");
    QTest::newRow("away from the nut: several notes on a string, one outside the chord")
        << arpeggio << 27
        << diagram({16, 10, 10, 10, 10, 11},
                   {{1, 0, 5}, {2, 0, 4}, {4, 0, 4}, {5, 0, 4}, {3, 1, 2}}, 6, 0)
        << QStringLiteral("Bb Minor 7 arpeggio, Third Inversion. High E string not played. Low E "
                          "string frets 6 (B flat, root), 7 (B, not in the chord), 9 (D flat, "
                          "minor third) and 10 (D, not in the chord); A string fret 8, F, fifth.");
    QTest::newRow("two strings muted, a scale's name")
        << scale << 17 << diagram({17, 11, 10, 10, 10, 10}, {{1, 2, 1}, {4, 5, 2}}, 5, 0)
        << QStringLiteral("C major scale, Third Position, C shape. Low E and A strings not "
                          "played. D string fret 5, G, fifth; high E string fret 8, C, root.");
    QTest::newRow("spelled by letter: a diminished seventh's double flat")
        << chord << 76
        << diagram({17, 10, 10, 10, 10, 11}, {{1, 1, 2}, {2, 2, 19}, {5, 2, 20}, {2, 4, 18}}, 3, 0)
        << QStringLiteral("C Fully Diminished 7, Root Position. Low E and high E strings not "
                          "played. A string fret 3, C, root; D string frets 4 (G flat, flat "
                          "fifth) and 7 (B double flat, diminished seventh); B string fret 4, E "
                          "flat, minor third.");
    QTest::newRow("spelled by letter: Gb major's fourth is C flat")
        << scale << 45 << diagram({15, 9, 9, 9, 7, 6}, {{2, 5, 2}, {4, 5, 1}}, 0, 0)
        << QStringLiteral("Gb major scale, First Position, E shape. Low E, A, D and G strings "
                          "not played. B string open, C flat, fourth; high E string frets 2 (G "
                          "flat, root) and 4 (A flat, second).");
    QTest::newRow("an open root on the low E string")
        << scale << 35 << diagram({14, 6, 6, 6, 6, 8}, {}, 0, 0)
        << QStringLiteral("E major scale, First Position, E shape. Low E string open, E, root; "
                          "high E string open, E, root.");
    QTest::newRow("an empty cell and a nameless entry")
        << chord << 240 << diagram({13, 6, 6, 6, 6, 6}, {{1, 1, 23}, {2, 1, 2}}, 0, 0)
        << QStringLiteral("Low E string open, E; A string fret 2, B, root.");
}

// The words come from the cell pictures alone, as the README's table reads
// them, and from the entry's place in its table.
void tst_FretboardDisplay::describedInWords()
{
    QFETCH(int, kind);
    QFETCH(int, entry);
    QFETCH(LessonEntry, values);
    QFETCH(QString, words);
    QCOMPARE(describeDiagram(DiagramKind(kind), entry, values), words);
}

void tst_FretboardDisplay::leftHandedMirrorsTheBoard_data()
{
    QTest::addColumn<int>("kind"); // DiagramKind: arpeggio, chord, scale
    for (const int kind : {0, 1, 2})
        QTest::newRow(std::array{"arpeggio", "chord", "scale"}[kind]) << kind;
}

// Left-handed, the board is the mirror image of the right-handed one, but
// for the label pictures (the fret number, the dots labelled 3, 5 and 7):
// each stands unmirrored in its mirrored place, less its edge columns and
// bottom row, which neighbouring cells may cover.
void tst_FretboardDisplay::leftHandedMirrorsTheBoard()
{
    QFETCH(int, kind);
    g_->loadArpeggios(); // the shipped lessons
    g_->loadChords();
    g_->loadScales();
    const LessonTable& table = *std::array{&g_->arpeggioTable, &g_->chordTable, &g_->scaleTable}[kind];
    // The first lesson with a fret number and, in a chord, labelled dots.
    QList<ImageControl*> labels;
    int e = 0;
    for (;; ++e) {
        labels = {board_.imgFret[table(e, kMarkerSlotPosition)]};
        for (int p = 0; p < kCellCount; ++p)
            if (table(e, p) >= 18 && table(e, p) <= 20)
                labels << board_.img[p];
        if (table(e, kMarkerFretPosition) > 0 && (kind != int(DiagramKind::Chord) || labels.size() > 1))
            break;
    }
    g_->currentArpeggio = g_->currentChord = g_->currentScale = int16_t(e);
    (display_.get()->*std::array{&FretboardDisplay::showArpeggio, &FretboardDisplay::showChord,
                                 &FretboardDisplay::showScale}[kind])();
    display_->showFretLabel();

    const QRect board(QPoint(16, 72), QPoint(240, 488)); // labels and grid, in both views
    const int scale = qRound(window_->devicePixelRatioF());
    QImage expected = window_->grab(board).toImage().mirrored(true, false);
    BoardMirror mirror(*g_, board_);
    FileAccessLog::clear();
    mirror.setLeftHanded(true);
    QImage left = window_->grab(board).toImage();
    QVERIFY(FileAccessLog::opened().isEmpty()); // from the cached pictures
    for (ImageControl* label : labels) {
        const QRect inner(QPoint(scale, 0), label->size() * scale - QSize(2 * scale, scale));
        QVERIFY(samePixels(left.copy(inner.translated((label->pos() - board.topLeft()) * scale)),
                           label->picture().toImage().copy(inner)));
        for (QImage* image : {&left, &expected}) // in logical pixels
            QPainter(image).fillRect(label->geometry().translated(-board.topLeft()), Qt::red);
    }
    QVERIFY(samePixels(left, expected));
}

QTEST_MAIN(tst_FretboardDisplay)
#include "tst_fretboarddisplay.moc"
