#pragma once

// The journal file: its safe replacement (shared by the save and the
// erase), its load into the table, and the copy kept of a file that could
// not be read whole.

#include <string>
#include <string_view>

#include "journal/journal_codec.h"

namespace dx {

inline constexpr const char* kJournalFileName = "Diabete.glc";
// The previous journal, kept before each replacement.
inline constexpr const char* kBackupSuffix = ".bak";

class FileStore;
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
