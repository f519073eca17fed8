// The main window's layout: size, frame, places of the controls, fonts,
// tab order, stacking and the frame lines as drawn.
#include "app/frmmain.h"
#include "platform/imagecontrol.h"
#include "platform/panelframe.h"
#include "platform/selectorbox.h"
#include "testsupport.h"

#include <QScreen>

class tst_FrmMainLayout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void window();
    void places_data();
    void places();
    void selectors();
    void tabOrder();
    void stacking();
    void frameLinesAsDrawn();

private:
    std::unique_ptr<RunningProgram> run_;
    frmMain* f_ = nullptr;
};

void tst_FrmMainLayout::initTestCase()
{
    run_ = std::make_unique<RunningProgram>(true);
    f_ = &run_->form();
}

void tst_FrmMainLayout::window()
{
    QCOMPARE(f_->size(), QSize(681, 545));
    QCOMPARE(f_->minimumSize(), f_->maximumSize());
    QVERIFY(f_->windowFlags() & Qt::CustomizeWindowHint);
    QVERIFY(!(f_->windowFlags() & Qt::WindowTitleHint));
    QVERIFY(!(f_->windowFlags() & Qt::WindowSystemMenuHint));
    QVERIFY(!(f_->windowFlags() & Qt::WindowMinMaxButtonsHint));
    QCOMPARE(f_->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(!f_->windowIcon().isNull());
    // Drawn at each size a desktop asks for, not scaled from one.
    const QList<QSize> sizes = f_->windowIcon().availableSizes();
    for (int size : {16, 32, 48, 256})
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
    const QRect screen = f_->screen()->availableGeometry();
    // Centred to within the thin border's width.
    QVERIFY(qAbs(f_->frameGeometry().center().x() - screen.center().x()) <= 3);
    QVERIFY(qAbs(f_->frameGeometry().center().y() - screen.center().y()) <= 3);
}

void tst_FrmMainLayout::places_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<bool>("visible");
    auto row = [](const char* name, int l, int t, int w, int h, bool visible) {
        QTest::newRow(name) << QString::fromLatin1(name) << QRect(l, t, w, h) << visible;
    };
    row("img0", 360, 1080, 735, 1455, true);
    row("img5", 3000, 1080, 495, 1455, true);
    row("img30", 360, 6360, 735, 975, true);
    row("img35", 3000, 6360, 495, 975, true);
    row("imgFret0", 240, 2520, 375, 615, false);
    row("imgFret4", 240, 6360, 375, 615, false);
    row("imgKey", 1560, 120, 495, 495, false);
    row("imgQualityLarge", 240, 720, 3375, 495, false);
    row("imgPosition", 600, 7440, 3135, 495, false);
    row("imgCheck2", 5400, 840, 735, 615, true);
    row("imgCheckArp", 6120, 1560, 3375, 615, true);
    row("imgNotes", 5880, 5760, 3375, 495, true);
    row("imgExit", 8280, 7440, 1455, 615, true);
    row("imgPlay", 5400, 7440, 1455, 615, true);
    row("imgLeftHanded", 5400, 6480, 735, 615, true);
    row("imgLeftHandedCaption", 6120, 6480, 2175, 495, true);
    row("fraSelectACategory", 5280, 2520, 4815, 2535, true);
    row("fraScale", 5400, 2280, 4695, 2775, false);
    row("Shape3", 120, 120, 4455, 2295, true);
    row("imgBB6", 120, 1800, 375, 375, false);
    row("cmbPosition", 600, 1560, 3735, 420, true);
    row("cmbKey", 720, 960, 3735, 420, true);
}

void tst_FrmMainLayout::places()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    QFETCH(bool, visible);
    auto* w = f_->findChild<QWidget*>(name);
    QVERIFY2(w, qPrintable(name));
    QCOMPARE(w->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15,
                                  twips.height() / 15));
    QCOMPARE(!w->isHidden(), visible);
}

void tst_FrmMainLayout::selectors()
{
    for (SelectorBox* box : f_->findChildren<SelectorBox*>()) {
        QVERIFY(box->font().bold());
        QCOMPARE(box->font().pointSize(), 12);
        QCOMPARE(box->palette().color(QPalette::Text), QColor(0, 0, 192));
        QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::white));
        QVERIFY(!box->isEditable());
    }
    QCOMPARE(f_->findChildren<SelectorBox*>().size(), 8);

    // The selector with the keyboard focus is clearly marked: at least a
    // ring of pixels all round it changes.
    f_->imgCheck1_Click();
    f_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f_));
    SelectorBox* box = f_->cmbKey2;
    f_->cmbInversion2->setFocus();
    const QImage without = box->grab().toImage();
    box->setFocus();
    QVERIFY(box->hasFocus());
    const QImage with = box->grab().toImage();
    int changed = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            changed += with.pixel(x, y) != without.pixel(x, y);
    QVERIFY2(changed >= 2 * (box->width() + box->height()), qPrintable(QString::number(changed)));
    // The ring is on the selector with the focus and on no other.
    const QColor ring = box->palette().color(QPalette::ButtonText);
    for (SelectorBox* s : {f_->cmbKey2, f_->cmbQuality2, f_->cmbInversion2})
        QCOMPARE(s->grab().toImage().pixelColor(1, s->height() / 2) == ring, s == box);
}

void tst_FrmMainLayout::tabOrder()
{
    QStringList order;
    QWidget* w = f_->cmbKey;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != f_->cmbKey);
    QCOMPARE(order, QStringList({"cmbKey", "cmbQuality", "cmbInversion", "cmbKey2", "cmbQuality2",
                                 "cmbInversion2", "cmbKey3", "cmbPosition"}));
}

void tst_FrmMainLayout::stacking()
{
    const QObjectList children = f_->children();
    const auto index = [&](QObject* o) { return children.indexOf(o); };
    for (QWidget* frame : {static_cast<QWidget*>(f_->fraChord), static_cast<QWidget*>(f_->fraScale),
                           static_cast<QWidget*>(f_->fraArp)})
        QVERIFY(index(f_->fraSelectACategory) > index(frame));
    QVERIFY(index(f_->imgFret[0]) > index(f_->img[35]));
}

void tst_FrmMainLayout::frameLinesAsDrawn()
{
    const QImage shot = f_->grab().toImage();
    const QColor black(Qt::black);
    QCOMPARE(shot.pixelColor(300, 0), black);   // Line5, along the top
    QCOMPARE(shot.pixelColor(0, 300), black);   // Line1, the left edge
    QCOMPARE(shot.pixelColor(300, 544), black); // Line3, the bottom
    QCOMPARE(shot.pixelColor(680, 300), black); // Line4, the right edge
    QCOMPARE(shot.pixelColor(344, 20), black);  // Line2, the divider
    QCOMPARE(shot.pixelColor(343, 20), QColor(Qt::white));
}

QTEST_MAIN(tst_FrmMainLayout)
#include "tst_frmmain_layout.moc"
