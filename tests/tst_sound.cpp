// The sound of a diagram: the phrase it plays, read from the shipped lesson
// tables through the real decoding, and the plucked strings that render it.
#include "lessons/globalprocedures.h"
#include "sound/phrase.h"
#include "sound/pluckedstring.h"
#include "testsupport.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

// The pitch sounding in samples [from, to), as a MIDI number with cents:
// the period from the autocorrelation's first strong peak, then the
// fundamental as the largest value of the Hann-windowed spectrum within 40
// cents of it, in steps of a cent, interpolated on the log of the spectrum.
double measuredPitch(const std::vector<float>& x, int rate, size_t from, size_t to)
{
    const size_t n = to - from;
    auto correlation = [&](size_t lag) {
        double sum = 0;
        for (size_t i = from; i + lag < to; ++i)
            sum += double(x[i]) * x[i + lag];
        return sum / double(n - lag);
    };
    size_t lag = size_t(rate / 1000);
    while (lag < size_t(rate / 60) && !(correlation(lag) > 0.6 * correlation(0) &&
                                         correlation(lag) >= correlation(lag + 1)))
        ++lag;
    const double coarse = double(rate) / double(lag);
    auto level = [&](double cents) {
        const double w = 2 * M_PI * coarse * std::exp2(cents / 1200) / rate;
        std::complex<double> sum;
        for (size_t i = 0; i < n; ++i)
            sum += (0.5 - 0.5 * std::cos(2 * M_PI * double(i) / double(n - 1))) *
                   double(x[from + i]) * std::polar(1.0, -w * double(i));
        return std::log(std::abs(sum));
    };
    std::vector<double> levels;
    for (int cents = -40; cents <= 40; ++cents)
        levels.push_back(level(cents));
    const long top = std::clamp(long(std::max_element(levels.begin(), levels.end()) - levels.begin()),
                                1L, long(levels.size()) - 2);
    const double below = levels[size_t(top - 1)], at = levels[size_t(top)], above = levels[size_t(top + 1)];
    const double cents = double(top - 40) + 0.5 * (below - above) / (below - 2 * at + above);
    return 69 + 12 * std::log2(coarse / 440) + cents / 100;
}

// Where new plucks begin: 5 ms frames whose sharpest step from one sample to
// the next is three times any in the 50 ms before, and not lost in the quiet.
std::vector<double> onsets(const std::vector<float>& x, int rate)
{
    const size_t frame = size_t(rate / 200);
    std::vector<float> steps;
    for (size_t f = 0; (f + 1) * frame < x.size(); ++f) {
        float step = 0;
        for (size_t i = f * frame + 1; i < (f + 1) * frame; ++i)
            step = std::max(step, std::abs(x[i] - x[i - 1]));
        steps.push_back(step);
    }
    const float loudest = *std::max_element(steps.begin(), steps.end());
    std::vector<double> found;
    for (size_t f = 0; f < steps.size(); ++f) {
        float before = 0;
        for (size_t g = f > 10 ? f - 10 : 0; g < f; ++g)
            before = std::max(before, steps[g]);
        if (steps[f] > 3 * before && steps[f] > 0.05f * loudest)
            found.push_back(double(f * frame) / rate);
    }
    return found;
}

// The shipped lesson tables, as the program loads them.
const globalProcedures& shippedLessons()
{
    static globalProcedures* lessons = [] {
        auto* g = new globalProcedures(QStringLiteral(FRETQUILL_PROGRAM_DIR));
        g->loadArpeggios();
        g->loadScales();
        g->loadChords();
        return g;
    }();
    return *lessons;
}

Phrase phraseOf(DiagramKind kind, int entry, std::vector<DiagramNote>* notes = nullptr)
{
    const globalProcedures& g = shippedLessons();
    const LessonTable& table = kind == DiagramKind::Chord   ? g.chordTable
                               : kind == DiagramKind::Scale ? g.scaleTable
                                                            : g.arpeggioTable;
    const std::vector<DiagramNote> decoded = diagramNotes(table.row(entry));
    if (notes)
        *notes = decoded;
    return phraseFor(kind, decoded);
}

std::vector<int> pitchesOf(Phrase::const_iterator from, Phrase::const_iterator to)
{
    std::vector<int> pitches;
    for (auto note = from; note != to; ++note)
        pitches.push_back(note->pitch);
    return pitches;
}

} // namespace

class tst_Sound : public QObject
{
    Q_OBJECT
private slots:
    void phrasesPlayTheDiagram_data();
    void phrasesPlayTheDiagram();
    void notesInTune_data();
    void notesInTune();
    void phrasesRenderInTimeAndClean();
};

void tst_Sound::phrasesPlayTheDiagram_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("entry");
    QTest::newRow("C Dominant 7, Second Inversion") << int(DiagramKind::Chord) << 70;
    QTest::newRow("G Minor 7 arpeggio, Root Position") << int(DiagramKind::Arpeggio) << 204;
    QTest::newRow("C major, First Position") << int(DiagramKind::Scale) << 15;
    QTest::newRow("the blank board") << int(DiagramKind::Arpeggio) << 240;
}

