// dextrel-report import JOURNAL FILE: the same plan as the window's import,
// for scripting. Reads the journal and the CSV, plans, and writes the
// journal (with its backup) only when the plan is taken whole or, with
// --skip-bad, without its bad rows.

#include "import_command.h"

#include <ctime>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli_common.h"
#include "journal/datetext.h"
#include "journal/journal.h"
#include "journal/journal_io.h"
#include "journal/journal_texts.h"
#include "platform/posix/file_store.h"
#include "report/exchange.h"
#include "report/import_apply.h"
#include "report/report_texts.h"
#include "safe_files.h"

namespace dx {

namespace {

namespace R = report;
namespace T = report_texts;

constexpr int kWritten = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;

struct ImportOptions : report_cli::CommonOptions {
    std::string journal, file;
    bool dryRun = false, skipBad = false, json = false, newest = false;
    std::optional<R::DateOrder> order;
    std::optional<int16_t> fileUnit;
};

std::string say(const Bilingual& text, const ImportOptions& o) { return pick(text, o.langue); }

// The value of an option that takes one; the error when it is not allowed.
std::string takeValue(const std::string& a, const std::string& value, ImportOptions& o) {
    if (report_cli::isCommonOption(a)) return report_cli::takeCommonOption(a, value, o);
    if (a == "--file-unit") {
        if (value != "mmol" && value != "mg") return a + say(T::kCliUnitTakes, o);
        o.fileUnit = value == "mg" ? 1 : 0;
    } else if (value == "ymd") {  // --date-order
        o.order = R::DateOrder::YMD;
    } else if (value == "dmy") {
        o.order = R::DateOrder::DMY;
    } else if (value == "mdy") {
        o.order = R::DateOrder::MDY;
    } else {
        return say(T::kCliOrderValues, o);
    }
    return "";
}

bool takesValue(const std::string& a) {
    return report_cli::isCommonOption(a) || a == "--date-order" || a == "--file-unit";
}

// The error, or "" when the arguments hold together.
std::string parseImportArguments(int argc, char** argv, ImportOptions& o) {
    o.langue = report_cli::languageOf(argc, argv);
    std::vector<std::string> files;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (takesValue(a)) {
            if (i + 1 >= argc) return a + say(T::kCliNeedsValue, o);
            if (std::string error = takeValue(a, argv[++i], o); !error.empty()) return error;
        } else if (a == "--dry-run") {
            o.dryRun = true;
        } else if (a == "--skip-bad") {
            o.skipBad = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--newest") {
            o.newest = true;
        } else if (!a.empty() && a[0] == '-') {
            return say(T::kCliUnknownOption, o) + a;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) return say(T::kCliImportFiles, o);
    o.journal = files[0];
    o.file = files[1];
    if (o.from.has_value() != o.to.has_value()) return say(T::kCliFromTo, o);
    return "";
}

std::string planJson(const R::ImportPlan& plan, bool added, bool written) {
    std::string out = "{\"added\": " + std::to_string(added ? plan.toAdd.size() : 0) +
                      ", \"duplicates\": " + std::to_string(plan.duplicates) + ", \"skipped\": {";
    bool first = true;
    for (size_t k = 0; k < R::kSkipKinds; ++k) {
        if (plan.skipped[k] == 0) continue;
        out += (first ? "" : ", ") + jsonQuote(R::skipKindKey(static_cast<R::SkipKind>(k))) + ": " +
               std::to_string(plan.skipped[k]);
        first = false;
    }
    out += "}, \"bad\": [";
    for (size_t i = 0; i < plan.bad.size(); ++i)
        out += (i == 0 ? "" : ", ") + std::string("{\"line\": ") +
               std::to_string(plan.bad[i].line) + ", \"reason\": " + jsonQuote(plan.bad[i].reason) +
               "}";
    return out + "], \"written\": " + (written ? "true" : "false") + "}\n";
}

void complain(const std::string& text) { std::cerr << "dextrel-report: " << text << "\n"; }

// The mapping found, with what the command line says over it.
R::ColumnMapping mappingFor(const R::CsvTable& table, const ImportOptions& o) {
    R::ColumnMapping m = R::guessMapping(table);
    if (o.order) {
        m.order = *o.order;
        m.orderFromValues = false;
    }
    const bool fileNamesUnit =
        m.unitSource == R::UnitSource::Header || m.unitSource == R::UnitSource::Column;
    if (o.fileUnit && !fileNamesUnit)
        m.levelUnit = *o.fileUnit == 1 ? R::ImportUnit::MgDl : R::ImportUnit::MmolL;
    return m;
}

// Why the plan is not written, or "".
std::string refusal(const R::ImportPlan& plan, const ImportOptions& o) {
    if (plan.overLimit)
        return R::overLimitAdvice(plan, o.langue, "yyyy-MM-dd") + say(T::kCliOverLimitHow, o);
    if (!plan.bad.empty() && !o.skipBad) return say(T::kCliBadRowsRefuse, o);
    if (plan.toAdd.empty()) return say(T::kNothingToImport, o);
    return "";
}

void printPlan(const R::ImportPlan& plan, const ImportOptions& o) {
    std::cout << R::planSummary(plan, o.langue) << "\n";
    for (const R::BadRow& b : plan.bad)
        std::cout << say(T::kLine, o) << b.line << ": " << b.reason << "\n";
}

struct Inputs {
    std::unique_ptr<Journal> journal = std::make_unique<Journal>();
    JournalFileSeen seen;
    R::CsvParse csv;
};

// The journal (a missing one is empty) and the CSV, each under the ceiling
// of an import and never waited on; false when either cannot be read, after
// saying why.
bool readInputs(FileStore& files, const ImportOptions& o, Inputs& in) {
    std::string message;
    if (files.status(o.journal).kind != FileKind::Missing) {
        const auto bytes = report_files::readInput(o.journal, o.langue, message, &in.seen.identity);
        if (!bytes) return complain(message), false;
        in.seen.state = JournalFileSeen::State::Read;
        const JournalLoad load = loadJournal(*in.journal, *bytes, DateTextReader(o.datePattern));
        // The tests after the line where reading stopped would be lost.
        if (load.stop != ParsedJournal::Stop::None)
            return complain(o.journal + say(T::kCliReadingStopped, o) +
                            std::to_string(load.stopLine)),
                   false;
    }
    auto csv = report_files::readInput(o.file, o.langue, message);
    if (!csv) return complain(message), false;
    in.csv = R::parseCsv(std::move(*csv));
    if (!in.csv.table) return complain(say(T::kCannotReadFile, o) + in.csv.error), false;
    return true;
}

// Why the journal may not be written now: a window holds it, or another
// program changed it since it was read. Empty when it may.
std::string whyNotWritable(FileStore& files, const ImportOptions& o, const Inputs& in) {
    std::string error;
    const FileStore::Lock lock = files.lockForWriting(o.journal, error);
    if (lock == FileStore::Lock::TakenElsewhere)
        return o.journal + ": " + pick(journal_texts::kSavesOff, o.langue);
    if (lock == FileStore::Lock::Failed) return o.journal + ": " + error;
    if (!stillAsSeen(files.status(o.journal), in.seen))
        return o.journal + ": " + pick(journal_texts::kChangedOnDisk, o.langue);
    return "";
}

}  // namespace

int runImportCommand(int argc, char** argv) {
    ImportOptions o;
    if (const std::string error = parseImportArguments(argc, argv, o); !error.empty()) {
        complain(error);
        std::cerr << say(T::kCliImportUsage, o);
        return kUsage;
    }
    PosixFileStore files;
    Inputs in;
    if (!readInputs(files, o, in)) return kRefused;

    const R::CsvTable& table = *in.csv.table;
    R::ImportChoices choices;
    if (o.from) choices.days = R::DayRange{*o.from, *o.to};
    R::ImportPlan plan =
        R::planImport(table, mappingFor(table, o), R::testsOf(*in.journal, o.datePattern),
                      o.datePattern, o.unite, o.langue, report_cli::localToday(), choices);
    if (o.newest) R::keepNewestThatFit(plan);

    const std::string why = refusal(plan, o);
    bool written = false;
    if (why.empty() && !o.dryRun) {
        if (const std::string busy = whyNotWritable(files, o, in); !busy.empty()) {
            complain(busy);
            return kRefused;
        }
        if (R::addPlannedTests(*in.journal, plan.toAdd) != JournalEdit::Done) {
            complain(say(T::kOverLimit, o));
            return kRefused;
        }
        const JournalWrite write = writeJournalFile(files, o.journal, *in.journal);
        written = write.written;
        if (!written) complain(say(T::kCannotWrite, o) + o.journal + ": " + write.error);
    }
    if (o.json)
        std::cout << planJson(plan, written || (o.dryRun && why.empty()), written);
    else
        printPlan(plan, o);
    if (!why.empty()) complain(why);
    if (written && !o.json) std::cout << plan.toAdd.size() << say(T::kImported, o) << "\n";
    return why.empty() && (written || o.dryRun) ? kWritten : kRefused;
}

}  // namespace dx
