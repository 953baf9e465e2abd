#pragma once

// Every text the banner shows, side by side. The browser's two failure
// messages exist in English only: both columns hold the same text.

#include "platform/text.h"

namespace dx::banner_text {

inline constexpr Bilingual kVisit{"Visitez: ", "Visit: "};
inline constexpr Bilingual kBrowserNotFoundTitle{"Browser Not Found", "Browser Not Found"};
inline constexpr Bilingual kBrowserNotFound{"Could not find your default Browser",
                                            "Could not find your default Browser"};
inline constexpr Bilingual kUrlFailedTitle{"URL Failed", "URL Failed"};
inline constexpr Bilingual kUrlFailed{"Web Page not Opened", "Web Page not Opened"};

}  // namespace dx::banner_text
