// Selections as a person makes them: what the board, the fret label, the
// captions, the bullets and the selectors show after each pick.
#include "app/frmmain.h"
#include "app/program.h"
#include "lessons/globalprocedures.h"
#include "platform/imagecontrol.h"
#include "platform/panelframe.h"
#include "platform/selectorbox.h"
#include "testsupport.h"

#include <QAccessible>

class tst_Selection : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void chordWalkThrough();
    void firstAndLastEntries_data();
    void firstAndLastEntries();
    void scaleEntries_data();
    void scaleEntries();
    void wideQualityCaption();
    void keySharedAcrossPanels();
    void keyHeaderAfterAKeyTakesTheResetPath();
    void qualityHeaderKeepsPicturesAndBullets();
    void picksBeforeTheirPrerequisitesChangeNothing();
    void headerPicksChangeNothing();
    void secondPickAfterAShowChangesNothing();
    void qualityOfTheOtherPanelTakesTheResetPath();
    void qualitySelectorAtItsHeaderTakesTheResetPath();
    void keyListDropDownBlanks();
    void inPlaceKeyPickEqualsTheListsPick_data();
    void inPlaceKeyPickEqualsTheListsPick();
    void screenReadersHearTheDiagram();
    void missingCaptionIsARuntimeError();

private:
    void pick(SelectorBox* box, const QString& item);
    void pick(SelectorBox* box, int index);
    QStringList visibleCaptions() const;
    QList<int> visibleLabels() const;
    void verifyBoardShows(const LessonTable& table, int entry);
    void verifyBlankBoard();

    std::unique_ptr<RunningProgram> run_;
    frmMain* f_ = nullptr;
    globalProcedures* g_ = nullptr;
};

void tst_Selection::init()
{
    run_ = std::make_unique<RunningProgram>(true);
    f_ = &run_->form();
    g_ = &f_->module();
}

void tst_Selection::cleanup()
{
    run_.reset();
}

// A pick as the user makes it: the item becomes current, then activated().
void tst_Selection::pick(SelectorBox* box, int index)
{
    box->setCurrentIndex(index);
    emit box->activated(index);
}

void tst_Selection::pick(SelectorBox* box, const QString& item)
{
    const int index = box->findText(item);
    QVERIFY2(index >= 0, qPrintable(item));
    pick(box, index);
}

QStringList tst_Selection::visibleCaptions() const
{
    QStringList shown;
    for (ImageControl* c :
         {f_->imgKey, f_->imgQuality, f_->imgQualityLarge, f_->imgInversion, f_->imgPosition})
        if (!c->isHidden())
            shown << c->objectName();
    return shown;
}

QList<int> tst_Selection::visibleLabels() const
{
    QList<int> shown;
    for (int k = 0; k < 5; ++k)
        if (!f_->imgFret[k]->isHidden())
            shown << k;
    return shown;
}

void tst_Selection::verifyBoardShows(const LessonTable& table, int entry)
{
    for (int p = 0; p < kCellCount; ++p)
        QCOMPARE(f_->img[p]->picture().cacheKey(), g_->dotPictures(table(entry, p)).cacheKey());
    const int slot = table(entry, 37);
    QCOMPARE(visibleLabels(), QList<int>{slot});
    QCOMPARE(f_->imgFret[slot]->picture().cacheKey(),
             g_->fretPictures(table(entry, 36)).cacheKey());
}

void tst_Selection::verifyBlankBoard()
{
    for (int p = 0; p < kCellCount; ++p)
        QCOMPARE(f_->img[p]->picture().cacheKey(),
                 g_->dotPictures(g_->arpeggioTable(240, p)).cacheKey());
    QVERIFY(visibleLabels().isEmpty());
    QVERIFY(visibleCaptions().isEmpty());
}

