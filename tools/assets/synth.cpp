#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace assets {
namespace {

constexpr double kTwoPi = 2.0 * M_PI;
// Every sound peaks at -6 dBFS: room for several to overlap in the mix.
constexpr float kPeak = 0.5f;

// Small deterministic noise source so every build produces identical files.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    // Uniform in [-1, 1].
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483647.5 - 1.0;
    }

private:
    std::uint32_t state_;
};

double smoothstep(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

// Two-pole resonant band-pass (constant peak gain), used for crowd "vowels".
class BandPass {
public:
    double process(double in, double centre_hz, double q) {
        const double w = kTwoPi * centre_hz / kSampleRate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        const double b0 = alpha / a0;
        const double a1 = -2.0 * std::cos(w) / a0;
        const double a2 = (1.0 - alpha) / a0;
        const double out = b0 * in - b0 * x2_ - a1 * y1_ - a2 * y2_;
        x2_ = x1_;
        x1_ = in;
        y2_ = y1_;
        y1_ = out;
        return out;
    }

private:
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

std::size_t to_samples(double seconds) {
    return static_cast<std::size_t>(std::lround(seconds * kSampleRate));
}

// Adds one brass-like note: additive harmonics whose brightness follows the envelope.
void add_brass(std::vector<float>& out, double start, double length, double hz, double gain) {
    const double release = 0.12;
    const std::size_t first = to_samples(start);
    const std::size_t count = to_samples(length + release);
    double phase = 0.0;
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double env = std::min(1.0, t / 0.03);
        env = env * env * (3.0 - 2.0 * env);
        env *= 1.0 - 0.25 * smoothstep(t / 0.25);  // settle after the attack
        if (t > length) env *= std::cos(0.5 * M_PI * std::min(1.0, (t - length) / release));
        // Vibrato fades in on held notes only.
        const double vib = 0.006 * smoothstep((t - 0.25) / 0.3) * std::sin(kTwoPi * 5.5 * t);
        phase += kTwoPi * hz * (1.0 + vib) / kSampleRate;
        const double bright = 0.35 + 0.65 * env;
        double s = 0.0;
        for (int n = 1; n <= 12 && n * hz < 9500.0; ++n) {
            s += std::exp(-(n - 1) * (1.05 - 0.6 * bright)) * std::sin(n * phase);
        }
        out[first + i] += static_cast<float>(gain * env * s);
    }
}

// Bell-like sparkle: a sine with an inharmonic partial and a fast decay.
void add_bell(std::vector<float>& out, double start, double hz, double gain) {
    const std::size_t first = to_samples(start);
    const std::size_t count = to_samples(0.8);
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double env = std::min(1.0, t / 0.002) * std::exp(-t * 6.0);
        // The upper partial is left out where it would fold back below Nyquist.
        const double partial = hz * 2.76 < 10000.0 ? 0.3 : 0.0;
        const double s = std::sin(kTwoPi * hz * t) +
                         partial * std::sin(kTwoPi * hz * 2.76 * t) * std::exp(-t * 10.0);
        out[first + i] += static_cast<float>(gain * env * s);
    }
}

// Soft drum thump under the held chord.
void add_thump(std::vector<float>& out, double start, double gain) {
    const std::size_t first = to_samples(start);
    const std::size_t count = to_samples(0.5);
    double phase = 0.0;
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double hz = 70.0 + 60.0 * std::exp(-t * 25.0);
        phase += kTwoPi * hz / kSampleRate;
        const double env = std::min(1.0, t / 0.004) * std::exp(-t * 7.0);
        out[first + i] += static_cast<float>(gain * env * std::sin(phase));
    }
}

// A crowd shouting "hoo-ray": filtered noise whose formants move from "oo" to "ay".
void add_crowd(std::vector<float>& out, double start, double length, double gain) {
    Noise noise(0xC0FFEEu);
    Noise wobble(0x5EED5u);
    BandPass f1a, f1b, f2a, f2b, f3;
    const std::size_t first = to_samples(start);
    const std::size_t count = to_samples(length);
    double jitter = 0.0;
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double x = t / length;
        const double vowel = smoothstep((x - 0.12) / 0.2);
        const double formant1 = 320.0 + (680.0 - 320.0) * vowel;
        const double formant2 = 850.0 + (1750.0 - 850.0) * vowel;
        const double n = noise.next();
        double s = f1b.process(f1a.process(n, formant1, 3.0), formant1, 3.0) * 1.0 +
                   f2b.process(f2a.process(n, formant2, 4.0), formant2, 4.0) * 0.6 +
                   f3.process(n, 2600.0, 3.0) * 0.15;
        // Slow random loudness changes make it sound like many voices.
        jitter += (wobble.next() - jitter) * 0.0015;
        double env = smoothstep(x / 0.18) * (1.0 - smoothstep((x - 0.55) / 0.45));
        env *= 0.8 + 0.6 * jitter;
        out[first + i] += static_cast<float>(gain * env * s);
    }
}

