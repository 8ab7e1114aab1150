#include "databuilder/Sounds.h"

#include <algorithm>
#include <cmath>

#include "databuilder/Random.h"

namespace quenford::tools {

namespace {

using Wave = std::vector<double>;

Wave silence(double seconds) {
    return Wave(static_cast<size_t>(seconds * soundRate), 0.0);
}

double noteFrequency(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

// A plucked, bell-like note: a sine with a little of its octave, struck and dying away.
void addNote(Wave& wave, double start, double seconds, double frequency, double loudness,
             double decay = 6.0) {
    const auto first = static_cast<size_t>(start * soundRate);
    const auto length = static_cast<size_t>(seconds * soundRate);
    double phase = 0;
    for (size_t i = 0; i < length && first + i < wave.size(); ++i) {
        const double t = static_cast<double>(i) / soundRate;
        const double attack = std::min(1.0, t / 0.004);
        const double envelope = attack * std::exp(-decay * t);
        phase += 2 * M_PI * frequency / soundRate;
        wave[first + i] +=
            loudness * envelope *
            (std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.1 * std::sin(3 * phase));
    }
}

// A tone gliding from one frequency to another under a smooth rise and fall.
void addGlide(Wave& wave, double start, double seconds, double from, double to, double loudness) {
    const auto first = static_cast<size_t>(start * soundRate);
    const auto length = static_cast<size_t>(seconds * soundRate);
    double phase = 0;
    for (size_t i = 0; i < length && first + i < wave.size(); ++i) {
        const double u = static_cast<double>(i) / static_cast<double>(length);
        const double frequency = from * std::pow(to / from, u);
        phase += 2 * M_PI * frequency / soundRate;
        wave[first + i] += loudness * std::sin(M_PI * u) * std::sin(phase);
    }
}

// Soft noise through a one-pole low-pass, for rustles, whooshes and thuds.
void addNoise(Wave& wave, double start, double seconds, double brightness, double loudness,
              uint32_t seed, bool swell) {
    Scatter scatter(seed);
    const auto first = static_cast<size_t>(start * soundRate);
    const auto length = static_cast<size_t>(seconds * soundRate);
    double low = 0;
    for (size_t i = 0; i < length && first + i < wave.size(); ++i) {
        const double u = static_cast<double>(i) / static_cast<double>(length);
        const double envelope =
            swell ? std::sin(M_PI * u) : std::exp(-8 * u) * std::min(1.0, u * 200);
        low += brightness * (scatter.between(-1, 1) - low);
        wave[first + i] += loudness * envelope * low;
    }
}

// Brings every effect to about the same loudness without letting a peak near the limits,
// fades both ends so the speaker never clicks, and converts to unsigned 8-bit samples
// centred on 128.
Bytes finish(Wave wave) {
    double peak = 0;
    double power = 0;
    for (const double s : wave) {
        peak = std::max(peak, std::abs(s));
        power += s * s;
    }
    const double rms = wave.empty() ? 0 : std::sqrt(power / static_cast<double>(wave.size()));
    const double gain = peak > 0 ? std::min(0.82 / peak, 0.22 / rms) : 0;
    const auto fade = static_cast<size_t>(0.006 * soundRate);
    Bytes out;
    for (size_t i = 0; i < wave.size(); ++i) {
        double edge = 1.0;
        if (i < fade) {
            edge = static_cast<double>(i) / fade;
        } else if (wave.size() - 1 - i < fade) {
            edge = static_cast<double>(wave.size() - 1 - i) / fade;
        }
        const double sample = wave[i] * gain * edge;
        out.push_back(static_cast<uint8_t>(std::clamp(std::lround(128 + sample * 127), 1L, 255L)));
    }
    return out;
}

Bytes transition() {
    Wave w = silence(0.45);
    addNoise(w, 0, 0.45, 0.08, 1.0, 1, true);
    addGlide(w, 0.05, 0.35, 300, 700, 0.25);
    return finish(w);
}

Bytes gameEnd() {
    Wave w = silence(1.0);
    const int notes[] = {3, 7, 10, 15};
    for (int i = 0; i < 4; ++i) {
        addNote(w, i * 0.12, i == 3 ? 0.6 : 0.3, noteFrequency(notes[i]), 0.6, i == 3 ? 4 : 8);
    }
    addNote(w, 0.36, 0.6, noteFrequency(10), 0.3, 4);
    return finish(w);
}

Bytes grown() {
    Wave w = silence(0.14);
    addGlide(w, 0, 0.12, 420, 980, 0.9);
    return finish(w);
}

Bytes landed() {
    Wave w = silence(0.16);
    addNote(w, 0, 0.16, 170, 0.9, 28);
    addNoise(w, 0, 0.05, 0.5, 0.35, 2, false);
    return finish(w);
}

Bytes twoNotes(int first, int second, double gap) {
    Wave w = silence(gap + 0.3);
    addNote(w, 0, 0.3, noteFrequency(first), 0.6, 10);
    addNote(w, gap, 0.3, noteFrequency(second), 0.6, 9);
    return finish(w);
}

Bytes triad(bool rising) {
    Wave w = silence(0.34);
    const int notes[] = {3, 7, 10};
    for (int i = 0; i < 3; ++i) {
        addNote(w, i * 0.07, 0.2, noteFrequency(notes[rising ? i : 2 - i]), 0.6, 12);
    }
    return finish(w);
}

Bytes ping(int note, double seconds) {
    Wave w = silence(seconds);
    addNote(w, 0, seconds, noteFrequency(note), 0.8, 5.0 / seconds);
    return finish(w);
}

Bytes abandoned() {
    Wave w = silence(0.65);
    addGlide(w, 0, 0.6, 900, 180, 0.7);
    addNoise(w, 0.05, 0.55, 0.15, 0.5, 3, true);
    return finish(w);
}

Bytes swap() {
    Wave w = silence(0.26);
    addGlide(w, 0, 0.13, 480, 820, 0.7);
    addGlide(w, 0.12, 0.13, 820, 520, 0.7);
    return finish(w);
}

Bytes emptied() {
    Wave w = silence(0.55);
    for (int i = 0; i < 5; ++i) {
        addNote(w, i * 0.08, 0.14, 150 + i * 18, 0.5, 30);
        addNoise(w, i * 0.08, 0.06, 0.4, 0.3, 10 + static_cast<uint32_t>(i), false);
    }
    return finish(w);
}

}  // namespace

std::vector<Bytes> soundTable() {
    return {transition(),
            gameEnd(),
            grown(),
            landed(),
            twoNotes(-2, 5, 0.1),
            ping(12, 0.3),
            triad(true),
            triad(false),
            ping(19, 0.14),
            abandoned(),
            swap(),
            twoNotes(7, 12, 0.12),
            emptied(),
            Bytes{}};
}

}  // namespace quenford::tools