// Exactly the diagram's notes, in the order a guitarist plays them, and no
// string ringing on once it is plucked again.
void tst_Sound::phrasesPlayTheDiagram()
{
    QFETCH(int, kind);
    QFETCH(int, entry);
    std::vector<DiagramNote> notes;
    const Phrase phrase = phraseOf(DiagramKind(kind), entry, &notes);
    std::vector<int> rising;
    for (const DiagramNote& note : notes)
        rising.push_back(note.pitch);
    std::sort(rising.begin(), rising.end());
    const size_t n = notes.size();
    if (n == 0) {
        QVERIFY(phrase.empty());
        return;
    }
    if (DiagramKind(kind) == DiagramKind::Chord) {
        // Strum, each note from the lowest, strum.
        QCOMPARE(phrase.size(), 3 * n);
        for (size_t strum : {size_t(0), 2 * n})
            for (size_t i = 0; i < n; ++i) {
                QCOMPARE(phrase[strum + i].string, notes[i].string);
                QCOMPARE(phrase[strum + i].pitch, notes[i].pitch);
                QVERIFY(std::abs(phrase[strum + i].start - phrase[strum].start - 0.03 * double(i)) < 0.01);
            }
        QCOMPARE(pitchesOf(phrase.begin() + long(n), phrase.begin() + long(2 * n)), rising);
        QVERIFY(phrase[n].start > phrase[n - 1].start + 0.2);
        QVERIFY(phrase[2 * n].start > phrase[2 * n - 1].start + 0.2);
    } else {
        // Up and back down, the top note once, as eighth notes at about 100
        // beats a minute, the last one ringing.
        std::vector<int> upAndDown = rising;
        upAndDown.insert(upAndDown.end(), rising.rbegin() + 1, rising.rend());
        QCOMPARE(pitchesOf(phrase.begin(), phrase.end()), upAndDown);
        for (size_t i = 1; i < phrase.size(); ++i)
            QVERIFY(std::abs(phrase[i].start - phrase[i - 1].start - 0.3) < 0.03);
        QVERIFY(phrase.back().length > 1.0);
    }
    for (size_t i = 0; i < phrase.size(); ++i)
        for (size_t j = i + 1; j < phrase.size(); ++j)
            if (phrase[j].string == phrase[i].string)
                QVERIFY(phrase[i].start + phrase[i].length <= phrase[j].start + 1e-9);
}

void tst_Sound::notesInTune_data()
{
    QTest::addColumn<int>("pitch");
    QTest::addColumn<int>("string");
    QTest::addColumn<int>("rate");
    const struct
    {
        int pitch, string, rate;
    } notes[] = {{40, 0, 48000}, {47, 0, 48000}, {45, 1, 44100}, {52, 2, 48000},
                 {55, 3, 48000}, {63, 3, 44100}, {59, 4, 48000}, {71, 4, 48000},
                 {64, 5, 48000}, {69, 5, 48000}, {76, 5, 44100}, {79, 5, 48000}};
    for (const auto& note : notes)
        QTest::addRow("MIDI %d on string %d at %d Hz", note.pitch, note.string, note.rate)
            << note.pitch << note.string << note.rate;
}

// Every note from the open low E to fret 15 of the high E within 3 cents of
// equal temperament, A4 = 440 Hz.
void tst_Sound::notesInTune()
{
    QFETCH(int, pitch);
    QFETCH(int, string);
    QFETCH(int, rate);
    const std::vector<float> sound = renderPhrase({{pitch, string, 0, 1.5}}, rate);
    const double measured = measuredPitch(sound, rate, size_t(0.3 * rate), size_t(1.3 * rate));
    QVERIFY2(std::abs(measured - pitch) <= 0.03, qPrintable(QStringLiteral("%1 cents off")
                                                              .arg(100 * (measured - pitch))));
}

// An arpeggio from the shipped table sounds each note at its time, evenly,
// at its pitch; a six-string strum, or twelve notes at once, does not clip; every phrase ends in
// silence; a phrase the strings cannot play renders nothing.
void tst_Sound::phrasesRenderInTimeAndClean()
{
    const int rate = 48000;
    const Phrase arpeggio = phraseOf(DiagramKind::Arpeggio, 204);
    const std::vector<float> sound = renderPhrase(arpeggio, rate);
    const std::vector<double> heard = onsets(sound, rate);
    QCOMPARE(heard.size(), arpeggio.size());
    for (size_t i = 0; i < heard.size(); ++i) {
        QVERIFY2(std::abs(heard[i] - arpeggio[i].start) < 0.01, qPrintable(QString::number(heard[i])));
        const double pitch = measuredPitch(sound, rate, size_t((heard[i] + 0.05) * rate),
                                           size_t((heard[i] + 0.28) * rate));
        QCOMPARE(std::lround(pitch), long(arpeggio[i].pitch));
    }

    std::vector<DiagramNote> openStrings;
    for (int s = 0; s < 6; ++s)
        openStrings.push_back({s, 0, kOpenStringPitch[s]});
    Phrase unison; // louder than any strum: each string's open note twice at once
    for (const DiagramNote& note : openStrings)
        unison.insert(unison.end(), 2, {note.pitch, note.string, 0, 1});
    for (const std::vector<float>& rendered :
         {sound, renderPhrase(phraseFor(DiagramKind::Chord, openStrings), 44100),
          renderPhrase(unison, rate)}) {
        float peak = 0;
        for (float sample : rendered) {
            QVERIFY(std::isfinite(sample));
            peak = std::max(peak, std::abs(sample));
        }
        QVERIFY(peak > 0.1f && peak < 0.99f);
        for (size_t i = rendered.size() - size_t(0.01 * rate); i < rendered.size(); ++i)
            QVERIFY(std::abs(rendered[i]) < 0.01f * peak);
        QCOMPARE(rendered.back(), 0.0f);
    }
    QVERIFY(renderPhrase({{200, 0, 0, 1}, {60, 2, std::nan(""), 1}, {60, 2, 0, -1}}, rate).empty());
    QVERIFY(renderPhrase(arpeggio, 0).empty());
}

QTEST_GUILESS_MAIN(tst_Sound)
#include "tst_sound.moc"
