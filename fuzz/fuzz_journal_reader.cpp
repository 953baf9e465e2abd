// Any bytes as a journal file: read without harm, never more than the table
// holds, the same tests whether a line is read whole or field by field, and
// what was read writes back to a file that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "journal/journal.h"
#include "journal/journal_codec.h"

namespace {

// The tests read with nothing but the field reader, four fields a test:
// what the reader's whole-line shortcut must agree with.
std::vector<dx::JournalRecord> readFieldByField(std::string_view bytes) {
    const std::string text = dx::decodeJournalBytes(bytes);
    dx::FieldReader reader(text);
    std::vector<dx::JournalRecord> tests;
    while (!reader.skipBlankLines() && tests.size() < static_cast<size_t>(dx::kMaxTests)) {
        dx::JournalRecord rec;
        for (std::string* field : {&rec.date, &rec.time, &rec.level, &rec.note})
            if (reader.next(*field) != dx::FieldReader::Status::Field) return tests;
        tests.push_back(rec);
    }
    return tests;
}

bool same(const dx::JournalRecord& a, const dx::JournalRecord& b) {
    return a.date == b.date && a.time == b.time && a.level == b.level && a.note == b.note;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const dx::ParsedJournal parsed = dx::parseJournal(bytes, dx::kMaxTests);
    if (parsed.tests.size() > static_cast<size_t>(dx::kMaxTests)) std::abort();
    if ((parsed.stop == dx::ParsedJournal::Stop::None) != (parsed.stopLine == 0)) std::abort();
    const auto reference = readFieldByField(bytes);
    if (reference.size() != parsed.tests.size()) std::abort();
    for (size_t i = 0; i < reference.size(); ++i)
        if (!same(reference[i], parsed.tests[i])) std::abort();

    // A journal keeps every text it is given until its next load: a fresh
    // one every thousand inputs bounds that without paying for a new table
    // on every input.
    static auto journal = std::make_unique<dx::Journal>();
    static int inputs = 0;
    if (++inputs % 1000 == 0) journal = std::make_unique<dx::Journal>();
    journal->Nb_Tests = static_cast<int32_t>(parsed.tests.size());
    for (size_t i = 0; i < parsed.tests.size(); ++i) {
        const auto& t = parsed.tests[i];
        journal->Date_Test.set(i + 1, t.date);
        journal->Heure_Test.set(i + 1, t.time);
        journal->setLevel(i + 1, t.level);
        journal->Note_Test.set(i + 1, t.note);
    }
    // Fields that hold a quote or a line break are written with those
    // replaced; every other test reads back exactly.
    const dx::ParsedJournal again = dx::parseJournal(dx::journalFileBytes(*journal), dx::kMaxTests);
    if (again.stop != dx::ParsedJournal::Stop::None || again.tests.size() != parsed.tests.size())
        std::abort();
    for (size_t i = 0; i < parsed.tests.size(); ++i) {
        const auto& a = parsed.tests[i];
        const auto& b = again.tests[i];
        const bool plain = dx::checkStorable(a.date).problem == dx::Unstorable::None &&
                           dx::checkStorable(a.time).problem == dx::Unstorable::None &&
                           dx::checkStorable(a.level).problem == dx::Unstorable::None &&
                           dx::checkStorable(a.note).problem == dx::Unstorable::None;
        if (plain && !same(a, b)) std::abort();
    }
    return 0;
}
