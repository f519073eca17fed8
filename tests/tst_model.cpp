// A model-based random test of the whole main window: a compact model of
// what the window must show, and the real window, driven side by side by
// seeded random user actions; after every action they must agree.
#include "app/frmmain.h"
#include "app/program.h"
#include "lessons/globalprocedures.h"
#include "platform/imagecontrol.h"
#include "platform/panelframe.h"
#include "platform/selectorbox.h"
#include "testsupport.h"

#include <QMouseEvent>
#include <QRandomGenerator>

namespace {

enum Selector { Key, Quality, Inversion, Key2, Quality2, Inversion2, Key3, Position, kSelectors };
enum Caption { CKey, CQuality, CQualityLarge, CInversion, CPosition, kCaptions };
enum class Table { Arpeggio, Chord, Scale };

// What the window shows, and the state behind it, as the program's rules
// define them, written independently of the program's code.
struct Model
{
    int category = 0; // 0 none, 1 chords, 2 scales, 3 arpeggios
    int selectedKey = 0, selectedQuality = 0, selectedInversion = 0, selectedPosition = 0;
    int keyChosen = 0, qualityChosen = 0;
    int currentArpeggio = 240, currentChord = 0, currentScale = 0;
    Table board = Table::Arpeggio;
    int boardEntry = 240;
    int labelSlot = -1, labelFret = 0;
    std::array<bool, kCaptions> captionShown{};
    std::array<int, kCaptions> captionPicture{}; // the n of the file last loaded, 0 none
    std::array<bool, 8> bullet{true, false, false, true, false, false, true, false};
    std::array<int, kSelectors> index{0, 0, 0, 0, -1, 0, 0, 0};
    bool leftHanded = false; // the view changes nothing else

    const globalProcedures* g = nullptr;

    void blank()
    {
        currentArpeggio = 240;
        captionShown.fill(false);
        labelSlot = -1;
        board = Table::Arpeggio;
        boardEntry = 240;
    }

    void show(Table table, int entry)
    {
        const LessonTable& t = table == Table::Arpeggio ? g->arpeggioTable
                               : table == Table::Chord  ? g->chordTable
                                                        : g->scaleTable;
        board = table;
        boardEntry = entry;
        labelFret = t(entry, 36);
        labelSlot = t(entry, 37);
    }

    void clickBox(int k)
    {
        blank();
        category = k;
        if (k == 1)
            index[Quality2] = 0;
    }

    // Panel p: 0 arpeggios, 1 chords, 2 scales; bullets 0-2, 3-5, 6-7. A key
    // list opened for the pick, or a key picked without opening it, blanks
    // the board first.
    void pickKey(int p, int i)
    {
        blank();
        const int sel = p == 0 ? Key : p == 1 ? Key2 : Key3;
        index[sel] = i;
        selectedKey = i;
        if (i == 0)
            return;
        captionPicture[CKey] = i;
        const int b = p * 3;
        bullet[b] = false;
        bullet[b + 1] = true;
        if (p < 2)
            bullet[b + 2] = false;
        keyChosen = 1;
    }

    void pickQuality(int p, int i)
    {
        index[p == 0 ? Quality : Quality2] = i;
        if (!keyChosen)
            return;
        qualityChosen = 1;
        selectedQuality = 0;
        if (i == 0)
            return;
        selectedQuality = i;
        captionPicture[i > 3 ? CQualityLarge : CQuality] = i;
        captionShown.fill(false);
        const int b = p * 3;
        bullet[b] = bullet[b + 1] = false;
        bullet[b + 2] = true;
    }

    void pickInversion(int p, int i)
    {
        const int key = p == 0 ? Key : Key2, quality = p == 0 ? Quality : Quality2,
                  inversion = p == 0 ? Inversion : Inversion2;
        index[inversion] = i;
        if (!keyChosen || !qualityChosen || i == 0)
            return;
        selectedInversion = i;
        captionPicture[CInversion] = i;
        captionShown[CQualityLarge] = selectedQuality > 3;
        captionShown[CQuality] = !(selectedQuality > 3);
        captionShown[CKey] = captionShown[CInversion] = true;
        captionShown[CPosition] = false;
        const int b = p * 3;
        bullet[b] = true;
        bullet[b + 1] = bullet[b + 2] = false;
        const bool complete = index[quality] != 0 && selectedKey >= 1 && selectedKey <= 12 &&
                              selectedQuality >= 1 && selectedQuality <= 5;
        if (complete) {
            const int entry = (selectedKey - 1) * 20 + (selectedQuality - 1) * 4 + i - 1;
            (p == 0 ? currentArpeggio : currentChord) = entry;
            show(p == 0 ? Table::Arpeggio : Table::Chord, entry);
        } else {
            blank();
        }
        index[key] = index[quality] = index[inversion] = 0;
        if (complete)
            keyChosen = qualityChosen = 0;
    }

