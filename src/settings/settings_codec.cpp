#include "settings/settings_codec.h"

#include "platform/platform.h"
#include "settings/field_reader.h"

namespace dx {

std::string settingsFileBytes(const SetupValues& values) {
    return "[Setup]\r\nUnite=" + std::to_string(values.unite) +
           "\r\nLock=" + std::to_string(values.verrou) +
           "\r\nAnimation=" + std::to_string(values.animation) + "\r\n";
}

int16_t lastDigitValue(std::string_view line) {
    if (line.empty()) return 0;
    const char c = line.back();
    return c >= '0' && c <= '9' ? static_cast<int16_t>(c - '0') : 0;
}

std::optional<SetupValues> parseSettingsFile(std::string_view bytes) {
    FieldReader reader(bytes);
    std::string fields[4];
    for (std::string& f : fields)
        if (reader.next(f) != FieldReader::Status::Field) return std::nullopt;
    return SetupValues{lastDigitValue(fields[1]), lastDigitValue(fields[2]),
                       lastDigitValue(fields[3])};
}

SettingsWrite writeSettingsFile(FileStore& files, const std::string& path,
                                const SetupValues& values) {
    SettingsWrite result;
    result.written = files.writeAtomic(path, settingsFileBytes(values), result.error);
    return result;
}

}  // namespace dx
