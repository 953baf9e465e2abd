#include "journal/datetext.h"
#include "journal/journal_codec.h"
#include "journal/journal_io.h"
#include "journal/journal_texts.h"
#include "settings/numbers.h"
#include "settings/units.h"
#include "window/fenetre.h"

namespace dx {

namespace T = journal_texts;

namespace {

// The copy of a journal that could not be read whole: the tests after the
// line where reading stopped are only there, and a save would replace the
// file without them.
constexpr const char* kUnreadCopySuffix = ".orig";
constexpr int kMaxUnreadCopies = 99;

// Keeps bytes beside the journal under the first free copy name (or the one
// that already holds them). The copy's path, or "" when it could not be made.
std::string keepUnreadCopy(FileStore& files, const std::string& path, const std::string& bytes) {
    for (int n = 1; n <= kMaxUnreadCopies; ++n) {
        const std::string copy =
            path + kUnreadCopySuffix + (n == 1 ? std::string() : std::to_string(n));
        if (files.exists(copy)) {
            if (files.read(copy) == bytes) return copy;
            continue;
        }
        std::string error;
        return files.writeAtomic(copy, bytes, error) ? copy : std::string();
    }
    return {};
}

} // namespace

std::string journalPath(const Fenetre& w) { return w.win.Chemin_Prog + kJournalFileName; }

JournalWrite writeJournalFile(FileStore& files, const std::string& path, const Journal& journal) {
    JournalWrite result;
    if (files.exists(path)) result.backedUp = files.copyAtomic(path, path + kBackupSuffix, result.error);
    if (result.backedUp)
        result.written = files.writeAtomic(path, journalFileBytes(journal), result.error);
    return result;
}

bool saveJournalFile(Fenetre& w, const char* consequence) {
    const std::string path = journalPath(w);
    const JournalWrite result = writeJournalFile(w.platform.files, path, w.journal);
    if (result.written) return true;
    const int16_t l = w.settings.Langue;
    std::string text = std::string(pick(T::kCannotWrite, l)) + path + "\n\n" + pick(T::kReason, l);
    if (!result.backedUp) text += pick(T::kNoBackup, l);
    // A previous file that could not even be read gives no reason of its own.
    text += result.backedUp || !result.error.empty() ? result.error
                                                     : std::string(pick(T::kPreviousUnreadable, l));
    text += std::string("\n\n") + consequence;
    w.message(pick(T::kFileTitle, l), text, MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

// Loads Diabete.glc into the table. A missing file is created empty. A file
// that cannot be read whole loads the tests before the line where reading
// stopped, keeps a copy of itself and says so.
void Fenetre::Recuperer() {
    Journal& j = journal;
    j.Nb_Tests = 0;
    const std::string path = journalPath(*this);
    const int16_t l = settings.Langue;
    // A write cut short by a crash left its temporary file and the old
    // journal whole; the temporary is of no use.
    platform.files.removeLeftovers({path, path + kBackupSuffix});
    if (!platform.files.exists(path)) {
        std::string error;
        if (!platform.files.writeAtomic(path, "", error))
            message(pick(T::kFileTitle, l),
                    std::string(pick(T::kCannotCreate, l)) + path + "\n\n" + pick(T::kReason, l) +
                        error,
                    MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    form.pointer = MousePointer::Hourglass;
    const auto bytes = platform.files.read(path);
    if (!bytes) {
        form.pointer = MousePointer::Default;
        message(pick(T::kFileTitle, l),
                std::string(pick(T::kCannotRead, l)) + path + "\n\n" + pick(T::kNothingLoaded, l));
        return;
    }
    const DateTextReader readDate(platform.locale.shortDatePattern());
    JournalReader reader(*bytes, kMaxTests);
    j.beginLoad(reader.text());
    JournalRecordView rec;
    while (reader.next(rec)) {
        const auto at = static_cast<size_t>(++j.Nb_Tests);
        // Tests of one day follow each other: their date is read once.
        if (at > 1 && rec.date == j.Date_Test[at - 1]) {
            j.dayNumber[at] = j.dayNumber[at - 1];
        } else {
            const auto day = readDate(rec.date);
            j.dayNumber[at] = day ? day->day() : Journal::kNoDay;
        }
        j.loadField(j.Date_Test, at, rec.date);
        j.loadField(j.Heure_Test, at, rec.time);
        j.loadField(j.Taux_Test, at, rec.level);
        j.levelNumber[at] = leadingNumber(rec.level);
        j.loadField(j.Note_Test, at, rec.note);
    }
    j.endLoad();
    form.pointer = MousePointer::Default;
    if (reader.stop() == ParsedJournal::Stop::None) return;

    const Bilingual& reason = reader.stop() == ParsedJournal::Stop::ShortRecord ? T::kShortRecord
                              : reader.stop() == ParsedJournal::Stop::OpenQuote ? T::kOpenQuote
                                                                                 : T::kTooManyTests;
    // The message names files, not folders: the journal's folder is the
    // program's own.
    const std::string copy = keepUnreadCopy(platform.files, path, *bytes);
    std::string text = pick(T::kReadStopped, l) + std::to_string(reader.stopLine()) +
                       pick(T::kOfFile, l) + kJournalFileName + ":\n" + pick(reason, l) +
                       "\n\n" + std::to_string(j.Nb_Tests) + pick(T::kTestsLoaded, l) + "\n";
    text += copy.empty() ? std::string(pick(T::kCopyFailed, l))
                         : pick(T::kCopyKept, l) + copy.substr(copy.rfind('/') + 1) +
                               pick(T::kCopyKeptEnd, l);
    message(pick(T::kFileTitle, l), text);
}

// Saves the settings, then the journal with every level rewritten in the
// storage format of the unit in force (its number unchanged).
void Fenetre::Sauvegarder() { saveSetupAndJournal(); }

bool Fenetre::saveSetupAndJournal() {
    const bool settingsSaved = saveSetup();
    for (int i = 1; i <= journal.Nb_Tests && i <= kMaxTests; ++i) {
        const auto at = static_cast<size_t>(i);
        if (!isStoredLevel(journal.Taux_Test[at], settings.Unite))
            journal.setLevel(at, storedLevel(journal.Taux_Test[at], settings.Unite));
    }
    const bool journalSaved = saveJournalFile(*this, pick(T::kOldFileIntact, settings.Langue));
    return settingsSaved && journalSaved;
}

// Saves, then reloads everything from the files just written. A failed save
// reloads nothing and leaves Menu_Sauve enabled: the tests typed since the
// last save exist only in memory, and the user can save again.
void Fenetre::Menu_Sauve_Click() {
    if (!saveSetupAndJournal()) return;
    Menu_Quitter.enabled = true;
    Menu_Sauve.enabled = false;
    Effacer_Graph();
    Form_Load();
    Menu_Prev.enabled = true;
    Menu_Hystorique.enabled = true;
    Menu_Test.enabled = true;
    Menu_Option.enabled = true;
}

std::string unstorableMessage(const StorableCheck& check, std::string_view fieldName,
                              int16_t langue) {
    std::string why = pick(T::kTheField, langue) + std::string(fieldName);
    switch (check.problem) {
    case Unstorable::None: return "";
    case Unstorable::Quote: return why + pick(T::kNoQuote, langue);
    case Unstorable::LineBreak: return why + pick(T::kOneLine, langue);
    case Unstorable::OutsideCodePage: break;
    }
    return why + pick(T::kNoSuchCharacter, langue) + check.character;
}

bool Fenetre::refuseUnstorableText(const std::string& text, const std::string& fieldName) {
    const StorableCheck check = checkStorable(text);
    if (check.problem == Unstorable::None) return false;
    message(pick(T::kMessageTitle, settings.Langue),
            unstorableMessage(check, fieldName, settings.Langue));
    return true;
}

} // namespace dx
