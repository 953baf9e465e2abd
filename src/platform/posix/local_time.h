#pragma once

#include <cstdint>

namespace dx {

// The system's offset from UTC, in seconds, in force at a local time given as
// seconds since 1970-01-01 as if it were UTC; the time zone is the system's
// (TZ, or /etc/localtime). A local time that a clock change skips or repeats
// takes the offset the C library chooses for it.
int systemUtcOffset(int64_t localSeconds);

}  // namespace dx
