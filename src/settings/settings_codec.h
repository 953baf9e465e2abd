#pragma once

// The bytes of dextrel.ini: four CR LF lines, "[Setup]", "Unite=",
// "Lock=" and "Animation=" each followed by its value.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dx {

// The largest settings file read: the default one is 39 bytes.
inline constexpr uint64_t kMaxSettingsBytes = uint64_t{64} << 10;

struct SetupValues {
    int16_t unite = 0;
    int16_t verrou = 0;
    int16_t animation = 0;
};

// The default values give exactly the 39 bytes of the default file.
std::string settingsFileBytes(const SetupValues& values);

class FileStore;
// What a write of dextrel.ini did: written, or why not.
struct SettingsWrite {
    bool written = false;
    std::string error;
};
// Replaces the file at path atomically: a failure leaves the old file.
SettingsWrite writeSettingsFile(FileStore& files, const std::string& path,
                                const SetupValues& values);

// The value of a line: its last character when that is a digit, else 0 (an
// empty line too). Only one character is read, so Unite=01 reads 1 and a
// longer number its last digit.
int16_t lastDigitValue(std::string_view line);

// Reads the four fields (section, unit, lock, animation) separated by commas
// or line ends; nothing when the file holds fewer than four.
std::optional<SetupValues> parseSettingsFile(std::string_view bytes);

}  // namespace dx
