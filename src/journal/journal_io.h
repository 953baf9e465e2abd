#pragma once

// The journal file as the window's procedures write it: the save and the
// erase share the safe replacement of Diabete.glc.

#include <string>

namespace dx {

class Fenetre;

inline constexpr const char* kJournalFileName = "Diabete.glc";
// The previous journal, kept before each replacement.
inline constexpr const char* kBackupSuffix = ".bak";

std::string journalPath(const Fenetre& w);

// Writes tests 1..Nb_Tests as they stand over Diabete.glc, after keeping the
// previous file as Diabete.glc.bak; both writes are atomic. On failure the
// user is told why (followed by `consequence`), the old file stays intact and
// false is returned.
bool writeJournalFile(Fenetre& w, const char* consequence);

} // namespace dx