// Small Schroeder reverb for a bit of room around the fanfare.
void add_reverb(std::vector<float>& samples, double wet) {
    const std::size_t comb_delays[] = {557, 593, 641, 677};
    const std::size_t allpass_delays[] = {225, 76};
    std::vector<float> sum(samples.size(), 0.0f);
    for (std::size_t d : comb_delays) {
        std::vector<float> line(d, 0.0f);
        std::size_t pos = 0;
        double damp = 0.0;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const float delayed = line[pos];
            damp = delayed * 0.7 + damp * 0.3;
            line[pos] = static_cast<float>(samples[i] + damp * 0.78);
            pos = (pos + 1) % d;
            sum[i] += delayed * 0.25f;
        }
    }
    for (std::size_t d : allpass_delays) {
        std::vector<float> line(d, 0.0f);
        std::size_t pos = 0;
        for (float& s : sum) {
            const float delayed = line[pos];
            const float in = s;
            line[pos] = in + delayed * 0.5f;
            s = delayed - in * 0.5f;
            pos = (pos + 1) % d;
        }
    }
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<float>(samples[i] * (1.0 - wet) + sum[i] * wet);
    }
}

}  // namespace

std::vector<float> synth_squeak(const Squeak& sq) {
    const std::size_t count = to_samples(sq.seconds);
    std::vector<float> out(count);
    Noise noise(sq.seed);
    double phase = 0.0;
    const double rise = 0.3;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double x = t / sq.seconds;
        double hz;
        if (x < rise) {
            const double k = 1.0 - x / rise;
            hz = sq.start_hz + (sq.peak_hz - sq.start_hz) * (1.0 - k * k);
        } else {
            hz = sq.peak_hz + (sq.end_hz - sq.peak_hz) * smoothstep((x - rise) / (1.0 - rise));
        }
        hz *= 1.0 + 0.03 * std::sin(kTwoPi * sq.vibrato_hz * t);
        phase += kTwoPi * hz / kSampleRate;

        const double b = sq.brightness;
        double tone = std::sin(phase) + 0.5 * b * std::sin(2 * phase) +
                      0.25 * b * std::sin(3 * phase + 0.5) + 0.1 * b * std::sin(4 * phase);
        // A rubbery flutter in loudness.
        tone *= 1.0 - 0.12 * (0.5 + 0.5 * std::sin(kTwoPi * 2.0 * sq.vibrato_hz * t));

        double attack = std::min(1.0, t / 0.012);
        attack = std::sin(0.5 * M_PI * attack);
        attack *= attack;
        const double release = x > 0.5 ? std::cos(0.5 * M_PI * (x - 0.5) / 0.5) : 1.0;
        const double env = attack * release * release * (1.0 - 0.25 * x);
        const double breath = noise.next() * 0.08 * std::exp(-t / 0.012);
        out[i] = static_cast<float>(env * tone + breath);
    }
    normalize(out, kPeak);
    return out;
}

std::vector<float> synth_hooray() {
    const double total = 2.3;
    std::vector<float> out(to_samples(total), 0.0f);

    // Rising pickup, then a held major chord.
    const double c5 = 523.25, e5 = 659.26, g5 = 783.99, c6 = 1046.5, g4 = 392.0;
    add_brass(out, 0.00, 0.09, g4, 0.30);
    add_brass(out, 0.11, 0.09, c5, 0.30);
    add_brass(out, 0.22, 0.09, e5, 0.30);
    add_brass(out, 0.33, 0.20, g5, 0.32);
    add_brass(out, 0.56, 0.08, e5, 0.28);
    const double hold = 0.68, held = 1.25;
    add_brass(out, hold, held, c6, 0.30);
    add_brass(out, hold, held, g5, 0.20);
    add_brass(out, hold, held, e5, 0.18);
    add_brass(out, hold, held, c5, 0.18);
    add_brass(out, hold, held, c5 / 2.0, 0.16);
    add_thump(out, hold, 0.55);
    add_bell(out, hold, 2093.0, 0.10);
    add_bell(out, hold + 0.12, 2637.0, 0.08);
    add_bell(out, hold + 0.24, 3136.0, 0.08);
    add_bell(out, hold + 0.36, 4186.0, 0.06);
    add_crowd(out, 0.45, 1.8, 0.9);

    add_reverb(out, 0.2);
    // Gentle fade so the file ends in silence.
    const std::size_t fade = to_samples(0.08);
    for (std::size_t i = 0; i < fade; ++i) {
        out[out.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
    }
    normalize(out, kPeak);
    return out;
}

void normalize(std::vector<float>& samples, float peak) {
    float loudest = 0.0f;
    for (float s : samples) loudest = std::max(loudest, std::fabs(s));
    if (loudest <= 0.0f) return;
    const float k = peak / loudest;
    for (float& s : samples) s *= k;
}

}  // namespace assets
