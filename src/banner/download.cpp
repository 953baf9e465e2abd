#include "banner/address.h"
#include "banner/banner.h"
#include "banner/banner_texts.h"
#include "banner/description.h"
#include "platform/text.h"

namespace dx {

namespace {

// The copies kept in the program's directory; they are the off-line banner.
constexpr const char* kDescriptionFile = "site.www";
constexpr const char* kPictureFile = "image.";

// Resources under the site's address, per language.
constexpr Bilingual kDescriptionResource{"/dx/url_f.txt", "/dx/url_a.txt"};
constexpr Bilingual kPictureResource{"/dx/img_f", "/dx/img_a"};

// The tick of the check that reads the ping's verdict; the next one acts.
constexpr int16_t kDecisionTick = 5;

// One download into the program's directory. A failed request, an HTML page,
// an empty or oversized body leave the earlier copy as it was; the copy is
// replaced whole, never patched in place.
void fetchInto(Platform& platform, const std::string& url, const std::string& path) {
    const HttpResponse answer = platform.http.get(url);
    if (!answer.ok || !isStorableBody(answer.body)) return;
    std::string error;
    platform.files.writeAtomic(path, answer.body, error);
}

std::optional<BannerDescription> readDescriptionFile(const FileStore& files,
                                                     const std::string& path) {
    if (!files.exists(path)) return std::nullopt;
    const std::optional<std::string> bytes = files.read(path);
    if (!bytes) return std::nullopt;
    return readDescription(*bytes);
}

void takeDescription(BannerState& banner, BannerDescription d) {
    banner.Texte_Site = std::move(d.texte);
    banner.URL_Site = std::move(d.url);
    banner.Extension_Image = std::move(d.extension);
}

}  // namespace

void Banner::readSiteAddress() { decode(platform_.env.scrambledSiteAddress()); }

void Banner::decode(const std::string& scrambled) {
    state.Adresse_Site = unscrambleAddress(scrambled);
}

BannerShow Banner::checkTick(bool checkOn, const BannerContext& at) {
    if (!checkOn) return {.checkOver = true};
    ++state.Compteur_Ping;
    if (state.Compteur_Ping == 1) {
        platform_.net.start();
    } else if (state.Compteur_Ping == kDecisionTick) {
        // Output missing or too short: En_Ligne stays as it is (0), and the
        // next tick takes the off-line path.
        if (const std::optional<std::string> output = platform_.net.output())
            if (const std::optional<bool> answered = pingAnswered(*output))
                state.En_Ligne = *answered ? 1 : 0;
    } else if (state.Compteur_Ping > kDecisionTick) {
        return endCheck(at);
    }
    return {};
}

// Tick 6 and after: the check ends, on line with fresh downloads, off line
// with whatever an earlier run kept.
BannerShow Banner::endCheck(const BannerContext& at) {
    platform_.net.cleanup();
    state.Compteur_Ping = 0;
    if (state.En_Ligne != 0) {
        BannerShow show = fetchDescription(at);
        show.picture = fetchPicture(at).picture;
        show.live = true;
        show.checkOver = true;
        return show;
    }
    const std::string local = at.programDir + kDescriptionFile;
    if (std::optional<BannerDescription> d = readDescriptionFile(platform_.files, local))
        takeDescription(state, std::move(*d));
    return {.picture = pictureCopy(at), .live = false, .offLine = true, .checkOver = true};
}

BannerShow Banner::fetchDescription(const BannerContext& at) {
    if (state.Adresse_Site.empty()) return {};
    const std::string local = at.programDir + kDescriptionFile;
    fetchInto(platform_, state.Adresse_Site + pick(kDescriptionResource, at.langue), local);
    std::optional<BannerDescription> d = readDescriptionFile(platform_.files, local);
    if (!d) return {};
    takeDescription(state, std::move(*d));
    return {.tooltip = pick(banner_text::kVisit, at.langue) + state.Texte_Site};
}

BannerShow Banner::fetchPicture(const BannerContext& at) {
    const std::optional<std::string> name = pictureName();
    if (!name) return {};
    if (!state.Adresse_Site.empty())
        fetchInto(platform_,
                  state.Adresse_Site + pick(kPictureResource, at.langue) +
                      std::to_string(at.weekday) + "." + state.Extension_Image,
                  at.programDir + *name);
    return {.picture = pictureCopy(at)};
}

// The picture copy's name in the program's directory, when its type is one
// the banner accepts; nothing otherwise, so that no name from the network ever
// leaves the program's directory.
std::optional<std::string> Banner::pictureName() const {
    if (!isSafeExtension(state.Extension_Image)) return std::nullopt;
    return kPictureFile + state.Extension_Image;
}

// The banner shows the copy by its name, when it is there; the front finds
// it in the program's directory.
std::optional<std::string> Banner::pictureCopy(const BannerContext& at) const {
    const std::optional<std::string> name = pictureName();
    if (name && platform_.files.exists(at.programDir + *name)) return name;
    return std::nullopt;
}

void Banner::openLink(int16_t langue) {
    // The link comes from the network: anything but a web page (a local file,
    // another program's scheme) is refused without a word.
    if (!isWebAddress(state.URL_A_Ouvrir)) return;
    const auto warn = [&](const Bilingual& title, const Bilingual& text) {
        platform_.dialogs.messageBox(pick(title, langue), pick(text, langue), MsgButtons::Ok,
                                     MsgIcon::Exclamation);
    };
    switch (platform_.shell.openUrl(state.URL_A_Ouvrir)) {
        case BrowserResult::Opened:
            break;
        case BrowserResult::NotFound:
            warn(banner_text::kBrowserNotFoundTitle, banner_text::kBrowserNotFound);
            break;
        case BrowserResult::Failed:
            warn(banner_text::kUrlFailedTitle, banner_text::kUrlFailed);
            break;
    }
}

}  // namespace dx
