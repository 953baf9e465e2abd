#pragma once

#include <cstdint>
#include <string>

namespace dx {

// The connectivity check and the banner's downloaded description.
struct BannerState {
    int16_t Compteur_Ping = 0;
    int16_t En_Ligne = 0;
    std::string Adresse_Site;
    std::string Texte_Site;
    std::string URL_Site;
    std::string Extension_Image;
    std::string URL_A_Ouvrir;

    template <class F>
    void forEachVar(F&& f) const {
        f("Compteur_Ping", Compteur_Ping);
        f("En_Ligne", En_Ligne);
        f("Adresse_Site", Adresse_Site);
        f("Texte_Site", Texte_Site);
        f("URL_Site", URL_Site);
        f("Extension_Image", Extension_Image);
        f("URL_A_Ouvrir", URL_A_Ouvrir);
    }
};

}  // namespace dx
