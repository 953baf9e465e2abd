#include "settings/settings_codec.h"
#include "settings/text.h"
#include "settings/units.h"
#include "window/fenetre.h"

namespace dx {

namespace {

constexpr const char* kSettingsFileName = "dextrel.ini";

const Bilingual kFileTitle = {"Le Dextrel", "The Dextrel"};
const Bilingual kCannotWrite = {
    "Les paramètres n'ont pas pu être enregistrés dans\n",
    "The setup could not be saved to\n"};
const Bilingual kReason = {"Raison : ", "Reason: "};
const Bilingual kOldKept = {
    "Le fichier précédent est resté intact.",
    "The previous file is intact."};
const Bilingual kLockQuestion = {"Voulez-vous VERROUILLER cette option?",
                                 "Do you want to LOCK this option?"};

} // namespace

// Reads dextrel.ini at start-up. A missing file is created with the
// defaults; a file too short to hold its four values is replaced by the
// default file and the program ends, so that the next start finds it sound.
void Fenetre::Recup_Init() {
    const std::string path = platform.env.settingsDir() + kSettingsFileName;
    platform.files.removeLeftovers({path});  // what a write cut short left
    bool created = false;
    if (!platform.files.exists(path)) {
        Creer_Ini();
        created = true;
    }
    std::optional<SetupValues> values;
    if (auto bytes = platform.files.read(path)) values = parseSettingsFile(*bytes);
    if (!values) {
        // A settings folder where the default file cannot even be created
        // (the user was told why) starts with the defaults instead of
        // ending the program at every start.
        if (created && settings.lastWriteFailed) {
            values = SetupValues{};
        } else {
            Creer_Ini();
            endProgram();
        }
    }
    settings.Unite = values->unite;
    Menu_OptMG.enabled = true;
    Menu_OptMG.checked = isMgDl(settings.Unite);
    Menu_OptMM.checked = !isMgDl(settings.Unite);
    settings.Verrou = values->verrou;
    settings.Option_Anim = values->animation;
    Aff_Anim.caption = std::to_string(settings.Option_Anim);
    Barrer_Options();
}

void Fenetre::Creer_Ini() {
    settings.Unite = 0;
    settings.Verrou = 0;
    settings.Option_Anim = 0;
    Sauver_Init();
}

// Replaces dextrel.ini atomically; a failure leaves the old file and says why.
void Fenetre::Sauver_Init() {
    const std::string path = platform.env.settingsDir() + kSettingsFileName;
    const SetupValues values{settings.Unite, settings.Verrou, settings.Option_Anim};
    std::string error;
    settings.lastWriteFailed = !platform.files.writeAtomic(path, settingsFileBytes(values), error);
    if (!settings.lastWriteFailed) return;
    const int16_t l = settings.Langue;
    message(pick(kFileTitle, l), std::string(pick(kCannotWrite, l)) + path + "\n\n" +
                                     pick(kReason, l) + error + "\n\n" + pick(kOldKept, l),
            MsgButtons::Ok, MsgIcon::Exclamation);
}

void Fenetre::Barrer_Options() {
    if (settings.Verrou != 1) return;
    Menu_Ligne2b.visible = false;
    Menu_OptMM.visible = false;
    Menu_OptMG.visible = false;
}

namespace {

// The two unit items are twins: choosing the unchecked one checks it,
// unchecks the other and sets the unit it names.
void chooseUnit(Fenetre& w, MenuItem& chosen, MenuItem& other, int16_t unite) {
    if (chosen.checked) return;
    if (other.checked) {
        other.checked = false;
        chosen.checked = true;
        w.settings.Unite = unite;
        w.settings.Setup_Modifie = 1;
    }
    w.Correspondance();
    w.Verrouiller();
}

} // namespace

void Fenetre::Menu_OptMG_Click() { chooseUnit(*this, Menu_OptMG, Menu_OptMM, 1); }

void Fenetre::Menu_OptMM_Click() { chooseUnit(*this, Menu_OptMM, Menu_OptMG, 0); }

// Offers to lock the unit just chosen: the unit items then vanish.
void Fenetre::Verrouiller() {
    if (Menu_OptMM.visible) {
        const std::string title = upperCase(unitName(Menu_OptMM.checked ? 0 : 1));
        if (askYesNo(title, pick(kLockQuestion, settings.Langue)) == MsgAnswer::Yes)
            settings.Verrou = 1;
    }
    Barrer_Options();
}

} // namespace dx
