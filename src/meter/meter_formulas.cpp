#include "meter/meter_formulas.h"

#include <cmath>

#include "settings/numbers.h"

namespace dx {

double probeLevel(uint32_t position) { return static_cast<double>(position) / 2040.0; }

int probeDeviation(uint32_t position) {
    return static_cast<int>(std::floor(static_cast<double>(position) / 510.0 - 112.0));
}

bool inCalibration(int deviation) { return deviation >= -1 && deviation <= 1; }

bool dropOnProbe(uint32_t position) { return probeDeviation(position) < -7; }

std::string axisReadingText(char axis, uint32_t position) {
    return std::string(1, axis) + " = " + formatNumber(probeLevel(position), "00.0");
}

std::string waitingLevelText(uint32_t position) {
    std::string text = formatNumber(probeLevel(position), "00.0");
    // The text as written is compared, so 25.04 ("25.0") is no over-range.
    if (leadingNumber(text) > kMaxProbeLevel) return "25";
    return text;
}

std::string levelText00(const std::string& level) {
    const std::optional<double> value = numericValue(level);
    return value ? formatNumber(*value, "00.0") : level;
}

float thermometerTop(const std::string& level, int16_t unite) {
    const double divisor = unite == 0 ? 1.0 : 18.0;
    const double value = numericValue(level).value_or(0.0);
    return static_cast<float>(2200.0 - (value / divisor) * 100.0 / 1.5);
}

}  // namespace dx
