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

// The pitch in samples [from, to) as a MIDI number: the autocorrelation's
// first strong peak, refined to the peak of the Hann-windowed spectrum within
// 40 cents of it (in cent steps, interpolated on the spectrum's log).
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
    while (lag < size_t(rate / 60) &&
           !(correlation(lag) > 0.6 * correlation(0) && correlation(lag) >= correlation(lag + 1)))
        ++lag;
    const double coarse = double(rate) / double(lag);
    double level[81];
    for (int c = 0; c <= 80; ++c) {
        const double w = 2 * M_PI * coarse * std::exp2((c - 40) / 1200.0) / rate;
        std::complex<double> sum;
        for (size_t i = 0; i < n; ++i)
            sum += (1 - std::cos(2 * M_PI * double(i) / double(n - 1))) * double(x[from + i]) *
                   std::polar(1.0, -w * double(i));
        level[c] = std::log(std::abs(sum));
    }
    const int c = std::clamp(int(std::max_element(level, level + 81) - level), 1, 79);
    const double cents =
        c - 40 + 0.5 * (level[c - 1] - level[c + 1]) / (level[c - 1] - 2 * level[c] + level[c + 1]);
    return 69 + 12 * std::log2(coarse / 440) + cents / 100;
}

// Where new plucks begin: 5 ms frames whose sharpest step from one sample to
// the next is three times any in the 50 ms before, and not lost in the quiet.
std::vector<double> onsets(const std::vector<float>& x, int rate)
{
    const size_t frame = size_t(rate / 200), quiet = 10; // frames of silence before the sound
    std::vector<float> steps(quiet + x.size() / frame, 0.0f);
    for (size_t i = 1; i < x.size() / frame * frame; ++i)
        steps[quiet + i / frame] = std::max(steps[quiet + i / frame], std::abs(x[i] - x[i - 1]));
    const float loudest = *std::max_element(steps.begin(), steps.end());
    std::vector<double> found;
    for (size_t f = quiet; f < steps.size(); ++f)
        if (steps[f] > 0.05f * loudest &&
            steps[f] > 3 * *std::max_element(&steps[f - quiet], &steps[f]))
            found.push_back(double((f - quiet) * frame) / rate);
    return found;
}

// An entry of the shipped lesson tables, as the program loads and decodes it.
std::vector<DiagramNote> shippedNotes(DiagramKind kind, int entry)
{
    static const globalProcedures g = [] {
        globalProcedures lessons(QStringLiteral(FRETQUILL_PROGRAM_DIR));
        lessons.loadArpeggios();
        lessons.loadScales();
        lessons.loadChords();
        return lessons;
    }();
    const LessonTable* tables[] = {&g.arpeggioTable, &g.chordTable, &g.scaleTable}; // by kind
    return diagramNotes(tables[int(kind)]->row(entry));
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
    const std::vector<DiagramNote> notes = shippedNotes(DiagramKind(kind), entry);
    const Phrase phrase = phraseFor(DiagramKind(kind), notes);
    const bool chord = DiagramKind(kind) == DiagramKind::Chord;
    std::vector<int> reading, played;
    for (const DiagramNote& note : notes)
        reading.push_back(note.pitch);
    for (const PhraseNote& note : phrase)
        played.push_back(note.pitch);
    std::vector<int> rising = reading, expected;
    std::sort(rising.begin(), rising.end());
    // A chord: strum from the low string, each note from the lowest, strum;
    // anything else up and back down, the top note once, as eighth notes at
    // about 100 beats a minute, the last one ringing. The blank board: nothing.
    if (chord)
        for (const auto* part : {&reading, &rising, &reading})
            expected.insert(expected.end(), part->begin(), part->end());
    else if (!rising.empty())
        expected = rising, expected.insert(expected.end(), rising.rbegin() + 1, rising.rend());
    QCOMPARE(played, expected);
    const size_t n = notes.size();
    for (size_t i = 1; i < phrase.size(); ++i) {
        const double gap = phrase[i].start - phrase[i - 1].start;
        QVERIFY(!chord                ? std::abs(gap - 0.3) < 0.03
                : i / n != 1 && i % n ? std::abs(gap - 0.03) < 0.01
                                      : gap > 0.2);
    }
    QVERIFY(phrase.empty() || phrase.back().length > 1.0);
    for (size_t i = 0; i < phrase.size(); ++i)
        for (size_t j = i + 1; j < phrase.size(); ++j)
            if (phrase[j].string == phrase[i].string)
                QVERIFY(phrase[i].start + phrase[i].length <= phrase[j].start + 1e-9);
}

void tst_Sound::notesInTune_data()
{
    QTest::addColumn<int>("pitch");
    QTest::addColumn<int>("string");
    const int pitches[] = {40, 47, 45, 52, 55, 63, 59, 71, 64, 69, 76, 79};
    const int strings[] = {0, 0, 1, 2, 3, 3, 4, 4, 5, 5, 5, 5};
    for (int i = 0; i < 12; ++i)
        QTest::addRow("MIDI %d on string %d", pitches[i], strings[i]) << pitches[i] << strings[i];
}

// Every note from the open low E to fret 15 of the high E within 3 cents of
// equal temperament, A4 = 440 Hz, at either common rate.
void tst_Sound::notesInTune()
{
    QFETCH(int, pitch);
    QFETCH(int, string);
    for (int rate : {44100, 48000}) {
        const std::vector<float> sound = renderPhrase({{pitch, string, 0, 1.5}}, rate);
        const double off = measuredPitch(sound, rate, 3 * rate / 10, 13 * rate / 10) - pitch;
        QVERIFY2(std::abs(off) <= 0.03, qPrintable(QStringLiteral("%1 cents").arg(100 * off)));
    }
}

// An arpeggio from the shipped table sounds each note at its time, evenly,
// at its pitch; even twelve notes at once, louder than any strum, do not clip;
// every phrase ends in silence; a phrase the strings cannot play renders
// nothing.
void tst_Sound::phrasesRenderInTimeAndClean()
{
    const int rate = 48000;
    const Phrase arpeggio =
        phraseFor(DiagramKind::Arpeggio, shippedNotes(DiagramKind::Arpeggio, 204));
    const std::vector<float> sound = renderPhrase(arpeggio, rate);
    const std::vector<double> heard = onsets(sound, rate);
    QCOMPARE(heard.size(), arpeggio.size());
    for (size_t i = 0; i < heard.size(); ++i) {
        QVERIFY(std::abs(heard[i] - arpeggio[i].start) < 0.01);
        QCOMPARE(std::lround(measuredPitch(sound, rate, size_t((heard[i] + 0.05) * rate),
                                           size_t((heard[i] + 0.28) * rate))),
                 long(arpeggio[i].pitch));
    }

    Phrase unison; // louder than any strum: each string's open note twice at once
    for (int s = 0; s < 6; ++s)
        unison.insert(unison.end(), 2, {kOpenStringPitch[s], s, 0, 1});
    for (const std::vector<float>& rendered : {sound, renderPhrase(unison, 44100)}) {
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
    const Phrase unplayable = {{200, 0, 0, 1}, {60, 2, NAN, 1}, {60, 2, 0, -1}, {60, 2, 1e9, 1}};
    QVERIFY(renderPhrase(unplayable, rate).empty() && renderPhrase(arpeggio, 0).empty());
}

QTEST_GUILESS_MAIN(tst_Sound)
#include "tst_sound.moc"
