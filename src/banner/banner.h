#pragma once

// The web banner: the connectivity check, the downloads of its description
// and picture into the program's folder, and its link. It works on its own
// state and the platform only; what the banner's controls should show next
// comes back as a BannerShow, which the window puts on them.

#include <cstdint>
#include <optional>
#include <string>

#include "banner/banner_state.h"
#include "platform/platform.h"

namespace dx {

// What the banner's controls show next; a field left unset stays as it is.
struct BannerShow {
    std::optional<std::string> picture{};  // the copy's name in the program's folder
    std::optional<std::string> tooltip{};
    std::optional<bool> live{};  // the link opens on a click (the hand pointer)
    bool offLine = false;        // the check ended off line
    bool checkOver = false;      // the check's timer stops
};

// What the banner reads of the window.
struct BannerContext {
    std::string programDir;
    int16_t langue = 0;
    int weekday = 1;  // today's, 1 (Sunday) to 7
};

class Banner {
public:
    explicit Banner(Platform& platform) : platform_(platform) {}

    BannerState state;

    // The site's address, from the one the build scrambled in.
    void readSiteAddress();
    void decode(const std::string& scrambled);
    // One second of the check while it is on: tick 1 starts the ping, ticks
    // 2 to 4 wait, tick 5 reads its verdict, tick 6 cleans up and downloads
    // or falls back. Nothing here ever shows a message.
    BannerShow checkTick(bool checkOn, const BannerContext& at);
    BannerShow fetchDescription(const BannerContext& at);
    BannerShow fetchPicture(const BannerContext& at);
    // Opens URL_A_Ouvrir in the browser, when it is a web page.
    void openLink(int16_t langue);

private:
    BannerShow endCheck(const BannerContext& at);
    std::optional<std::string> pictureName() const;
    std::optional<std::string> pictureCopy(const BannerContext& at) const;

    Platform& platform_;
};

}  // namespace dx
