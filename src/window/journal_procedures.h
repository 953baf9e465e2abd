#pragma once

// The window's journal file: where it is, and its save with the messages.

#include <string>

namespace dx {

class Fenetre;

std::string journalPath(const Fenetre& w);

// Writes the window's journal; on failure tells the user why, followed by
// `consequence`, and returns false.
bool saveJournalFile(Fenetre& w, const char* consequence);

}  // namespace dx