void tst_Selection::chordWalkThrough()
{
    f_->imgCheck1_Click();
    pick(f_->cmbKey2, "C");
    QCOMPARE(f_->selectedKey, int16_t(4));
    QCOMPARE(f_->keyChosen, int16_t(1));
    QVERIFY(samePixels(f_->imgKey->picture().toImage(), imageOf(run_->directory().file("key4.jpg"))));
    QVERIFY(f_->imgBB4->isHidden() && !f_->imgBB5->isHidden() && f_->imgBB6->isHidden());

    pick(f_->cmbQuality2, "Dominant 7");
    QCOMPARE(f_->selectedQuality, int16_t(3));
    QVERIFY(samePixels(f_->imgQuality->picture().toImage(),
                       imageOf(run_->directory().file("quality3.jpg"))));
    QVERIFY(visibleCaptions().isEmpty()); // hidden until the inversion
    QVERIFY(f_->imgBB4->isHidden() && f_->imgBB5->isHidden() && !f_->imgBB6->isHidden());

    pick(f_->cmbInversion2, "Second Inversion");
    QCOMPARE(g_->currentChord, int16_t(70));
    verifyBoardShows(g_->chordTable, 70);
    QVERIFY(samePixels(f_->imgInversion->picture().toImage(),
                       imageOf(run_->directory().file("inversion3.jpg"))));
    QCOMPARE(visibleCaptions(), QStringList({"imgKey", "imgQuality", "imgInversion"}));
    QVERIFY(!f_->imgBB4->isHidden() && f_->imgBB5->isHidden() && f_->imgBB6->isHidden());
    QCOMPARE(f_->cmbKey2->text(), QStringLiteral(" SELECT KEY "));
    QCOMPARE(f_->cmbQuality2->text(), QStringLiteral(" SELECT CHORD QUALITY "));
    QCOMPARE(f_->cmbInversion2->text(), QStringLiteral(" SELECT INVERSION "));
    QCOMPARE(f_->focusWidget(), f_->cmbKey2);
    QCOMPARE(f_->keyChosen, int16_t(0));
    QCOMPARE(f_->qualityChosen, int16_t(0));
}

void tst_Selection::firstAndLastEntries_data()
{
    QTest::addColumn<bool>("chords");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("quality");
    QTest::addColumn<QString>("inversion");
    QTest::addColumn<int>("entry");
    for (bool chords : {false, true}) {
        const char* panel = chords ? "chord " : "arpeggio ";
        QTest::newRow(qPrintable(QString(panel) + "0"))
            << chords << "A" << "Major 7" << "Root Position" << 0;
        QTest::newRow(qPrintable(QString(panel) + "239"))
            << chords << "Ab" << "Fully Diminished 7" << "Third Inversion" << 239;
        QTest::newRow(qPrintable(QString(panel) + "27"))
            << chords << "Bb" << "Minor 7" << "Third Inversion" << 27;
    }
}

void tst_Selection::firstAndLastEntries()
{
    QFETCH(bool, chords);
    QFETCH(QString, key);
    QFETCH(QString, quality);
    QFETCH(QString, inversion);
    QFETCH(int, entry);
    if (chords) {
        f_->imgCheck1_Click();
        pick(f_->cmbKey2, key);
        pick(f_->cmbQuality2, quality);
        pick(f_->cmbInversion2, inversion);
        QCOMPARE(g_->currentChord, int16_t(entry));
        verifyBoardShows(g_->chordTable, entry);
    } else {
        f_->imgCheck3_Click();
        pick(f_->cmbKey, key);
        pick(f_->cmbQuality, quality);
        pick(f_->cmbInversion, inversion);
        QCOMPARE(g_->currentArpeggio, int16_t(entry));
        verifyBoardShows(g_->arpeggioTable, entry);
        QCOMPARE(f_->focusWidget(), f_->cmbKey);
    }
}

void tst_Selection::scaleEntries_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("position");
    QTest::addColumn<int>("entry");
    QTest::newRow("A first") << "A" << "First Position" << 0;
    QTest::newRow("Bb third") << "Bb" << "Third Position" << 7;
    QTest::newRow("Ab fifth") << "Ab" << "Fifth Position" << 59;
}

void tst_Selection::scaleEntries()
{
    QFETCH(QString, key);
    QFETCH(QString, position);
    QFETCH(int, entry);
    f_->imgCheck2_Click();
    pick(f_->cmbKey3, key);
    QVERIFY(f_->imgBB7->isHidden() && !f_->imgBB8->isHidden());
    pick(f_->cmbPosition, position);
    QCOMPARE(g_->currentScale, int16_t(entry));
    verifyBoardShows(g_->scaleTable, entry);
    QCOMPARE(visibleCaptions(), QStringList({"imgKey", "imgPosition"}));
    QVERIFY(!f_->imgBB7->isHidden() && f_->imgBB8->isHidden());
    QCOMPARE(f_->cmbKey3->text(), QStringLiteral(" SELECT KEY "));
    QCOMPARE(f_->cmbPosition->text(), QStringLiteral(" SELECT POSITION "));
    QCOMPARE(f_->focusWidget(), f_->cmbKey3);
    QCOMPARE(f_->keyChosen, int16_t(0));
}

