// The four selector lists and what each selector shows once filled.
#include "lessons/selectorlists.h"
#include "platform/selectorbox.h"
#include "testsupport.h"

class tst_SelectorLists : public QObject
{
    Q_OBJECT
private slots:
    void lists_data();
    void lists();
    void fillShowsHeadersButQuality2();
    void setTextSelectsWithoutAPick();
};

void tst_SelectorLists::lists_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("header");
    QTest::addColumn<int>("lastIndex");
    QTest::addColumn<QString>("last");
    QTest::newRow("keys") << SelectorLists::keys() << 13 << " SELECT KEY " << 12 << "Ab";
    QTest::newRow("qualities") << SelectorLists::qualities() << 6 << " SELECT CHORD QUALITY " << 5
                               << "Fully Diminished 7";
    QTest::newRow("inversions") << SelectorLists::inversions() << 5 << " SELECT INVERSION " << 4
                                << "Third Inversion";
    QTest::newRow("positions") << SelectorLists::positions() << 6 << " SELECT POSITION " << 5
                               << "Fifth Position";
}

void tst_SelectorLists::lists()
{
    QFETCH(QStringList, items);
    QFETCH(int, count);
    QFETCH(QString, header);
    QFETCH(int, lastIndex);
    QFETCH(QString, last);
    QCOMPARE(items.size(), count);
    QCOMPARE(items.first(), header);
    QCOMPARE(items.at(lastIndex), last);
}

void tst_SelectorLists::fillShowsHeadersButQuality2()
{
    SelectorBox k1, k2, k3, q1, q2, pos, i1, i2;
    fillSelectors({&k1, &k2, &k3, &q1, &q2, &pos, &i1, &i2});
    for (SelectorBox* key : {&k1, &k2, &k3}) {
        QCOMPARE(key->count(), 13);
        QCOMPARE(key->text(), QStringLiteral(" SELECT KEY "));
        QCOMPARE(key->itemText(4), QStringLiteral("C"));
        QCOMPARE(key->itemText(12), QStringLiteral("Ab"));
    }
    QCOMPARE(q1.text(), QStringLiteral(" SELECT CHORD QUALITY "));
    QCOMPARE(q2.count(), 6);
    QCOMPARE(q2.currentIndex(), -1); // no item until the chord category is chosen
    QCOMPARE(q2.text(), QString());
    QCOMPARE(q2.itemText(5), QStringLiteral("Fully Diminished 7"));
    QCOMPARE(pos.text(), QStringLiteral(" SELECT POSITION "));
    QCOMPARE(i1.text(), QStringLiteral(" SELECT INVERSION "));
    QCOMPARE(i2.text(), QStringLiteral(" SELECT INVERSION "));
    QCOMPARE(i2.itemText(4), QStringLiteral("Third Inversion"));
}

void tst_SelectorLists::setTextSelectsWithoutAPick()
{
    SelectorBox box;
    for (const QString& item : SelectorLists::keys())
        box.addItem(item);
    int picks = 0;
    connect(&box, &QComboBox::activated, this, [&] { ++picks; });
    box.setCurrentIndex(7);
    box.setText(SelectorLists::keyHeader);
    QCOMPARE(box.listIndex(), 0);
    box.setText(QStringLiteral("Gb"));
    QCOMPARE(box.listIndex(), 10);
    QCOMPARE(picks, 0);
}

QTEST_MAIN(tst_SelectorLists)
#include "tst_selectorlists.moc"
