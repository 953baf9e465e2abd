#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dx {

inline constexpr int kJournalSlots = 5001;  // slot 0 stages a new test
inline constexpr int kMaxTests = 5000;

// One field (the dates, the times, the levels or the notes) of every slot of
// the journal. The texts themselves live in the journal's one buffer, each
// slot a span of it: a load lays the file's text in that buffer and only
// marks where each field lies, and moving a test from slot to slot moves a
// span. A text read from a slot is valid until the next change of any slot.
class TextColumn {
public:
    std::string_view operator[](size_t slot) const {
        const Span s = spans_[slot];
        return std::string_view(texts_->data() + s.at, s.size);
    }
    // A view of the journal's own texts (another slot's text) is kept where it
    // lies; any other text is added to the buffer.
    void set(size_t slot, std::string_view text);

private:
    friend struct Journal;
    struct Span {
        uint32_t at = 0;
        uint32_t size = 0;
    };
    explicit TextColumn(std::string& texts) : texts_(&texts) {}

    // The span of `text` within `within`, when it lies there whole.
    static std::optional<Span> spanIn(std::string_view text, std::string_view within) {
        const uintptr_t at =
            reinterpret_cast<uintptr_t>(text.data()) - reinterpret_cast<uintptr_t>(within.data());
        if (at > within.size() || text.size() > within.size() - at) return std::nullopt;
        return Span{static_cast<uint32_t>(at), static_cast<uint32_t>(text.size())};
    }

    void place(size_t slot, Span span) {
        spans_[slot] = span;
        if (slot > highest_) highest_ = slot;
    }

    std::array<Span, kJournalSlots> spans_{};
    std::string* texts_;
    size_t highest_ = 0;  // no slot above it has ever held a text
};

// The journal: four parallel texts per test, newest at index 1, oldest at
// Nb_Tests, never sorted. Each test's date is also kept as a day number
// (dayNumber, kNoDay when the text is no date) and its level as the number
// its text begins with (levelNumber), so that a drawing never parses the
// same text twice: Recuperer fills both for every test read, Ajouter_A_Liste
// computes them for the staged test before moving it in, and whatever
// rewrites a level text rewrites its number (setLevel).
struct Journal {
    static constexpr int64_t kNoDay = INT64_MIN;

    Journal() = default;
    // The columns point at this journal's own buffer.
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

private:
    std::string texts_;  // before the columns, which point at it

public:
    TextColumn Date_Test{texts_};
    TextColumn Heure_Test{texts_};
    TextColumn Taux_Test{texts_};
    TextColumn Note_Test{texts_};
    std::array<int64_t, kJournalSlots> dayNumber{};
    std::array<double, kJournalSlots> levelNumber{};
    int32_t Nb_Tests = 0;

    // The level text of a slot, and its number with it.
    void setLevel(size_t slot, std::string_view text);
    // Slot `to` takes the test of slot `from`: its four texts and numbers.
    // Moves the test staged in slot 0 (its day number given) in as test 1,
    // every older test one slot up; Nb_Tests already counts it.
    void moveStagedIn(int64_t day);
    void copySlot(size_t to, size_t from);

    // A load of the text `source`: beginLoad lays it in the buffer; each
    // field read from it (a view of source) is then placed with loadField;
    // endLoad keeps the texts of the slots the load did not reach (slot 0
    // and those beyond the tests read) as they were.
    void beginLoad(std::string_view source);
    void loadField(TextColumn& column, size_t slot, std::string_view field) {
        // A field read where it lies in the source lies at the same place in
        // the buffer; one the reader had to copy is added to the buffer.
        if (const auto span = TextColumn::spanIn(field, loadSource_))
            column.place(slot, *span);
        else
            column.set(slot, field);
    }
    void endLoad();

    template <class F>
    void forEachVar(F&& f) const {
        f("Nb_Tests", Nb_Tests);
    }

private:
    std::array<TextColumn*, 4> columns() {
        return {&Date_Test, &Heure_Test, &Taux_Test, &Note_Test};
    }

    std::string_view loadSource_;
    std::string previousTexts_;  // the buffer before the load, until endLoad
};

}  // namespace dx
