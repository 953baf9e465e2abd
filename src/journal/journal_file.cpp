#include "journal/datetext.h"
#include "journal/journal.h"
#include "journal/journal_codec.h"
#include "journal/journal_io.h"
#include "journal/journal_texts.h"
#include "platform/platform.h"
#include "platform/text.h"
#include "settings/numbers.h"

namespace dx {

namespace T = journal_texts;

namespace {

// The copy of a journal that could not be read whole: the tests after the
// line where reading stopped are only there, and a save would replace the
// file without them.
constexpr const char* kUnreadCopySuffix = ".orig";
constexpr int kMaxUnreadCopies = 99;

}  // namespace

std::string keepUnreadCopy(FileStore& files, const std::string& path, const std::string& bytes) {
    for (int n = 1; n <= kMaxUnreadCopies; ++n) {
        const std::string copy =
            path + kUnreadCopySuffix + (n == 1 ? std::string() : std::to_string(n));
        if (files.exists(copy)) {
            if (files.read(copy) == bytes) return copy;
            continue;
        }
        std::string error;
        return files.writeAtomic(copy, bytes, error) ? copy : std::string();
    }
    return {};
}

bool stillAsSeen(const FileStatus& now, const JournalFileSeen& seen) {
    switch (seen.state) {
        case JournalFileSeen::State::Absent:
            return now.kind == FileKind::Missing;
        case JournalFileSeen::State::Read:
            return now.kind == FileKind::Regular && now.identity == seen.identity;
        case JournalFileSeen::State::Unread:
            break;
    }
    return false;
}

JournalWrite writeJournalFile(FileStore& files, const std::string& path, const Journal& journal) {
    JournalWrite result;
    if (files.exists(path))
        result.backedUp = files.copyAtomic(path, path + kBackupSuffix, result.error);
    if (result.backedUp)
        result.written = files.writeAtomic(path, journalFileBytes(journal), result.error);
    return result;
}

JournalLoad loadJournal(Journal& j, std::string_view bytes, const DateTextReader& readDate) {
    j.Nb_Tests = 0;
    JournalReader reader(bytes, kMaxTests);
    j.beginLoad(reader.text());
    JournalRecordView rec;
    while (reader.next(rec)) {
        const auto at = static_cast<size_t>(++j.Nb_Tests);
        // Tests of one day follow each other: their date is read once.
        if (at > 1 && rec.date == j.Date_Test[at - 1]) {
            j.dayNumber[at] = j.dayNumber[at - 1];
        } else {
            const auto day = readDate(rec.date);
            j.dayNumber[at] = day ? day->day() : Journal::kNoDay;
        }
        j.loadField(j.Date_Test, at, rec.date);
        j.loadField(j.Heure_Test, at, rec.time);
        j.loadField(j.Taux_Test, at, rec.level);
        j.levelNumber[at] = leadingNumber(rec.level);
        j.loadField(j.Note_Test, at, rec.note);
    }
    j.endLoad();
    return {reader.stop(), reader.stopLine()};
}

std::string unstorableMessage(const StorableCheck& check, std::string_view fieldName,
                              int16_t langue) {
    std::string why = pick(T::kTheField, langue) + std::string(fieldName);
    switch (check.problem) {
        case Unstorable::None:
            return "";
        case Unstorable::Quote:
            return why + pick(T::kNoQuote, langue);
        case Unstorable::LineBreak:
            return why + pick(T::kOneLine, langue);
        case Unstorable::OutsideCodePage:
            break;
    }
    return why + pick(T::kNoSuchCharacter, langue) + check.character;
}

}  // namespace dx