void tst_Selection::wideQualityCaption()
{
    f_->imgCheck3_Click();
    pick(f_->cmbKey, "E");
    pick(f_->cmbQuality, "Half Diminished 7");
    QVERIFY(samePixels(f_->imgQualityLarge->picture().toImage(),
                       imageOf(run_->directory().file("quality4.jpg"))));
    pick(f_->cmbInversion, "First Inversion");
    QCOMPARE(visibleCaptions(), QStringList({"imgKey", "imgQualityLarge", "imgInversion"}));
}

void tst_Selection::keySharedAcrossPanels()
{
    f_->imgCheck1_Click();
    pick(f_->cmbKey2, "D");
    f_->imgCheck3_Click();
    pick(f_->cmbQuality, "Minor 7");
    pick(f_->cmbInversion, "Root Position");
    QCOMPARE(g_->currentArpeggio, int16_t((6 - 1) * 20 + 4));
    verifyBoardShows(g_->arpeggioTable, 104);
    QCOMPARE(f_->cmbKey->text(), QStringLiteral(" SELECT KEY "));

    pick(f_->cmbKey, "G");
    f_->imgCheck2_Click();
    pick(f_->cmbPosition, "Second Position");
    QCOMPARE(g_->currentScale, int16_t((11 - 1) * 5 + 1));
    verifyBoardShows(g_->scaleTable, 51);
}

void tst_Selection::keyHeaderAfterAKeyTakesTheResetPath()
{
    f_->imgCheck3_Click();
    pick(f_->cmbKey, "F");
    const qint64 keyPicture = f_->imgKey->picture().cacheKey();
    pick(f_->cmbKey, " SELECT KEY ");
    QCOMPARE(f_->selectedKey, int16_t(0));
    QCOMPARE(f_->keyChosen, int16_t(1));
    QCOMPARE(f_->imgKey->picture().cacheKey(), keyPicture);
    QVERIFY(f_->imgBB1->isHidden() && !f_->imgBB2->isHidden());
    pick(f_->cmbQuality, "Major 7");
    pick(f_->cmbInversion, "Root Position");
    verifyBlankBoard();
    QCOMPARE(f_->cmbKey->text(), QStringLiteral(" SELECT KEY "));
    QCOMPARE(f_->cmbQuality->text(), QStringLiteral(" SELECT CHORD QUALITY "));
    QCOMPARE(f_->cmbInversion->text(), QStringLiteral(" SELECT INVERSION "));
    QCOMPARE(f_->focusWidget(), f_->cmbKey);
    QCOMPARE(f_->keyChosen, int16_t(1));
    QCOMPARE(f_->qualityChosen, int16_t(1));
    QVERIFY(!f_->imgBB1->isHidden() && f_->imgBB2->isHidden() && f_->imgBB3->isHidden());

    // The scale panel's reset path alike.
    f_->imgCheck2_Click();
    pick(f_->cmbKey3, "A");
    pick(f_->cmbKey3, " SELECT KEY ");
    pick(f_->cmbPosition, "First Position");
    verifyBlankBoard();
    QCOMPARE(f_->cmbPosition->text(), QStringLiteral(" SELECT POSITION "));
    QCOMPARE(f_->focusWidget(), f_->cmbKey3);
    QCOMPARE(f_->keyChosen, int16_t(1));
}

void tst_Selection::qualityHeaderKeepsPicturesAndBullets()
{
    f_->imgCheck3_Click();
    pick(f_->cmbKey, "C");
    pick(f_->cmbQuality, "Minor 7");
    const qint64 quality = f_->imgQuality->picture().cacheKey();
    pick(f_->cmbQuality, " SELECT CHORD QUALITY ");
    QCOMPARE(f_->qualityChosen, int16_t(1));
    QCOMPARE(f_->selectedQuality, int16_t(0));
    QCOMPARE(f_->imgQuality->picture().cacheKey(), quality);
    QVERIFY(!f_->imgBB3->isHidden());
}

