#pragma once

// The journal file: its safe replacement (shared by the save and the
// erase), its load into the table, and the copy kept of a file that could
// not be read whole.

#include <string>
#include <string_view>

#include "journal/journal_codec.h"
#include "platform/platform.h"

namespace dx {

inline constexpr const char* kJournalFileName = "Diabete.glc";
// The previous journal, kept before each replacement.
inline constexpr const char* kBackupSuffix = ".bak";

// The largest journal read: 5000 tests with long notes fit many times over.
inline constexpr uint64_t kMaxJournalBytes = uint64_t{64} << 20;

class DateTextReader;
struct Journal;

// What a write of the journal did: written, or why not. The previous file
// could not be kept as Diabete.glc.bak (backedUp false), or the new one
// could not replace it; error says why.
struct JournalWrite {
    bool written = false;
    bool backedUp = true;
    std::string error;
};

// What the window knows of its journal file since it last looked: the
// identity of the file it read, or that there was none, or that it could
// not be read (and so must not be replaced). And whether this window alone
// may write it.
struct JournalFileSeen {
    enum class State { Absent, Read, Unread };
    State state = State::Absent;
    FileIdentity identity;
    std::string unreadReason;  // told again when a save is refused
    bool lockTried = false;
    bool otherWindow = false;  // another window holds the lock: no saves
};

// Whether the file at path is still the one seen (a missing file for
// Absent); a file that was not read never is.
bool stillAsSeen(const FileStatus& now, const JournalFileSeen& seen);

// Writes tests 1..Nb_Tests as they stand over the file at path, after
// keeping the previous file as path + ".bak"; both writes are atomic, so a
// failure leaves the old file intact.
JournalWrite writeJournalFile(FileStore& files, const std::string& path, const Journal& journal);

// What stopped the reading of a journal file, and on which line.
struct JournalLoad {
    ParsedJournal::Stop stop = ParsedJournal::Stop::None;
    int stopLine = 0;
};

// Lays the tests of a journal file's bytes into the table (as many as it
// holds up to where reading stopped), each date read once per day.
JournalLoad loadJournal(Journal& journal, std::string_view bytes, const DateTextReader& readDate);

// Keeps bytes beside the journal under the first free copy name (or the one
// that already holds them). The copy's path, or "" when it could not be made.
std::string keepUnreadCopy(FileStore& files, const std::string& path, const std::string& bytes);

}  // namespace dx