    void pickPosition(int i)
    {
        index[Position] = i;
        if (!keyChosen || i == 0)
            return;
        captionShown[CPosition] = true;
        captionShown[CQuality] = captionShown[CQualityLarge] = false;
        selectedPosition = i;
        captionPicture[CPosition] = i;
        captionShown[CKey] = true;
        bullet[6] = true;
        bullet[7] = false;
        const bool complete = selectedKey >= 1 && selectedKey <= 12;
        if (complete) {
            currentScale = (selectedKey - 1) * 5 + i - 1;
            show(Table::Scale, currentScale);
        } else {
            blank();
        }
        index[Key3] = index[Position] = 0;
        if (complete)
            keyChosen = 0;
    }
};

const int kItems[kSelectors] = {13, 6, 5, 13, 6, 5, 13, 6};
const QPoint kBackground[] = {{450, 470}, {600, 450}, {300, 30}, {20, 520}, {344, 300}};

} // namespace

class tst_Model : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void randomUserActions_data();
    void randomUserActions();
    void cleanupTestCase();

private:
    QString compare(const Model& m, frmMain& f, QPoint expectedPos);
    QString captionsNameTheDiagram(frmMain& f) const;
    int captionNumber(int caption, const ImageControl* control) const;
    std::array<std::vector<QImage>, kCaptions> captions_; // by n
    int actions_ = 0;
};

void tst_Model::initTestCase()
{
    // The offscreen platform says, for every opened list, that it cannot
    // raise windows or grab the keyboard; that is not the program's concern.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context,
                                         const QString& message) {
        if (!message.startsWith(QLatin1String("This plugin does not support")))
            previous(type, context, message);
    });
    const char* stems[kCaptions] = {"key", "quality", "quality", "inversion", "position"};
    const int counts[kCaptions] = {12, 5, 5, 4, 5};
    for (int c = 0; c < kCaptions; ++c) {
        captions_[c].push_back(QImage());
        for (int n = 1; n <= counts[c]; ++n)
            captions_[c].push_back(
                imageOf(QStringLiteral(FRETQUILL_PROGRAM_DIR "/%1%2.jpg").arg(stems[c]).arg(n)));
    }
}

QString tst_Model::compare(const Model& m, frmMain& f, QPoint expectedPos)
{
    const globalProcedures& g = f.module();
    auto differ = [](const char* what, long long model, long long real) {
        return QStringLiteral("%1: the model has %2, the window %3").arg(what).arg(model).arg(real);
    };
    if (f.fraSelectACategory->isVisibleTo(&f) != (m.category == 0))
        return QStringLiteral("the start panel's visibility");
    PanelFrame* panels[] = {f.fraChord, f.fraScale, f.fraArp};
    ImageControl* boxes[] = {f.imgCheck1, f.imgCheck2, f.imgCheck3};
    for (int k = 1; k <= 3; ++k) {
        if (panels[k - 1]->isVisibleTo(&f) != (m.category == k))
            return QStringLiteral("the visibility of panel %1").arg(k);
        if (boxes[k - 1]->picture().cacheKey() != g.checkPictures(m.category == k ? 1 : 0).cacheKey())
            return QStringLiteral("the look of category box %1").arg(k);
    }
    const LessonTable& t = m.board == Table::Arpeggio ? g.arpeggioTable
                           : m.board == Table::Chord  ? g.chordTable
                                                      : g.scaleTable;
    for (int p = 0; p < kCellCount; ++p)
        if (f.img[p]->picture().cacheKey() != g.dotPictures(t(m.boardEntry, p)).cacheKey())
            return QStringLiteral("cell %1 of the board (entry %2)").arg(p).arg(m.boardEntry);
    for (int k = 0; k < 5; ++k) {
        const bool shown = !f.imgFret[k]->isHidden();
        if (shown != (m.labelSlot == k))
            return QStringLiteral("the visibility of fret label %1").arg(k);
        if (shown && f.imgFret[k]->picture().cacheKey() != g.fretPictures(m.labelFret).cacheKey())
            return QStringLiteral("the picture of fret label %1").arg(k);
    }
    ImageControl* captions[] = {f.imgKey, f.imgQuality, f.imgQualityLarge, f.imgInversion,
                                f.imgPosition};
    for (int c = 0; c < kCaptions; ++c) {
        if (captions[c]->isHidden() == m.captionShown[c])
            return QStringLiteral("the visibility of %1").arg(captions[c]->objectName());
        if (m.captionShown[c] &&
            !samePixels(captions[c]->picture().toImage(), captions_[c][m.captionPicture[c]]))
            return QStringLiteral("the picture of %1").arg(captions[c]->objectName());
    }
    ImageControl* bullets[] = {f.imgBB1, f.imgBB2, f.imgBB3, f.imgBB4,
                               f.imgBB5, f.imgBB6, f.imgBB7, f.imgBB8};
    for (int b = 0; b < 8; ++b)
        if (bullets[b]->isHidden() == m.bullet[b])
            return QStringLiteral("bullet imgBB%1").arg(b + 1);
    SelectorBox* selectors[] = {f.cmbKey,  f.cmbQuality,    f.cmbInversion, f.cmbKey2,
                                f.cmbQuality2, f.cmbInversion2, f.cmbKey3, f.cmbPosition};
    for (int s = 0; s < kSelectors; ++s)
        if (selectors[s]->currentIndex() != m.index[s])
            return differ(qPrintable(selectors[s]->objectName()), m.index[s],
                          selectors[s]->currentIndex());
    const std::pair<const char*, std::pair<int, int>> values[] = {
        {"selectedKey", {m.selectedKey, f.selectedKey}},
        {"selectedQuality", {m.selectedQuality, f.selectedQuality}},
        {"selectedInversion", {m.selectedInversion, f.selectedInversion}},
        {"selectedPosition", {m.selectedPosition, f.selectedPosition}},
        {"keyChosen", {m.keyChosen, f.keyChosen}},
        {"qualityChosen", {m.qualityChosen, f.qualityChosen}},
        {"currentArpeggio", {m.currentArpeggio, g.currentArpeggio}},
        {"currentChord", {m.currentChord, g.currentChord}},
        {"currentScale", {m.currentScale, g.currentScale}}};
    for (const auto& v : values)
        if (v.second.first != v.second.second)
            return differ(v.first, v.second.first, v.second.second);
    if (f.pos() != expectedPos)
        return QStringLiteral("the window's place");
    if (f.imgLeftHanded->isChecked() != m.leftHanded ||
        (f.img[0]->x() > f.img[5]->x()) != m.leftHanded)
        return QStringLiteral("the left-handed view");
    return {};
}