void tst_Selection::picksBeforeTheirPrerequisitesChangeNothing()
{
    f_->imgCheck3_Click();
    pick(f_->cmbQuality, "Dominant 7");
    QCOMPARE(f_->qualityChosen, int16_t(0));
    QCOMPARE(f_->selectedQuality, int16_t(0));
    QVERIFY(f_->imgQuality->picture().isNull());
    pick(f_->cmbInversion, "First Inversion");
    QCOMPARE(f_->cmbInversion->text(), QStringLiteral("First Inversion")); // keeps showing the pick
    QVERIFY(f_->imgInversion->picture().isNull());
    verifyBlankBoard();

    pick(f_->cmbKey, "B");
    pick(f_->cmbInversion, "First Inversion"); // a key but no quality yet
    QVERIFY(f_->imgInversion->picture().isNull());
    QCOMPARE(f_->selectedInversion, int16_t(0));

    f_->imgCheck2_Click();
    f_->keyChosen = 0;
    pick(f_->cmbPosition, "Third Position");
    QCOMPARE(f_->cmbPosition->text(), QStringLiteral("Third Position"));
    QVERIFY(f_->imgPosition->picture().isNull());
    QCOMPARE(f_->selectedPosition, int16_t(0));
}

void tst_Selection::headerPicksChangeNothing()
{
    f_->imgCheck3_Click();
    pick(f_->cmbKey, "B");
    pick(f_->cmbQuality, "Major 7");
    pick(f_->cmbInversion, " SELECT INVERSION ");
    QVERIFY(f_->imgInversion->picture().isNull());
    QCOMPARE(f_->keyChosen, int16_t(1));
    QCOMPARE(f_->qualityChosen, int16_t(1));
    f_->imgCheck2_Click();
    pick(f_->cmbPosition, " SELECT POSITION ");
    QVERIFY(f_->imgPosition->picture().isNull());
    QCOMPARE(f_->keyChosen, int16_t(1));
}

void tst_Selection::secondPickAfterAShowChangesNothing()
{
    f_->imgCheck1_Click();
    pick(f_->cmbKey2, "Eb");
    pick(f_->cmbQuality2, "Major 7");
    pick(f_->cmbInversion2, "Root Position");
    const int entry = g_->currentChord;
    pick(f_->cmbInversion2, "Third Inversion");
    QCOMPARE(g_->currentChord, int16_t(entry));
    verifyBoardShows(g_->chordTable, entry);
    QCOMPARE(f_->cmbInversion2->text(), QStringLiteral("Third Inversion"));

    f_->imgCheck2_Click();
    pick(f_->cmbKey3, "E");
    pick(f_->cmbPosition, "Fourth Position");
    pick(f_->cmbPosition, "Fifth Position");
    QCOMPARE(g_->currentScale, int16_t(7 * 5 + 3));
    verifyBoardShows(g_->scaleTable, 38);
}

// The quality state is shared: a quality header picked in the chord panel
// leaves the arpeggio panel's quality selector showing a choice. The
// inversion pick then must not show an entry of another key or quality.
void tst_Selection::qualityOfTheOtherPanelTakesTheResetPath()
{
    f_->imgCheck3_Click();
    pick(f_->cmbKey, "Bb");
    pick(f_->cmbQuality, "Minor 7");
    f_->imgCheck1_Click();
    pick(f_->cmbQuality2, " SELECT CHORD QUALITY ");
    QCOMPARE(f_->selectedQuality, int16_t(0));
    f_->imgCheck3_Click();
    QCOMPARE(f_->cmbQuality->text(), QStringLiteral("Minor 7"));
    pick(f_->cmbInversion, "Second Inversion");
    verifyBlankBoard();
    QCOMPARE(g_->currentArpeggio, int16_t(240));
    QCOMPARE(f_->cmbQuality->text(), QStringLiteral(" SELECT CHORD QUALITY "));
    QCOMPARE(f_->keyChosen, int16_t(1));
    QCOMPARE(f_->qualityChosen, int16_t(1));
}

