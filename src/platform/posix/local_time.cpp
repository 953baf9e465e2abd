#include "platform/posix/local_time.h"

#include <ctime>

namespace dx {

int systemUtcOffset(int64_t localSeconds) {
    const auto asUtc = static_cast<std::time_t>(localSeconds);
    std::tm fields{};
    gmtime_r(&asUtc, &fields);
    fields.tm_isdst = -1;  // the C library finds whether summer time is in force
    const std::time_t utc = std::mktime(&fields);
    return static_cast<int>(localSeconds - static_cast<int64_t>(utc));
}

}  // namespace dx
