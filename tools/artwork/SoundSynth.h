#pragma once

#include <QString>
#include <vector>

// The movie's short sounds, synthesised (no recordings), written as 16-bit mono PCM WAVE
// files at 22050 Hz.
namespace artwork::sound {

constexpr int kRate = 22050;

[[nodiscard]] std::vector<float> shutterClick(); // about 0.2 s
[[nodiscard]] std::vector<float> rolloverBlip(); // about 0.4 s
[[nodiscard]] std::vector<float> deleteWhoosh(); // about 0.6 s
// The self-timer: a tick each second, and a brighter double beep for the last one.
[[nodiscard]] std::vector<float> countdownTick(); // about 0.08 s
[[nodiscard]] std::vector<float> countdownLast(); // about 0.3 s

// Scales to the given peak in dBFS, then writes the file; throws on failure.
void writeWave(std::vector<float> samples, double peakDbfs, const QString& path);

} // namespace artwork::sound
