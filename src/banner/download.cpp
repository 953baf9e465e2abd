#include "banner/address.h"
#include "banner/banner_texts.h"
#include "banner/description.h"
#include "settings/numbers.h"
#include "window/fenetre.h"

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

// The picture copy's name in the program's directory, when its type is one
// the banner accepts; nothing otherwise, so that no name from the network ever
// leaves the program's directory.
std::optional<std::string> pictureName(const Fenetre& w) {
    if (!isSafeExtension(w.banner.Extension_Image)) return std::nullopt;
    return kPictureFile + w.banner.Extension_Image;
}

// The banner shows the copy by its name; the front finds it in the program's
// directory.
void showPictureCopy(Fenetre& w) {
    const std::optional<std::string> name = pictureName(w);
    if (name && w.platform.files.exists(w.win.Chemin_Prog + *name)) w.Image_FTP.image = *name;
}

// Tick 6 and after: the check ends, on line with fresh downloads, off line
// with whatever an earlier run kept.
void endCheck(Fenetre& w) {
    BannerState& banner = w.banner;
    w.platform.net.cleanup();
    if (banner.En_Ligne != 0) {
        w.Recuperer_URL();
        w.Recuperer_IMG();
        w.Timer_Ping.setEnabled(false);
        w.Image_FTP.pointer = MousePointer::Custom;
        banner.Compteur_Ping = 0;
        return;
    }
    w.Image_FTP.pointer = MousePointer::Default;
    w.Aff_Pas_Branche.caption.assign(1, '0');  // off line; assign() spares GCC 12 a false -Wrestrict
    w.Timer_Ping.setEnabled(false);
    banner.Compteur_Ping = 0;
    const std::string local = w.win.Chemin_Prog + kDescriptionFile;
    if (std::optional<BannerDescription> d = readDescriptionFile(w.platform.files, local))
        takeDescription(banner, std::move(*d));
    showPictureCopy(w);
}

} // namespace

void Fenetre::PA_URL() { Decode(platform.env.scrambledSiteAddress()); }

void Fenetre::Decode(const std::string& text) { banner.Adresse_Site = unscrambleAddress(text); }

// One second of the check: tick 1 starts the ping, ticks 2 to 4 wait, tick 5
// reads its verdict, tick 6 cleans up and downloads or falls back. Nothing
// here ever shows a message.
void Fenetre::Timer_Ping_Timer() {
    if (leadingNumber(Aff_Pas_Branche.caption) == 0) {
        Timer_Ping.setEnabled(false);
        return;
    }
    ++banner.Compteur_Ping;
    if (banner.Compteur_Ping == 1) {
        platform.net.start();
    } else if (banner.Compteur_Ping == kDecisionTick) {
        // Output missing or too short: En_Ligne stays as it is (0), and the
        // next tick takes the off-line path.
        if (const std::optional<std::string> output = platform.net.output())
            if (const std::optional<bool> answered = pingAnswered(*output))
                banner.En_Ligne = *answered ? 1 : 0;
    } else if (banner.Compteur_Ping > kDecisionTick) {
        endCheck(*this);
    }
}

void Fenetre::Recuperer_URL() {
    if (banner.Adresse_Site.empty()) return;
    const std::string local = win.Chemin_Prog + kDescriptionFile;
    fetchInto(platform, banner.Adresse_Site + pick(kDescriptionResource, settings.Langue), local);
    std::optional<BannerDescription> d = readDescriptionFile(platform.files, local);
    if (!d) return;
    takeDescription(banner, std::move(*d));
    Image_FTP.tooltip = pick(banner_text::kVisit, settings.Langue) + banner.Texte_Site;
}

void Fenetre::Recuperer_IMG() {
    const std::optional<std::string> name = pictureName(*this);
    if (!name) return;
    if (!banner.Adresse_Site.empty()) {
        const std::string day = std::to_string(today().weekday());
        fetchInto(platform,
                  banner.Adresse_Site + pick(kPictureResource, settings.Langue) + day + "." +
                      banner.Extension_Image,
                  win.Chemin_Prog + *name);
    }
    showPictureCopy(*this);
}

} // namespace dx