void tst_Selection::qualitySelectorAtItsHeaderTakesTheResetPath()
{
    f_->imgCheck3_Click();
    pick(f_->cmbKey, "C");
    pick(f_->cmbKey, " SELECT KEY ");
    pick(f_->cmbQuality, "Major 7");
    pick(f_->cmbInversion, "Root Position"); // the reset path: flags stay set
    QCOMPARE(f_->cmbQuality->text(), QStringLiteral(" SELECT CHORD QUALITY "));
    pick(f_->cmbInversion, "Third Inversion");
    QVERIFY(samePixels(f_->imgInversion->picture().toImage(),
                       imageOf(run_->directory().file("inversion4.jpg"))));
    verifyBlankBoard(); // the caption was loaded, then every caption hidden
    QCOMPARE(f_->cmbInversion->text(), QStringLiteral(" SELECT INVERSION "));
}

void tst_Selection::keyListDropDownBlanks()
{
    f_->imgCheck1_Click();
    pick(f_->cmbKey2, "G");
    pick(f_->cmbQuality2, "Dominant 7");
    pick(f_->cmbInversion2, "Root Position");
    QVERIFY(!visibleLabels().isEmpty());
    f_->cmbKey2->showPopup(); // opened and closed without a pick
    f_->cmbKey2->hidePopup();
    verifyBlankBoard();
    QCOMPARE(f_->cmbKey2->text(), QStringLiteral(" SELECT KEY "));
    QVERIFY(!f_->imgBB4->isHidden());
    QCOMPARE(f_->selectedKey, int16_t(11));
}

void tst_Selection::missingCaptionIsARuntimeError()
{
    run_->directory().remove(QStringLiteral("key5.jpg"));
    QList<RuntimeError> errors;
    const RuntimeErrorHandler previous =
        setRuntimeErrorHandler([&](const RuntimeError& e) { errors.append(e); });
    f_->imgCheck3_Click();
    pick(f_->cmbKey, "Db");
    setRuntimeErrorHandler(previous);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.first().code(), 53);
    QCOMPARE(errors.first().where(), run_->directory().file(QStringLiteral("key5.jpg")));
    QCOMPARE(f_->selectedKey, int16_t(5)); // stored before the picture failed
    QCOMPARE(f_->keyChosen, int16_t(0));
}

void tst_Selection::inPlaceKeyPickEqualsTheListsPick_data()
{
    QTest::addColumn<int>("panel"); // 1 chords, 2 scales, 3 arpeggios
    QTest::addColumn<QString>("way");
    // Every way in the chord panel, one in each of the others (the model
    // test tries them all at random).
    for (const char* way : {"wheel down", "wheel up", "Down", "End", "typed B"})
        QTest::newRow(qPrintable(QStringLiteral("chords, %1").arg(QLatin1String(way))))
            << 1 << QString::fromLatin1(way);
    QTest::newRow("scales, Down") << 2 << QStringLiteral("Down");
    QTest::newRow("arpeggios, wheel up") << 3 << QStringLiteral("wheel up");
}

// With a lesson on show, a key picked in place (the wheel, a key, a typed
// letter) leaves exactly the screen that the same pick through the opened
// list leaves: never the old diagram under the new key's caption.
void tst_Selection::inPlaceKeyPickEqualsTheListsPick()
{
    QFETCH(int, panel);
    QFETCH(QString, way);
    RunningProgram twin(true);
    frmMain& t = twin.form();
    auto showLesson = [this](frmMain& f) -> SelectorBox* {
        auto choose = [this](SelectorBox* box, const char* item) { pick(box, QLatin1String(item)); };
        if (f.fraChord->isVisibleTo(&f)) {
            choose(f.cmbKey2, "C");
            choose(f.cmbQuality2, "Dominant 7");
            choose(f.cmbInversion2, "Second Inversion");
            return f.cmbKey2;
        }
        if (f.fraScale->isVisibleTo(&f)) {
            choose(f.cmbKey3, "C");
            choose(f.cmbPosition, "Third Position");
            return f.cmbKey3;
        }
        choose(f.cmbKey, "C");
        choose(f.cmbQuality, "Dominant 7");
        choose(f.cmbInversion, "Second Inversion");
        return f.cmbKey;
    };
    for (frmMain* f : {f_, &t})
        (panel == 1 ? f->imgCheck1_Click() : panel == 2 ? f->imgCheck2_Click() : f->imgCheck3_Click());
    SelectorBox* key = showLesson(*f_);
    SelectorBox* twinKey = showLesson(t);
    QVERIFY(!visibleCaptions().isEmpty());

    if (way.startsWith(QLatin1String("wheel"))) {
        key->setCurrentIndex(4); // in place, from "C"
        turnWheel(key, way.endsWith(QLatin1String("down")) ? -120 : 120);
    } else if (way == QLatin1String("typed B")) {
        QTest::keyClick(key, Qt::Key_B);
    } else {
        QTest::keyClick(key, way == QLatin1String("End") ? Qt::Key_End : Qt::Key_Down);
    }
    const int picked = key->currentIndex();
    QVERIFY(picked > 0);
    QCOMPARE(f_->selectedKey, int16_t(picked));
    verifyBlankBoard();

    pickFromList(twinKey, picked);
    QCOMPARE(t.selectedKey, int16_t(picked));
    QVERIFY(samePixels(f_->grab().toImage(), t.grab().toImage()));
}

