#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace dx {

inline constexpr int kJournalSlots = 5001;  // slot 0 stages a new test
inline constexpr int kMaxTests = 5000;

// The journal: four parallel texts per test, newest at index 1, oldest at
// Nb_Tests, never sorted. Each test's date is also kept as a day number
// (dayNumber, kNoDay when the text is no date) and its level as the number
// its text begins with (levelNumber), so that a drawing never parses the
// same text twice: Recuperer fills both for every test read, Ajouter_A_Liste
// computes them for the staged test before moving it in, and whatever
// rewrites a level text rewrites its number (setLevel).
struct Journal {
    static constexpr int64_t kNoDay = INT64_MIN;

    std::array<std::string, kJournalSlots> Date_Test;
    std::array<std::string, kJournalSlots> Heure_Test;
    std::array<std::string, kJournalSlots> Taux_Test;
    std::array<std::string, kJournalSlots> Note_Test;
    std::array<int64_t, kJournalSlots> dayNumber{};
    std::array<double, kJournalSlots> levelNumber{};
    int32_t Nb_Tests = 0;
    // Set by Sauvegarder: the settings or the journal could not be written
    // (the user was told); the journal in memory is then the only copy.
    bool lastSaveFailed = false;

    // The level text of a slot, and its number with it.
    void setLevel(size_t slot, std::string_view text);

    template <class F> void forEachVar(F&& f) const { f("Nb_Tests", Nb_Tests); }
};

} // namespace dx
