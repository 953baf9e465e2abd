// The window's settings procedures: dextrel.ini read at start-up and
// written, the unit items and their lock, and the captions that follow
// the unit.

#include "platform/text.h"
#include "settings/file_problems.h"
#include "settings/language.h"
#include "settings/settings_codec.h"
#include "settings/settings_texts.h"
#include "settings/units.h"
#include "window/fenetre.h"

namespace dx {

namespace T = settings_text;

// Reads dextrel.ini at start-up. A missing file is created with the
// defaults; a file too short to hold its four values is replaced by the
// default file and the program ends, so that the next start finds it sound.
// A file that cannot be read at all (a link to a missing drive, a folder, a
// file too large or forbidden) is left as it is: the user is told, and the
// program runs on the defaults.
void Fenetre::Recup_Init() {
    const std::string path = platform.env.settingsDir() + kSettingsFileName;
    platform.files.removeLeftovers({path});  // what a write cut short left
    bool created = false, createdWritten = false;
    const FileStatus status = platform.files.status(path);
    if (status.kind == FileKind::Missing) {
        created = true;
        createdWritten = saveDefaultSetup();
    }
    const FileRead read = status.kind == FileKind::DanglingLink
                              ? FileRead{}
                              : platform.files.readFile(path, kMaxSettingsBytes);
    std::optional<SetupValues> values;
    if (read.bytes) {
        values = parseSettingsFile(*read.bytes);
    } else if (!created) {
        // The language is not chosen yet: the system's decides.
        const int16_t l = languageFlag(platform.locale.languageName());
        message(pick(T::kFileTitle, l),
                std::string(pick(T::kCannotRead, l)) + path + "\n" +
                    unreadableFileReason(status, read, kMaxSettingsBytes, l) + "\n\n" +
                    pick(T::kDefaultsKeptFile, l),
                MsgButtons::Ok, MsgIcon::Exclamation);
        values = SetupValues{};
    }
    if (!values) {
        // A settings folder where the default file cannot even be created
        // (the user was told why) starts with the defaults instead of
        // ending the program at every start.
        if (created && !createdWritten) {
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

void Fenetre::Creer_Ini() { saveDefaultSetup(); }

bool Fenetre::saveDefaultSetup() {
    settings.Unite = 0;
    settings.Verrou = 0;
    settings.Option_Anim = 0;
    return saveSetup();
}

void Fenetre::Sauver_Init() { saveSetup(); }

// A failed write leaves the old file, and the user is told why.
bool Fenetre::saveSetup() {
    const std::string path = platform.env.settingsDir() + kSettingsFileName;
    const SettingsWrite result = writeSettingsFile(
        platform.files, path, SetupValues{settings.Unite, settings.Verrou, settings.Option_Anim});
    if (result.written) return true;
    const int16_t l = settings.Langue;
    message(pick(T::kFileTitle, l),
            std::string(pick(T::kCannotWrite, l)) + path + "\n\n" + pick(T::kReason, l) +
                result.error + "\n\n" + pick(T::kOldKept, l),
            MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
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

}  // namespace

void Fenetre::Menu_OptMG_Click() { chooseUnit(*this, Menu_OptMG, Menu_OptMM, 1); }

void Fenetre::Menu_OptMM_Click() { chooseUnit(*this, Menu_OptMM, Menu_OptMG, 0); }

// Offers to lock the unit just chosen: the unit items then vanish.
void Fenetre::Verrouiller() {
    if (Menu_OptMM.visible) {
        const std::string title = upperCase(unitName(Menu_OptMM.checked ? 0 : 1));
        if (askYesNo(title, pick(T::kLockQuestion, settings.Langue)) == MsgAnswer::Yes)
            settings.Verrou = 1;
    }
    Barrer_Options();
}

// Applies the unit to every unit-dependent caption. The level on show is
// re-formatted first, so that a switch shows 05.6 as 6 and back as 06.0.
void Fenetre::Correspondance() {
    Affichager_Le_Taux();
    const int16_t unite = settings.Unite;
    settings.Facteur_Unite = unitFactor(unite);
    Aff_mmol.caption = unitName(unite);
    for (int i = 1; i <= 5; ++i)
        Aff_Niveau[static_cast<size_t>(i)]->caption = levelAxisLabel(unite, i);
    const ResultMenuCaptions res = resultMenuCaptions(
        unite, settings.Langue, Aff_Optimal.caption, Aff_Suboptimal.caption, Aff_Compromis.caption);
    Menu_Res1.caption = res.optimal;
    Menu_Res2.caption = res.suboptimal;
    Menu_Res3.caption = res.compromise;
}

}  // namespace dx