// What a screen reader is told: each caption by what it says, the fret
// label, and the board in words, anew at every show. (That screen readers
// are told of each change is seen end to end, through AT-SPI.)
void tst_Selection::screenReadersHearTheDiagram()
{
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(f_->board.area);
    QVERIFY(board);
    QCOMPARE(board->role(), QAccessible::Graphic);
    QCOMPARE(board->text(QAccessible::Name), QStringLiteral("Fretboard"));
    QCOMPARE(board->text(QAccessible::Description), QStringLiteral("Empty fretboard"));
    // A diagram can be played, from the Play picture or the board itself;
    // a blank board dims the picture and offers nothing to play.
    QAccessibleInterface* play = QAccessible::queryAccessibleInterface(f_->imgPlay);
    auto playable = [&](bool yes) {
        QCOMPARE(bool(play->state().disabled), !yes);
        QCOMPARE(board->actionInterface()->actionNames(),
                 yes ? QStringList{QStringLiteral("Play")} : QStringList());
        QVERIFY(samePixels(f_->imgPlay->picture().toImage(),
                           imageOf(run_->directory().file(yes ? "play.jpg" : "play_dimmed.jpg"))));
    };

    f_->imgCheck1_Click();
    pick(f_->cmbKey2, "C");
    pick(f_->cmbQuality2, "Dominant 7");
    pick(f_->cmbInversion2, "Second Inversion");
    auto name = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
    QCOMPARE(name(f_->imgKey), QStringLiteral("C"));
    QCOMPARE(name(f_->imgQuality), QStringLiteral("Dominant 7"));
    QCOMPARE(name(f_->imgInversion), QStringLiteral("Second Inversion"));
    QCOMPARE(name(f_->imgFret[g_->markerSlot]), QStringLiteral("fret %1").arg(g_->markerFret));
    QCOMPARE(board->text(QAccessible::Description),
             QStringLiteral("C Dominant 7, Second Inversion. Low E and A strings not played. "
                            "D string fret 5, G, fifth; G string fret 5, C, root; B string fret "
                            "5, E, major third; high E string fret 6, B flat, minor seventh."));
    playable(true);

    f_->imgCheck2_Click(); // blanks the board
    QCOMPARE(board->text(QAccessible::Description), QStringLiteral("Empty fretboard"));
    playable(false);
    pick(f_->cmbKey3, "C");
    pick(f_->cmbPosition, "Third Position");
    QCOMPARE(name(f_->imgPosition), QStringLiteral("Third Position, C shape"));
    QVERIFY(board->text(QAccessible::Description)
                .startsWith(QStringLiteral("C major scale, Third Position, C shape. ")));
    // At the nut the fret label shows no number, and a screen reader hears none.
    QCOMPARE(g_->markerFret, int16_t(0));
    QAccessibleInterface* label = QAccessible::queryAccessibleInterface(f_->imgFret[g_->markerSlot]);
    QVERIFY(label->state().invisible && label->text(QAccessible::Name).isEmpty());
}

QTEST_MAIN(tst_Selection)
#include "tst_selection.moc"