// The caption's n, told from its pixels alone; 0 when it is no caption.
int tst_Model::captionNumber(int caption, const ImageControl* control) const
{
    const QImage shown = control->picture().toImage();
    for (int n = 1; n < static_cast<int>(captions_[caption].size()); ++n)
        if (samePixels(shown, captions_[caption][n]))
            return n;
    return 0;
}

// Whatever the model says, the screen must never state a wrong result: the
// visible captions name exactly the diagram on show (read from the caption
// pixels and the cells), and a diagram is never shown without them.
QString tst_Model::captionsNameTheDiagram(frmMain& f) const
{
    const globalProcedures& g = f.module();
    auto boardIs = [&](const LessonTable& t, int entry) {
        for (int p = 0; p < kCellCount; ++p)
            if (f.img[p]->picture().cacheKey() != g.dotPictures(t(entry, p)).cacheKey())
                return false;
        return true;
    };
    const bool key = f.imgKey->isVisible(), quality = f.imgQuality->isVisible(),
               wide = f.imgQualityLarge->isVisible(), inversion = f.imgInversion->isVisible(),
               position = f.imgPosition->isVisible();
    if (!key && !quality && !wide && !inversion && !position)
        return boardIs(g.arpeggioTable, 240) ? QString()
                                              : QStringLiteral("a diagram without its captions");
    const int k = captionNumber(CKey, f.imgKey);
    if (key && position && !quality && !wide && !inversion) {
        const int n = captionNumber(CPosition, f.imgPosition);
        return k && n && boardIs(g.scaleTable, (k - 1) * 5 + n - 1)
                   ? QString()
                   : QStringLiteral("the captions name scale %1, position %2, not the diagram")
                         .arg(k)
                         .arg(n);
    }
    if (key && (quality != wide) && inversion && !position) {
        const int q = captionNumber(wide ? CQualityLarge : CQuality, wide ? f.imgQualityLarge : f.imgQuality);
        const int i = captionNumber(CInversion, f.imgInversion);
        const int entry = (k - 1) * 20 + (q - 1) * 4 + i - 1;
        return k && q && i && (boardIs(g.chordTable, entry) || boardIs(g.arpeggioTable, entry))
                   ? QString()
                   : QStringLiteral("the captions name key %1, quality %2, inversion %3, not the "
                                    "diagram")
                         .arg(k)
                         .arg(q)
                         .arg(i);
    }
    return QStringLiteral("a set of captions that names no lesson");
}

