// The window's journal procedures: loading Diabete.glc at start-up, saving
// it, adding a test, and the messages that tell the user what went wrong.

#include "window/journal_procedures.h"
#include "journal/calendar.h"
#include "journal/datetext.h"
#include "journal/journal_codec.h"
#include "journal/journal_io.h"
#include "journal/journal_texts.h"
#include "settings/file_problems.h"
#include "settings/numbers.h"
#include "settings/units.h"
#include "window/fenetre.h"

namespace dx {

namespace T = journal_texts;

std::string journalPath(const Fenetre& w) { return w.win.Chemin_Prog + kJournalFileName; }

namespace {

// Why the journal must not be written now, in the window's language, or "".
std::string journalWriteRefusal(const Fenetre& w, const std::string& path) {
    const int16_t l = w.settings.Langue;
    const JournalFileSeen& seen = w.journalFile;
    if (seen.otherWindow) return pick(T::kSavesOff, l);
    if (seen.state == JournalFileSeen::State::Unread)
        return pick(T::kNotReadNotReplaced, l) + ("\n" + seen.unreadReason);
    if (!stillAsSeen(w.platform.files.status(path), seen)) return pick(T::kChangedOnDisk, l);
    return "";
}

}  // namespace

bool refuseJournalWrite(Fenetre& w, const char* consequence) {
    const std::string path = journalPath(w);
    const std::string why = journalWriteRefusal(w, path);
    if (why.empty()) return false;
    const int16_t l = w.settings.Langue;
    w.message(pick(T::kFileTitle, l),
              std::string(pick(T::kCannotWrite, l)) + path + "\n\n" + pick(T::kReason, l) + why +
                  "\n\n" + consequence,
              MsgButtons::Ok, MsgIcon::Exclamation);
    return true;
}

bool saveJournalFile(Fenetre& w, const char* consequence, const char* refusedConsequence) {
    if (refuseJournalWrite(w, refusedConsequence)) return false;
    const std::string path = journalPath(w);
    const JournalWrite result = writeJournalFile(w.platform.files, path, w.journal);
    if (result.written) {
        // The file now on disk is the one this window wrote.
        w.journalFile.state = JournalFileSeen::State::Read;
        w.journalFile.identity = w.platform.files.status(path).identity;
        return true;
    }
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

namespace {

// One window writes a journal at a time: the first to start holds its lock
// for the whole run; a later one shows the journal but saves nothing. A
// lock that cannot be made at all (a read-only folder) leaves the check of
// the file before each write as the only guard.
void takeJournalLock(Fenetre& w, const std::string& path) {
    JournalFileSeen& seen = w.journalFile;
    if (seen.lockTried) return;
    seen.lockTried = true;
    std::string error;
    if (w.platform.files.lockForWriting(path, error) != FileStore::Lock::TakenElsewhere) return;
    seen.otherWindow = true;
    const int16_t l = w.settings.Langue;
    w.message(pick(T::kFileTitle, l),
              pick(T::kOpenElsewhere, l) + path + pick(T::kOpenElsewhereEnd, l), MsgButtons::Ok,
              MsgIcon::Exclamation);
}

// A journal that could not be read loads nothing and is never replaced
// during this run: every save says why.
void journalNotRead(Fenetre& w, const std::string& path, const std::string& reason) {
    w.journalFile.state = JournalFileSeen::State::Unread;
    w.journalFile.unreadReason = reason;
    const int16_t l = w.settings.Langue;
    w.message(pick(T::kFileTitle, l), std::string(pick(T::kCannotRead, l)) + path + "\n" + reason +
                                          "\n\n" + pick(T::kNothingLoaded, l));
}

void createEmptyJournal(Fenetre& w, const std::string& path) {
    w.journalFile.state = JournalFileSeen::State::Absent;
    if (w.journalFile.otherWindow) return;  // the window that holds the lock creates it
    std::string error;
    const int16_t l = w.settings.Langue;
    if (!w.platform.files.writeAtomic(path, "", error)) {
        w.message(
            pick(T::kFileTitle, l),
            std::string(pick(T::kCannotCreate, l)) + path + "\n\n" + pick(T::kReason, l) + error,
            MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    w.journalFile.state = JournalFileSeen::State::Read;
    w.journalFile.identity = w.platform.files.status(path).identity;
}

}  // namespace

// Loads Diabete.glc into the table. A missing file is created empty. A file
// that cannot be read whole loads the tests before the line where reading
// stopped, keeps a copy of itself and says so. A file that cannot be read
// at all (a link to a missing drive, a folder, a file too large, one the
// user may not read) loads nothing and is kept as it is.
void Fenetre::Recuperer() {
    Journal& j = journal;
    j.Nb_Tests = 0;
    const std::string path = journalPath(*this);
    const int16_t l = settings.Langue;
    takeJournalLock(*this, path);
    // A write cut short by a crash left its temporary file and the old
    // journal whole; the temporary is of no use. Another window's are its
    // own: it may be writing them now.
    if (!journalFile.otherWindow) platform.files.removeLeftovers({path, path + kBackupSuffix});
    const FileStatus status = platform.files.status(path);
    if (status.kind == FileKind::Missing) return createEmptyJournal(*this, path);
    form.pointer = MousePointer::Hourglass;
    const FileRead read = status.kind == FileKind::DanglingLink
                              ? FileRead{}
                              : platform.files.readFile(path, kMaxJournalBytes);
    if (!read.bytes) {
        form.pointer = MousePointer::Default;
        return journalNotRead(*this, path, unreadableFileReason(status, read, kMaxJournalBytes, l));
    }
    journalFile.state = JournalFileSeen::State::Read;
    journalFile.identity = read.identity;
    const std::string& bytes = *read.bytes;
    const DateTextReader readDate(platform.locale.shortDatePattern());
    const JournalLoad load = loadJournal(j, bytes, readDate);
    form.pointer = MousePointer::Default;
    if (load.stop == ParsedJournal::Stop::None) return;

    const Bilingual& reason = load.stop == ParsedJournal::Stop::ShortRecord ? T::kShortRecord
                              : load.stop == ParsedJournal::Stop::OpenQuote ? T::kOpenQuote
                                                                            : T::kTooManyTests;
    // The message names files, not folders: the journal's folder is the
    // program's own.
    const std::string copy = keepUnreadCopy(platform.files, path, bytes);
    std::string text = pick(T::kReadStopped, l) + std::to_string(load.stopLine) +
                       pick(T::kOfFile, l) + kJournalFileName + ":\n" + pick(reason, l) + "\n\n" +
                       std::to_string(j.Nb_Tests) + pick(T::kTestsLoaded, l) + "\n";
    text += copy.empty() ? std::string(pick(T::kCopyFailed, l))
                         : pick(T::kCopyKept, l) + copy.substr(copy.rfind('/') + 1) +
                               pick(T::kCopyKeptEnd, l);
    message(pick(T::kFileTitle, l), text);
}

// Saves the settings, then the journal with every level rewritten in the
// storage format of the unit in force (its number unchanged).
void Fenetre::Sauvegarder() { saveSetupAndJournal(); }

bool Fenetre::saveSetupAndJournal() {
    // A journal this window may not write saves nothing, the settings
    // included: the save is refused whole.
    if (refuseJournalWrite(*this, pick(T::kStillInMemory, settings.Langue))) return false;
    const bool settingsSaved = saveSetup();
    for (int i = 1; i <= journal.Nb_Tests && i <= kMaxTests; ++i) {
        const auto at = static_cast<size_t>(i);
        if (!isStoredLevel(journal.Taux_Test[at], settings.Unite))
            journal.setLevel(at, storedLevel(journal.Taux_Test[at], settings.Unite));
    }
    const bool journalSaved = saveJournalFile(*this, pick(T::kOldFileIntact, settings.Langue),
                                              pick(T::kStillInMemory, settings.Langue));
    return settingsSaved && journalSaved;
}

// Saves, then reloads everything from the files just written. A failed save
// reloads nothing and leaves Menu_Sauve enabled: the tests typed since the
// last save exist only in memory, and the user can save again.
void Fenetre::Menu_Sauve_Click() {
    if (!saveSetupAndJournal()) return;
    Menu_Quitter.enabled = true;
    Menu_Sauve.enabled = false;
    chart.Effacer_Graph();
    Form_Load();
    Menu_Prev.enabled = true;
    Menu_Hystorique.enabled = true;
    Menu_Test.enabled = true;
    Menu_Option.enabled = true;
}

bool Fenetre::refuseUnstorableText(const std::string& text, const std::string& fieldName) {
    const StorableCheck check = checkStorable(text);
    if (check.problem == Unstorable::None) return false;
    message(pick(T::kMessageTitle, settings.Langue),
            unstorableMessage(check, fieldName, settings.Langue));
    return true;
}

bool Fenetre::addTest(std::string_view date, std::string_view time, std::string_view level,
                      std::string_view note) {
    if (refuseFullJournal()) return false;
    Journal& j = journal;
    j.Nb_Tests += 1;
    j.Date_Test.set(0, date);
    j.Heure_Test.set(0, time);
    j.Taux_Test.set(0, level);
    j.Note_Test.set(0, note);
    Ajouter_A_Liste();
    return true;
}

void Fenetre::redrawJournal() {
    if (!Menu_Sem.checked) chart.Menu_Sem_Click();
    chart.Effacer_Graph();
    view.Curseur_Actif = 0;
    drawJournalFromToday();
    showNewestTest();
}

void Fenetre::journalChanged() {
    redrawJournal();
    markUnsaved();
}

void Fenetre::markUnsaved() {
    Menu_Prev.enabled = false;
    Menu_Option.enabled = false;
    Menu_Sauve.enabled = true;
    Menu_Fichier.enabled = true;
    Curseur.enabled = true;
}

// Moves the staged test (slot 0) in as test 1; every older test moves one
// slot up. addTest has counted it in Nb_Tests and made sure it has a slot.
void Fenetre::Ajouter_A_Liste() {
    const auto day = textDate(journal.Date_Test[0]);
    journal.moveStagedIn(day ? day->day() : Journal::kNoDay);
}

// Opening the history or test menu with unsaved tests turns that menu off
// until the next save.
void Fenetre::Donnees_Presentes() {
    if (!Menu_Sauve.enabled) return;
    Menu_Hystorique.enabled = false;
    Menu_Test.enabled = false;
    message("Message", pick(T::kSaveFirst, settings.Langue));
}

bool Fenetre::refuseFullJournal() {
    if (journal.Nb_Tests < kMaxTests) return false;
    const int16_t l = settings.Langue;
    message(pick(T::kFileTitle, l), pick(T::kJournalFull, l), MsgButtons::Ok, MsgIcon::Exclamation);
    return true;
}

// The saved journal goes to the system's viewer as it is; whatever the viewer
// does, the program says nothing.
void Fenetre::Menu_Prev_Click() { platform.shell.openFile(journalPath(*this)); }

}  // namespace dx
