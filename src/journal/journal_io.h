#pragma once

// The journal file as the window's procedures write it: the save and the
// erase share the safe replacement of Diabete.glc.

#include <string>

namespace dx {

class Fenetre;

inline constexpr const char* kJournalFileName = "Diabete.glc";
// The previous journal, kept before each replacement.
inline constexpr const char* kBackupSuffix = ".bak";

class FileStore;
struct Journal;

std::string journalPath(const Fenetre& w);

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

// Writes the window's journal; on failure tells the user why, followed by
// `consequence`, and returns false.
bool saveJournalFile(Fenetre& w, const char* consequence);

} // namespace dx
