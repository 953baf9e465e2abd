#pragma once

// The meter's arithmetic, apart from the window: how a probe position becomes
// a reading, a deviation from the rest point and a level, when the probe
// holds a drop, and where the thermometer's column tops out.

#include <cstdint>
#include <string>

namespace dx {

// The probe's rest point: reading 28.0, deviation 0.
inline constexpr uint32_t kProbeRestPoint = 57120;
// The highest level a probe can report, in mmol/L.
inline constexpr double kMaxProbeLevel = 25.0;
// The thermometer's zero mark (y grows downwards, in twips).
inline constexpr float kThermometerZero = 2200.0F;

// The level in mmol/L for a position: P / 2040.
double probeLevel(uint32_t position);

// Steps from the rest point: the greatest integer not above P / 510 - 112.
int probeDeviation(uint32_t position);

// Within one step of the rest point.
bool inCalibration(int deviation);

// Blood bridges the electrodes: the deviation is below -7 (P < 53550).
bool dropOnProbe(uint32_t position);

// "X = 28.0": the axis letter, then the reading with "00.0".
std::string axisReadingText(char axis, uint32_t position);

// The level on show while waiting for the drop: the reading with "00.0",
// or "25" when that text is above the highest level.
std::string waitingLevelText(uint32_t position);

// A level text written with "00.0" when it is a number; any other text is
// kept as it is (an empty text stays empty).
std::string levelText00(const std::string& level);

// The top of the thermometer's column for a level text: 2200 - (L / F) *
// 100 / 1.5 in single precision, F being 1 in mmol/L and 18 in mg/dl, L the
// text's number or 0 when it is no number.
float thermometerTop(const std::string& level, int16_t unite);

}  // namespace dx
