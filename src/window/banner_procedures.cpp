// The window's banner procedures: each asks the banner component and puts
// what it says on the banner's controls.

#include "banner/banner.h"
#include "settings/numbers.h"
#include "window/fenetre.h"

namespace dx {

namespace {

BannerContext bannerContext(const Fenetre& w) {
    return {.programDir = w.win.Chemin_Prog,
            .langue = w.settings.Langue,
            .weekday = w.today().weekday()};
}

void showBanner(Fenetre& w, const BannerShow& show) {
    if (show.picture) w.Image_FTP.image = *show.picture;
    if (show.tooltip) w.Image_FTP.tooltip = *show.tooltip;
    if (show.live) w.Image_FTP.pointer = *show.live ? MousePointer::Custom : MousePointer::Default;
    // Off line; assign() spares GCC 12 a false -Wrestrict.
    if (show.offLine) w.Aff_Pas_Branche.caption.assign(1, '0');
    if (show.checkOver) w.Timer_Ping.setEnabled(false);
}

}  // namespace

void Fenetre::PA_URL() { webBanner.readSiteAddress(); }

// The check runs until Aff_Pas_Branche says the program is off line.
void Fenetre::Timer_Ping_Timer() {
    const bool checkOn = leadingNumber(Aff_Pas_Branche.caption) != 0;
    showBanner(*this, webBanner.checkTick(checkOn, bannerContext(*this)));
}

void Fenetre::Recuperer_URL() {
    showBanner(*this, webBanner.fetchDescription(bannerContext(*this)));
}

void Fenetre::Recuperer_IMG() { showBanner(*this, webBanner.fetchPicture(bannerContext(*this))); }

// Only a live banner (hand pointer) opens its link.
void Fenetre::Image_FTP_Click() {
    if (Image_FTP.pointer != MousePointer::Custom) return;
    banner.URL_A_Ouvrir = trimBlanks(banner.URL_Site);
    webBanner.openLink(settings.Langue);  // Ouvre_URL
}

void Fenetre::Image_FTP_DblClick() { Image_FTP_Click(); }

}  // namespace dx
