#include "SoundSynth.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <stdexcept>

namespace artwork::sound {
namespace {

constexpr double kTwoPi = 6.283185307179586;

std::vector<float> silence(double seconds) {
    return std::vector<float>(static_cast<size_t>(seconds * kRate), 0.0f);
}

// Short fades at both ends so no sound starts or stops with a click of its own.
void fadeEnds(std::vector<float>& s, double seconds = 0.004) {
    const size_t n = std::min(s.size() / 2, static_cast<size_t>(seconds * kRate));
    for (size_t i = 0; i < n; ++i) {
        const float g = static_cast<float>(i) / static_cast<float>(n);
        s[i] *= g;
        s[s.size() - 1 - i] *= g;
    }
}

// A filtered noise tick: the mechanical part of a shutter.
void addTick(std::vector<float>& s, double at, double decay, double gain, double brightness,
             std::mt19937& rng) {
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    const size_t start = static_cast<size_t>(at * kRate);
    double low = 0;
    for (size_t i = start; i < s.size(); ++i) {
        const double t = static_cast<double>(i - start) / kRate;
        const double env = std::exp(-t / decay);
        if (env < 1e-4)
            break;
        low += brightness * (noise(rng) - low);
        s[i] += static_cast<float>(gain * env * low);
    }
}

} // namespace

std::vector<float> shutterClick() {
    std::mt19937 rng(20050401u);
    auto s = silence(0.2);
    addTick(s, 0.004, 0.006, 1.0, 0.55, rng); // the blade opens
    addTick(s, 0.072, 0.009, 0.8, 0.35, rng); // and snaps shut
    // A small body thump under each tick.
    for (const double at : {0.004, 0.072}) {
        const size_t start = static_cast<size_t>(at * kRate);
        for (size_t i = start; i < s.size(); ++i) {
            const double t = static_cast<double>(i - start) / kRate;
            s[i] += static_cast<float>(0.35 * std::exp(-t / 0.012) * std::sin(kTwoPi * 170 * t));
        }
    }
    fadeEnds(s, 0.002);
    return s;
}

std::vector<float> rolloverBlip() {
    auto s = silence(0.4);
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        // A quick upward glide that settles on a soft bell-like tone.
        const double f = 1320 - 440 * std::exp(-t / 0.018);
        phase += kTwoPi * f / kRate;
        const double attack = std::min(1.0, t / 0.006);
        const double env = attack * std::exp(-t / 0.075);
        s[i] = static_cast<float>(
            env * (std::sin(phase) + 0.18 * std::sin(2 * phase) + 0.06 * std::sin(3 * phase)));
    }
    fadeEnds(s);
    return s;
}

std::vector<float> deleteWhoosh() {
    std::mt19937 rng(20050402u);
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    auto s = silence(0.6);
    // Noise through a low-pass that closes as the paper flies away.
    double lp1 = 0, lp2 = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double cutoff = 3200 * std::exp(-t / 0.22) + 250;
        const double k = 1 - std::exp(-kTwoPi * cutoff / kRate);
        lp1 += k * (noise(rng) - lp1);
        lp2 += k * (lp1 - lp2);
        const double swell = std::sin(M_PI * std::min(1.0, t / 0.55));
        s[i] = static_cast<float>(0.9 * swell * swell * lp2 * 2.2);
    }
    // Crumples: a scatter of tiny crackles in the first third.
    std::uniform_real_distribution<double> when(0.0, 0.22);
    std::uniform_real_distribution<double> loud(0.15, 0.45);
    for (int n = 0; n < 26; ++n)
        addTick(s, 0.01 + when(rng), 0.0025, loud(rng), 0.7, rng);
    fadeEnds(s, 0.01);
    return s;
}

std::vector<float> countdownTick() {
    // A wood-block tick: a short, slightly detuned pair of tones that dies in a few
    // hundredths of a second, so ten of them in a row never blur into a hum.
    auto s = silence(0.08);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::min(1.0, t / 0.001) * std::exp(-t / 0.012);
        s[i] = static_cast<float>(
            env * (std::sin(kTwoPi * 1760 * t) + 0.5 * std::sin(kTwoPi * 2650 * t)));
    }
    fadeEnds(s, 0.002);
    return s;
}

std::vector<float> countdownLast() {
    // Two quick beeps a fifth higher than the tick: the photo comes next.
    auto s = silence(0.3);
    for (const double at : {0.0, 0.14}) {
        const size_t start = static_cast<size_t>(at * kRate);
        for (size_t i = start; i < s.size(); ++i) {
            const double t = static_cast<double>(i - start) / kRate;
            if (t > 0.12)
                break;
            const double env = std::min(1.0, t / 0.004) * std::exp(-t / 0.05);
            s[i] += static_cast<float>(
                env * (std::sin(kTwoPi * 2640 * t) + 0.2 * std::sin(kTwoPi * 5280 * t)));
        }
    }
    fadeEnds(s);
    return s;
}

void writeWave(std::vector<float> samples, double peakDbfs, const QString& path) {
    float peak = 0;
    for (float v : samples)
        peak = std::max(peak, std::abs(v));
    if (peak <= 0)
        throw std::runtime_error("silent sound " + path.toStdString());
    const float gain = static_cast<float>(std::pow(10.0, peakDbfs / 20.0)) / peak;

    QByteArray data;
    data.reserve(static_cast<qsizetype>(samples.size() * 2));
    for (float v : samples) {
        const auto q = static_cast<int16_t>(std::lround(std::clamp(v * gain, -1.0f, 1.0f) * 32767));
        data.append(static_cast<char>(q & 0xff));
        data.append(static_cast<char>((q >> 8) & 0xff));
    }
    QByteArray out;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.append(static_cast<char>((v >> (8 * i)) & 0xff));
    };
    auto u16 = [&](uint16_t v) {
        out.append(static_cast<char>(v & 0xff));
        out.append(static_cast<char>((v >> 8) & 0xff));
    };
    out.append("RIFF");
    u32(static_cast<uint32_t>(36 + data.size()));
    out.append("WAVE");
    out.append("fmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kRate);
    u32(kRate * 2); // bytes per second
    u16(2);         // block align
    u16(16);        // bits per sample
    out.append("data");
    u32(static_cast<uint32_t>(data.size()));
    out.append(data);

    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw std::runtime_error("cannot create folder for " + path.toStdString());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace artwork::sound