void tst_Model::randomUserActions_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 10; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void tst_Model::randomUserActions()
{
    QFETCH(quint32, seed);
    constexpr int kActions = 2000;
    RunningProgram run(true);
    frmMain& f = run.form();
    Model m;
    m.g = &f.module();
    QRandomGenerator random(seed);
    QPoint pos = f.pos();
    SelectorBox* selectors[] = {f.cmbKey,  f.cmbQuality,    f.cmbInversion, f.cmbKey2,
                                f.cmbQuality2, f.cmbInversion2, f.cmbKey3, f.cmbPosition};
    // The selectors of each category's panel.
    const QList<int> panelSelectors[4] = {
        {}, {Key2, Quality2, Inversion2}, {Key3, Position}, {Key, Quality, Inversion}};

    for (int a = 0; a < kActions; ++a) {
        QString action;
        const int kind = random.bounded(100);
        if (kind < 12 || m.category == 0) {
            const int k = random.bounded(1, 4);
            action = QStringLiteral("click category box %1").arg(k);
            QTest::mouseClick(k == 1 ? f.imgCheck1 : k == 2 ? f.imgCheck2 : f.imgCheck3,
                              Qt::LeftButton);
            m.clickBox(k);
        } else if (kind < 18) {
            const int sel = m.category == 1 ? Key2 : m.category == 2 ? Key3 : Key;
            action = QStringLiteral("open the list of %1").arg(selectors[sel]->objectName());
            selectors[sel]->showPopup();
            selectors[sel]->hidePopup();
            m.blank();
        } else if (kind < 23) {
            const Qt::MouseButton button =
                std::array{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}[random.bounded(3)];
            const QPoint grab = pos + kBackground[random.bounded(5)];
            const QPoint d(random.bounded(-50, 51), random.bounded(-50, 51));
            action = QStringLiteral("drag by %1, %2").arg(d.x()).arg(d.y());
            auto send = [&](QEvent::Type type, QPoint global, Qt::MouseButton b, Qt::MouseButtons held) {
                QMouseEvent e(type, QPointF(global - f.pos()), QPointF(global), b, held, Qt::NoModifier);
                QApplication::sendEvent(&f, &e);
            };
            send(QEvent::MouseButtonPress, grab, button, button);
            send(QEvent::MouseMove, grab + d, Qt::NoButton, button);
            send(QEvent::MouseButtonRelease, grab + d, button, Qt::NoButton);
            pos += d;
        } else if (kind < 27) {
            action = QStringLiteral("click the left-handed box");
            QTest::mouseClick(f.imgLeftHanded, Qt::LeftButton);
            m.leftHanded = !m.leftHanded;
        } else {
            // Any item, headers included, of any selector of the open panel,
            // picked as a user picks: through the opened list, or in place
            // with a key, a typed letter or the wheel.
            const QList<int>& sels = panelSelectors[m.category];
            const int sel = sels[random.bounded(sels.size())];
            SelectorBox* box = selectors[sel];
            // Which item the selector reports as picked, if any (a key or the
            // wheel at the end of the list picks nothing).
            int item = -1;
            const QMetaObject::Connection picked =
                connect(box, &QComboBox::activated, this, [&item](int index) { item = index; });
            const int way = random.bounded(10);
            if (way < 4) {
                const int wanted = random.bounded(kItems[sel]);
                action = QStringLiteral("pick item %1 of %2 from its list").arg(wanted).arg(box->objectName());
                if (sel == Key || sel == Key2 || sel == Key3)
                    m.blank(); // the list opens
                pickFromList(box, wanted);
            } else if (way < 8) {
                const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up,     Qt::Key_Home, Qt::Key_End,
                                        Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_F,    Qt::Key_S,
                                        Qt::Key_T,    Qt::Key_B};
                const Qt::Key k = keys[random.bounded(10)];
                action = QStringLiteral("press %1 on %2").arg(QKeySequence(k).toString(), box->objectName());
                QTest::keyClick(box, k);
            } else {
                const int delta = random.bounded(2) ? 120 : -120;
                action = QStringLiteral("turn the wheel by %1 over %2").arg(delta).arg(box->objectName());
                turnWheel(box, delta);
            }
            disconnect(picked);
            switch (item < 0 ? -1 : sel) {
            case -1: break; // the selector was at its end: nothing was picked
            case Key: m.pickKey(0, item); break;
            case Key2: m.pickKey(1, item); break;
            case Key3: m.pickKey(2, item); break;
            case Quality: m.pickQuality(0, item); break;
            case Quality2: m.pickQuality(1, item); break;
            case Inversion: m.pickInversion(0, item); break;
            case Inversion2: m.pickInversion(1, item); break;
            case Position: m.pickPosition(item); break;
            }
        }
        ++actions_;
        QString difference = compare(m, f, pos);
        if (difference.isEmpty())
            difference = captionsNameTheDiagram(f);
        QVERIFY2(difference.isEmpty(),
                 qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                                .arg(seed)
                                .arg(a)
                                .arg(action, difference)));
    }
}

void tst_Model::cleanupTestCase()
{
    qInfo("random actions checked against the model: %d", actions_);
}

QTEST_MAIN(tst_Model)
#include "tst_model.moc"
