#include "selectorlists.h"

#include "platform/selectorbox.h"

namespace SelectorLists {
const QString keyHeader = QStringLiteral(" SELECT KEY ");
const QString qualityHeader = QStringLiteral(" SELECT CHORD QUALITY ");
const QString inversionHeader = QStringLiteral(" SELECT INVERSION ");
const QString positionHeader = QStringLiteral(" SELECT POSITION ");

QStringList keys()
{
    // Rising by semitones from A; the notes between naturals spelled as flats.
    return {keyHeader,         QStringLiteral("A"),  QStringLiteral("Bb"), QStringLiteral("B"),
            QStringLiteral("C"), QStringLiteral("Db"), QStringLiteral("D"),  QStringLiteral("Eb"),
            QStringLiteral("E"), QStringLiteral("F"),  QStringLiteral("Gb"), QStringLiteral("G"),
            QStringLiteral("Ab")};
}

QStringList qualities()
{
    return {qualityHeader,
            QStringLiteral("Major 7"),
            QStringLiteral("Minor 7"),
            QStringLiteral("Dominant 7"),
            QStringLiteral("Half Diminished 7"),
            QStringLiteral("Fully Diminished 7")};
}

QStringList inversions()
{
    return {inversionHeader, QStringLiteral("Root Position"), QStringLiteral("First Inversion"),
            QStringLiteral("Second Inversion"), QStringLiteral("Third Inversion")};
}

QStringList positions()
{
    return {positionHeader,
            QStringLiteral("First Position"),
            QStringLiteral("Second Position"),
            QStringLiteral("Third Position"),
            QStringLiteral("Fourth Position"),
            QStringLiteral("Fifth Position")};
}
QStringList positionShapes()
{
    return {QString(),
            QStringLiteral("E shape"),
            QStringLiteral("D shape"),
            QStringLiteral("C shape"),
            QStringLiteral("A shape"),
            QStringLiteral("G shape")};
}
} // namespace SelectorLists

namespace {
// Each item is added at the end of the list, header first.
void fill(SelectorBox* box, const QStringList& items)
{
    box->addItems(items);
}
void fillAndShowHeader(SelectorBox* box, const QStringList& items)
{
    fill(box, items);
    box->setText(items.first());
}
} // namespace

void fillSelectors(const Selectors& s)
{
    using namespace SelectorLists;
    fillAndShowHeader(s.cmbKey, keys());
    fillAndShowHeader(s.cmbKey2, keys());
    fillAndShowHeader(s.cmbKey3, keys());
    fillAndShowHeader(s.cmbQuality, qualities());
    fill(s.cmbQuality2, qualities());
    s.cmbQuality2->setCurrentIndex(-1); // no item until the chord category is chosen
    fillAndShowHeader(s.cmbPosition, positions());
    fillAndShowHeader(s.cmbInversion, inversions());
    fillAndShowHeader(s.cmbInversion2, inversions());
}
