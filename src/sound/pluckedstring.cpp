#include "pluckedstring.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

// Each note is a digital waveguide string after Karplus and Strong, as Jaffe
// and Smith extended it: a delay line closed through a loss filter (the
// string's damping, stronger for the higher partials) and a first-order
// allpass that tunes the loop to a fraction of a sample. The pluck enters
// through a pick-direction lowpass and a pick-position comb, which shape the
// starting spectrum as a pick does: the comb cancels the partials that have a
// node where the pick struck the string.
namespace {

constexpr double kPi = 3.14159265358979323846;

double frequencyOf(int pitch)
{
    return 440.0 * std::pow(2.0, (pitch - 69) / 12.0);
}

// How long the fundamental takes to fall by 60 dB: about six seconds for the
// open low E, a second and a half at fret 15 of the high E; the wound strings
// (low E, A, D) lose their upper partials sooner than the plain ones.
double fundamentalDecaySeconds(double f0)
{
    return 6.0 * std::pow(f0 / 82.41, -0.6);
}
constexpr double kBrightnessHz = 3000; // where the upper partials' decay is set
double upperDecaySeconds(int string)
{
    return string < 3 ? 0.35 : 0.5;
}
constexpr double kDampedDecaySeconds = 0.08; // a finger laid on the string
constexpr double kDampedTailSeconds = 0.12;  // rendered after the damping begins
constexpr float kHighestLevel = 0.89f;       // about 1 dB under full scale
// What a phrase may ask for, so that no phrase can ask for a buffer of
// gigabytes: notes start within a minute and ring at most 20 seconds.
constexpr double kLatestStartSeconds = 60, kLongestRingSeconds = 20;

// The string's loop: z^-N, then the loss filter g(1 - a) / (1 - a z^-1),
// then the allpass (c + z^-1) / (1 + c z^-1). The phase delays of the three
// add up to one period at the fundamental.
struct StringLoop
{
    int length = 0; // N, whole samples
    double lossGain = 0, lossPole = 0, allpass = 0;
};

// The one-pole loss filter whose gain per period makes the fundamental and
// the partials near kBrightnessHz fall by 60 dB in their decay times.
void designLoss(StringLoop& loop, double f0, int string, double rate)
{
    const double w0 = 2 * kPi * f0 / rate;
    const double w1 = 2 * kPi * std::min(kBrightnessHz, 0.4 * rate) / rate;
    const double g0 = std::pow(10.0, -3.0 / (fundamentalDecaySeconds(f0) * f0));
    const double g1 = std::pow(10.0, -3.0 / (upperDecaySeconds(string) * f0));
    // |H(w1)| / |H(w0)| = g1 / g0 gives a quadratic in the pole a whose
    // roots multiply to 1; the root inside the unit circle is the filter.
    double a = 0;
    const double r2 = (g1 / g0) * (g1 / g0);
    if (w1 > w0 && r2 < 1) {
        const double b = (std::cos(w0) - r2 * std::cos(w1)) / (1 - r2);
        a = b > 1 ? b - std::sqrt(b * b - 1) : 0;
    }
    loop.lossPole = a;
    // Kept below 1 at 0 Hz, so that the loop never grows.
    loop.lossGain = std::min(g0 * std::sqrt(1 - 2 * a * std::cos(w0) + a * a) / (1 - a), 0.9999);
}

// Tunes the loop: the whole samples of the delay line, and the allpass for
// the fraction left after the loss filter's own phase delay, kept between
// 0.5 and 1.5 samples where the allpass is smooth and quick to settle.
void tune(StringLoop& loop, double f0, double rate)
{
    const double w0 = 2 * kPi * f0 / rate;
    const double a = loop.lossPole;
    const double lossDelay = std::atan2(a * std::sin(w0), 1 - a * std::cos(w0)) / w0;
    const double rest = rate / f0 - lossDelay;
    loop.length = int(std::floor(rest - 0.5));
    const double d = rest - loop.length;
    loop.allpass = std::sin((1 - d) * w0 / 2) / std::sin((1 + d) * w0 / 2);
}

// A small, repeatable noise for the pick's scrape, so that a phrase renders
// the same every time.
class Noise
{
public:
    explicit Noise(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    double next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ / 2147483648.0 - 1.0;
    }

private:
    uint32_t state_;
};

// The pluck that enters the loop. A string let go from a pick at a fraction
// b of its length pushes on the bridge with a pulse b of a period long (the
// slope of its triangular shape): a step through the pick-position comb
// 1 - z^-(b N), whose partials fall as sin(n pi b) / n, so that those with a
// node under the pick are missing.
// The pick strikes at a fixed place near the sound hole, so on a fretted,
// shorter string it lies relatively further from the bridge. The
// pick-direction lowpass softens the edge, a downstroke a little darker and
// firmer than an upstroke; a little noise is the pick's scrape. The pulse's
// average is taken off, so that the string carries no offset.
std::vector<double> pluck(const PhraseNote& note, int index, bool upstroke, double period,
                          double rate)
{
    const int openPitch = kOpenStringPitch[std::clamp(note.string, 0, 5)];
    const double fret = std::clamp(note.pitch - openPitch, 0, 24);
    const double position = std::min(0.18 * std::pow(2.0, fret / 12), 0.5);
    const int wholePeriod = std::max(2, int(period));
    const int width = std::clamp(int(std::lround(position * period)), 1, wholePeriod - 1);
    const double cutoff = upstroke ? 4000 : 2500;
    const double p = std::exp(-2 * kPi * cutoff / rate);

    std::vector<double> shaped(size_t(wholePeriod) * 2, 0.0);
    Noise noise(uint32_t(note.pitch * 977 + index));
    const double offset = double(width) / wholePeriod;
    double lowpassed = 0;
    for (size_t n = 0; n < shaped.size(); ++n) {
        const int i = int(n);
        const double pulse = i < wholePeriod ? (i < width ? 1.0 : 0.0) - offset : 0.0;
        const double scrape =
            i < wholePeriod ? 0.1 * noise.next() * (1 - double(i) / wholePeriod) : 0.0;
        lowpassed = (1 - p) * (pulse + scrape) + p * lowpassed;
        shaped[n] = lowpassed;
    }
    return shaped;
}

// One note into out[first ...]: the pluck rings through the loop until the
// note's length, then the loop loses more at every pass, so that the string
// falls by 60 dB in kDampedDecaySeconds, as under a finger laid on it.
// Levelled to a common loudness over its first tenth of a second.
void renderNote(const PhraseNote& note, int index, bool upstroke, double rate,
                std::vector<float>& out)
{
    const double f0 = frequencyOf(note.pitch);
    StringLoop loop;
    designLoss(loop, f0, note.string, rate);
    tune(loop, f0, rate);
    const std::vector<double> excitation = pluck(note, index, upstroke, rate / f0, rate);

    const size_t first = size_t(std::lround(note.start * rate));
    const size_t dampAt = size_t(std::lround(note.length * rate));
    const size_t count = std::min(out.size() - std::min(first, out.size()),
                                  dampAt + size_t(std::lround(kDampedTailSeconds * rate)));
    const double damped = std::pow(10.0, -3.0 / (kDampedDecaySeconds * f0));

    // The sound itself is the delay line: what left the loop N samples ago
    // comes round again. The pluck enters over the first periods.
    std::vector<double> sound(count, 0.0);
    std::copy_n(excitation.begin(), std::min(count, excitation.size()), sound.begin());
    const size_t length = size_t(loop.length);
    const double b = loop.lossGain * (1 - loop.lossPole), a = loop.lossPole, c = loop.allpass;
    double lossOut = 0, allpassIn = 0, allpassOut = 0;
    auto ring = [&](size_t from, size_t to, double gain) {
        for (size_t n = from; n < to; ++n) {
            lossOut = b * sound[n - length] + a * lossOut;
            allpassOut = (c * lossOut + allpassIn) - c * allpassOut;
            allpassIn = lossOut;
            sound[n] += gain * allpassOut;
        }
    };
    const size_t damping = std::clamp(dampAt, length, std::max(count, length));
    ring(length, damping, 1.0);
    ring(damping, count, damped);

    double energy = 0;
    const size_t measured = std::min(count, size_t(0.1 * rate));
    for (size_t n = 0; n < measured; ++n)
        energy += sound[n] * sound[n];
    const double gain = energy > 0 ? 0.12 / std::sqrt(energy / double(measured)) : 0.0;
    const double velocity = upstroke ? 0.85 : 1.0;
    for (size_t n = 0; n < count; ++n)
        out[first + n] += float(sound[n] * gain * velocity);
}

// One of the body's resonances, a two-pole band-pass of the given centre,
// sharpness and level, fed the input's difference over two samples.
class Resonance
{
public:
    Resonance(double hz, double q, double level, double rate)
    {
        const double r = std::exp(-kPi * hz / q / rate);
        a1_ = 2 * r * std::cos(2 * kPi * hz / rate);
        a2_ = -r * r;
        b0_ = (1 - r * r) / 2 * level;
    }
    double step(double difference)
    {
        // The last sample's term added last: the shortest chain from one
        // sample to the next.
        const double y = (b0_ * difference + a2_ * y2_) + a1_ * y1_;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    double a1_, a2_, b0_, y1_ = 0, y2_ = 0;
};

// The guitar's body: the string's sound plus three of the body's lowest
// resonances (the air in the box, the top and the back plates). Returns the
// highest level it reached.
float throughBody(std::vector<float>& samples, double rate)
{
    Resonance air(102, 12, 0.6, rate), top(205, 16, 0.45, rate), back(410, 10, 0.25, rate);
    double x1 = 0, x2 = 0;
    float peak = 0;
    for (float& sample : samples) {
        const double x = sample, difference = x - x2;
        sample = float(x + air.step(difference) + top.step(difference) + back.step(difference));
        x2 = x1;
        x1 = x;
        peak = std::max(peak, std::abs(sample));
    }
    return peak;
}

bool playable(const PhraseNote& note, double rate)
{
    return std::isfinite(note.start) && std::isfinite(note.length) && note.start >= 0 &&
           note.start < kLatestStartSeconds && note.length >= 0 && note.pitch >= 21 &&
           note.pitch <= 108 && rate / frequencyOf(note.pitch) >= 8;
}

} // namespace

std::vector<float> renderPhrase(const Phrase& phrase, int sampleRate)
{
    if (sampleRate < 8000 || sampleRate > 192000)
        return {};
    const double rate = sampleRate;
    double end = 0;
    for (const PhraseNote& note : phrase)
        if (playable(note, rate))
            end = std::max(end, note.start + std::min(note.length, kLongestRingSeconds) +
                                    kDampedTailSeconds);
    if (end <= 0)
        return {};
    std::vector<float> samples(size_t(std::ceil(end * rate)) + 1, 0.0f);

    // A strum (notes closer than two strum gaps) is one downstroke; single
    // notes alternate up- and downstrokes after it, as a guitarist picks.
    auto close = [&](size_t i, size_t j) {
        return j < phrase.size() &&
               std::abs(phrase[j].start - phrase[i].start) <= 2 * kStrumGapSeconds;
    };
    bool upstroke = true;
    for (size_t i = 0; i < phrase.size(); ++i) {
        PhraseNote note = phrase[i];
        if (!playable(note, rate))
            continue;
        note.length = std::min(note.length, kLongestRingSeconds);
        const bool strummed = (i > 0 && close(i, i - 1)) || close(i, i + 1);
        upstroke = strummed ? false : !upstroke;
        renderNote(note, int(i), upstroke, rate, samples);
    }
    const float peak = throughBody(samples, rate);

    // Never clipped: a loud strum brings the whole phrase down to just under
    // full scale. Then a short fade, so that it ends in silence.
    if (peak > kHighestLevel)
        for (float& sample : samples)
            sample *= kHighestLevel / peak;
    const size_t fade = std::min(samples.size(), size_t(0.02 * rate));
    for (size_t left = 0; left < fade; ++left)
        samples[samples.size() - 1 - left] *= float(left) / float(fade);
    return samples;
}
