#pragma once

// The window's journal file: where it is, and its save with the messages.

#include <string>

namespace dx {

class Fenetre;

std::string journalPath(const Fenetre& w);

// When the journal must not be written now (another window holds it, it
// could not be read, or the file on disk is no longer the one read), tells
// the user why, followed by `consequence`, and returns true.
bool refuseJournalWrite(Fenetre& w, const char* consequence);

// Writes the window's journal; on failure tells the user why, followed by
// `consequence` (`refusedConsequence` when the write was refused before it
// began), and returns false.
bool saveJournalFile(Fenetre& w, const char* consequence, const char* refusedConsequence);

}  // namespace dx
