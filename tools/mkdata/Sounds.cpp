// The three cue sounds, synthesised: a soft high click for a right keystroke,
// a lower, longer tone for a wrong one, and a short wooden tick for the race
// countdown. 44.1 kHz, 16-bit mono PCM.
#include "Output.h"
#include "Steps.h"

#include <QtEndian>
#include <cmath>
#include <vector>

namespace {
constexpr int kRate = 44100;
constexpr double kTwoPi = 6.283185307179586;

struct Partial {
    double frequency; // Hz
    double amplitude; // relative
    double decay;     // per second (exponential)
};

// Sum of decaying sine partials with a short linear attack and a final fade,
// so the sound starts and stops at zero (no clicks).
std::vector<double> synthesise(double seconds, double attack, const std::vector<Partial> &partials, double glide = 0)
{
    const int count = static_cast<int>(seconds * kRate);
    const int attackSamples = std::max(1, static_cast<int>(attack * kRate));
    const int fadeSamples = std::min(count / 4, kRate / 200); // 5 ms
    std::vector<double> samples(count);
    std::vector<double> phases(partials.size(), 0.0);
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / kRate;
        double value = 0;
        for (size_t k = 0; k < partials.size(); ++k) {
            const Partial &p = partials[k];
            // A glide bends the pitch down over the sound's length.
            phases[k] += kTwoPi * p.frequency * (1.0 - glide * t / seconds) / kRate;
            value += p.amplitude * std::exp(-p.decay * t) * std::sin(phases[k]);
        }
        double envelope = i < attackSamples ? double(i) / attackSamples : 1.0;
        if (i >= count - fadeSamples)
            envelope *= double(count - 1 - i) / fadeSamples;
        samples[i] = value * envelope;
    }
    return samples;
}

QByteArray waveFile(const std::vector<double> &samples, double peak)
{
    double largest = 1e-9;
    for (double s : samples)
        largest = std::max(largest, std::abs(s));
    const double scale = peak * 32767.0 / largest;

    QByteArray pcm(static_cast<qsizetype>(samples.size() * 2), Qt::Uninitialized);
    for (size_t i = 0; i < samples.size(); ++i)
        qToLittleEndian<qint16>(static_cast<qint16>(std::lround(samples[i] * scale)), pcm.data() + 2 * i);

    QByteArray wav;
    auto u32 = [&](quint32 v) { char b[4]; qToLittleEndian(v, b); wav.append(b, 4); };
    auto u16 = [&](quint16 v) { char b[2]; qToLittleEndian(v, b); wav.append(b, 2); };
    wav.append("RIFF");
    u32(36 + pcm.size());
    wav.append("WAVEfmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    wav.append("data");
    u32(pcm.size());
    wav.append(pcm);
    return wav;
}
} // namespace

bool BuildSounds(const QString &out, QString *error)
{
    const QString dir = out + QStringLiteral("/sound/");
    const auto confirm = synthesise(0.09, 0.002, {{1318.5, 1.0, 45}, {2637.0, 0.25, 80}, {1975.5, 0.2, 60}});
    const auto wrong = synthesise(0.26, 0.006, {{220.0, 1.0, 9}, {440.0, 0.35, 14}, {330.0, 0.2, 12}}, 0.12);
    const auto tick = synthesise(0.05, 0.0008, {{1800.0, 1.0, 110}, {3100.0, 0.5, 160}, {900.0, 0.4, 90}});
    return WriteOutputFile(dir + QStringLiteral("yes.wav"), waveFile(confirm, 0.5), error)
        && WriteOutputFile(dir + QStringLiteral("no.wav"), waveFile(wrong, 0.55), error)
        && WriteOutputFile(dir + QStringLiteral("tick2.wav"), waveFile(tick, 0.5), error);
}
