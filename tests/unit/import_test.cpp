// The import of CSV files: reading the bytes, finding the header and what
// each column holds, the rules that read dates, times and levels, and the
// plan made against the journal, on hand-made rows and on the sample
// exports under tests/import.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "journal/journal.h"
#include "platform/datetime.h"
#include "report/exchange.h"
#include "report/import_apply.h"
#include "report/report_texts.h"

namespace dx::report {
namespace {

namespace T = report_texts;
using namespace std::string_literals;
using Reading = dx::report::Test;

int64_t dayOf(int y, int m, int d) { return DateTime::fromParts(y, m, d).day(); }

// A test the journal holds, at a day and minute.
Reading held(int64_t day, int minute) { return {"", "", "", "", day, minute, 5}; }

CsvTable tableOf(const std::string& bytes) {
    const CsvParse p = parseCsv(bytes);
    EXPECT_TRUE(p.table) << p.error;
    return p.table.value_or(CsvTable{});
}

// ---- Bytes to rows.

// Each row as its line number and its fields: "1[a|b]2[c|d]".
std::string linesAndRows(const CsvTable& t) {
    std::string out;
    for (size_t r = 0; r < t.rowCount(); ++r) {
        out += std::to_string(t.line(r)) + "[";
        for (const std::string& field : t.row(r)) out += field + "|";
        out.back() = ']';
    }
    return out;
}

TEST(ImportCsv, EncodingsSeparatorsQuotesAndLines) {
    using E = TextEncoding;
    const struct {
        std::string bytes;
        char separator;
        TextEncoding encoding;
        std::string rows;
    } cases[] = {
        {"a;b;c\r\n1;\"x\r\ny\";3\r\n\r\n4;5;6", ';', E::Utf8, "1[a|b|c]2[1|x\r\ny|3]5[4|5|6]"},
        {"a,\"b,c\"\n\"say \"\"hi\"\"\",2\n", ',', E::Utf8, "1[a|b,c]2[say \"hi\"|2]"},
        {"a\tb\tc;d\n1\t2\t3;4", '\t', E::Utf8, "1[a|b|c;d]2[1|2|3;4]"},
        // Decimal commas in a semicolon file: each line holds one comma,
        // but three semicolons on every line, the header too.
        {"d;t;v;n\n1;2;5,5;x\n1;3;6,1;y", ';', E::Utf8, "1[d|t|v|n]2[1|2|5,5|x]3[1|3|6,1|y]"},
        // A preamble of fewer fields above the table.
        {"Report,Jane\nx,y,z\n1,2,3\n4,5,6\n", ',', E::Utf8,
         "1[Report|Jane]2[x|y|z]3[1|2|3]4[4|5|6]"},
        {"\xEF\xBB\xBFx,y\n", ',', E::Utf8WithMark, "1[x|y]"},
        {"caf\xE9\n", ',', E::Windows1252, "1[caf\xC3\xA9]"},
        {std::string("\xFF\xFE\x61\0;\0\xE9\0\n\0", 10), ';', E::Utf16Le, "1[a|\xC3\xA9]"},
        // U+1F600 as a surrogate pair, big-endian.
        {std::string("\xFE\xFF\0x\0,\xD8\x3D\xDE\x00", 10), ',', E::Utf16Be,
         "1[x|\xF0\x9F\x98\x80]"},
        {std::string("n\0te,1", 6), ',', E::Utf8, std::string("1[n\0te|1]", 9)},
        {"", ',', E::Utf8, ""},
    };
    for (const auto& c : cases) {
        const CsvParse p = parseCsv(c.bytes);
        ASSERT_TRUE(p.table) << c.bytes << ": " << p.error;
        EXPECT_EQ(linesAndRows(*p.table), c.rows) << c.bytes;
        EXPECT_EQ(p.separator, c.separator) << c.bytes;
        EXPECT_EQ(p.encoding, c.encoding) << c.bytes;
    }
    EXPECT_FALSE(parseCsv("a,\"b\nc").table);
    EXPECT_NE(parseCsv("x\na,\"b\nc").error.find("line 2"), std::string::npos);
}

// ---- Dates, times, levels.

TEST(ImportRules, TimesOfDay) {
    const struct {
        std::optional<int> minute;
        std::vector<const char*> texts;
    } cases[] = {
        {495, {"8:15", "08:15:30", "08:15:00.000Z", "08:15:00+01:00"}},
        {1215, {"8:15 PM", "8:15pm", "20h15"}},
        {5, {"12:05 AM"}},
        {750, {"12:30 p.m."}},
        {1439, {"23:59-0500"}},
        {420, {" 7:00 "}},
        {std::nullopt, {"13:00 PM", "0:30 AM", "24:00", "8:60", "8", "08:15 xyz", ""}},
    };
    for (const auto& c : cases)
        for (const char* text : c.texts) EXPECT_EQ(readImportMinute(text), c.minute) << text;
}

TEST(ImportRules, DatesInEachOrder) {
    using O = DateOrder;
    const struct {
        DateOrder order;
        std::optional<int64_t> day;
        std::vector<const char*> texts;
    } cases[] = {
        {O::YMD, dayOf(2026, 3, 12), {"2026-03-12", "2026-03-12T08:15:00"}},
        {O::DMY, dayOf(2026, 3, 12), {"12-03-2026 08:15", "12.03.26"}},
        {O::MDY, dayOf(2026, 3, 7), {"3/7/2026 8:15 PM"}},
        {O::DMY, dayOf(2026, 7, 3), {"3/7/2026"}},
        {O::DMY, dayOf(2024, 2, 29), {"29/02/2024"}},
        {O::DMY, std::nullopt, {"29/02/2026", "13/13/2026", "2026-03-12", "12/03/202", "12/03"}},
        {O::DMY, std::nullopt, {"12//2026"}},
        {O::MDY, std::nullopt, {"3/8/206./14"}},
        {O::YMD, std::nullopt, {""}},
    };
    for (const auto& c : cases)
        for (const char* text : c.texts) EXPECT_EQ(readImportDay(text, c.order), c.day) << text;
}

TEST(ImportRules, LevelsWithAPointOrAComma) {
    EXPECT_EQ(readImportLevel(" 5,6 "), 5.6);
    EXPECT_EQ(readImportLevel("112"), 112);
    EXPECT_EQ(readImportLevel("Low"), std::nullopt);
    EXPECT_EQ(readImportLevel(""), std::nullopt);
}

// ---- Which column holds what.

// The columns of date, time, level, unit, note and record type, then "+"
// and each further level column: "0 1 3 -1 4 -1 +5".
std::string columnsOf(const ColumnMapping& m) {
    std::string out;
    for (int c : {m.date, m.time, m.level, m.unit, m.note, m.recordType})
        out += " " + std::to_string(c);
    for (int c : m.moreLevels) out += " +" + std::to_string(c);
    return out.substr(1);
}

TEST(ImportMapping, HeaderFoundAndNamedInThreeLanguages) {
    using U = ImportUnit;
    using S = UnitSource;
    const struct {
        std::string csv;
        size_t headerRow;
        std::string columns;
        ImportUnit unit;
        UnitSource source;
    } cases[] = {
        {"date,time,mmol_l,mg_dl,note\n", 0, "0 1 3 -1 4 -1", U::MgDl, S::Header},
        {"Date;Heure;Glyc\xC3\xA9mie (mg/dl);Remarque\n13/01/2026;08:00;110;\n", 0, "0 1 2 -1 3 -1",
         U::MgDl, S::Header},
        {"Datum;Uhrzeit;Blutzucker;Bemerkung\n13.01.2026;08:00;110;\n", 0, "0 1 2 -1 3 -1", U::MgDl,
         S::Values},
        {"Zeitstempel;Glukose (mmol/l);Einheit\n", 0, "0 -1 1 2 -1 -1", U::FromColumn, S::Column},
        // Two preamble lines; insulin "(units)" is no unit column, the
        // ketones no level; the scan and strip columns back the historic one.
        {"Glucose Data,Generated on,13-03-2026\nPatient,Jane\n"
         "Device,Serial Number,Device Timestamp,Record Type,Historic Glucose mg/dL,"
         "Scan Glucose mg/dL,Rapid-Acting Insulin (units),Carbohydrates (grams),Notes,"
         "Strip Glucose mg/dL,Ketone mmol/L\n",
         2, "2 -1 4 -1 8 3 +5 +9", U::MgDl, S::Header},
        // A rate of change, a duration and a transmitter's time are no level
        // and no time.
        {"Index,Timestamp (YYYY-MM-DDThh:mm:ss),Event Type,Event Subtype,Patient Info,"
         "Device Info,Glucose Value (mg/dL),Insulin Value (u),Duration (hh:mm:ss),"
         "Glucose Rate of Change (mg/dL/min),Transmitter Time (Long Integer)\n",
         0, "1 -1 6 -1 -1 2", U::MgDl, S::Header},
        // No header: the columns from the first row's values.
        {"01/13/2026,08:00,6.1,after lunch\n", 0, "0 1 2 -1 3 -1", U::MmolL, S::Assumed},
        {"2026-01-13 08:00,120\n", 0, "0 -1 1 -1 -1 -1", U::MgDl, S::Values},
        {"2026-01-13 08:00,35\n", 0, "0 -1 1 -1 -1 -1", U::MmolL, S::Assumed},
    };
    for (const auto& c : cases) {
        const ColumnMapping m = guessMapping(tableOf(c.csv));
        EXPECT_EQ(m.headerRow, c.headerRow) << c.csv;
        EXPECT_EQ(columnsOf(m), c.columns) << c.csv;
        EXPECT_EQ(m.levelUnit, c.unit) << c.csv;
        EXPECT_EQ(m.unitSource, c.source) << c.csv;
    }
    EXPECT_TRUE(guessMapping(tableOf("date,time,mmol_l,mg_dl,note\n")).ownExport);
    EXPECT_FALSE(guessMapping(tableOf("01/13/2026,08:00,6.1\n")).hasHeader);
}

TEST(ImportMapping, DateOrderFromTheValues) {
    const struct {
        std::string rows;
        DateOrder order;
        bool fromValues;
    } cases[] = {
        {"2026-03-12 08:00,5\n", DateOrder::YMD, true},
        {"01/03/2026 08:00,5\n13/03/2026 08:00,5\n", DateOrder::DMY, true},
        {"03/01/2026 08:00,5\n03/13/2026 08:00,5\n", DateOrder::MDY, true},
        {"03/01/2026 08:00,5\n", DateOrder::DMY, false},
        {"3/7/2026 8:15 PM,5\n", DateOrder::MDY, false},  // AM/PM: the US order
    };
    for (const auto& c : cases) {
        const ColumnMapping m = guessMapping(tableOf("date,glucose\n" + c.rows));
        EXPECT_EQ(m.order, c.order) << c.rows;
        EXPECT_EQ(m.orderFromValues, c.fromValues) << c.rows;
    }
}

// ---- The plan.

const int64_t kToday = dayOf(2026, 11, 30);

ImportPlan plan(const std::string& csv, const std::vector<Reading>& journal = {}, int16_t unite = 0,
                std::string_view pattern = "dd/MM/yyyy", const ImportChoices& choices = {}) {
    const CsvTable t = tableOf(csv);
    return planImport(t, guessMapping(t), journal, pattern, unite, 0, kToday, choices);
}

// A planned test's texts as the journal will hold them.
std::string shown(const Reading& t) { return t.date + " " + t.time + " " + t.level + " " + t.note; }

TEST(ImportPlanning, OwnExportComesBackAsItWent) {
    const std::vector<JournalRecord> inEachUnit[] = {
        {{"02/11/2026", "07:05", "05.6", "=a, b"}, {"01/11/2026", "23:59", "12.0", ""}},
        {{"02/11/2026", "07:05", "101", "'-x"}, {"01/11/2026", "23:59", "054", "@"}}};
    for (int16_t unite : {0, 1}) {
        const std::vector<JournalRecord>& records = inEachUnit[unite];
        const std::vector<Reading> tests = testsOf(records, "dd/MM/yyyy");
        const ImportPlan p = plan(exportCsv(tests, unite), {}, unite);
        ASSERT_TRUE(p.acceptable()) << unite;
        ASSERT_EQ(p.toAdd.size(), 2u);
        for (size_t i = 0; i < 2; ++i) {
            const JournalRecord& r = records[i];
            EXPECT_EQ(shown(p.toAdd[i]), shown({r.date, r.time, r.level, r.note}));
            EXPECT_EQ(p.toAdd[i].day, tests[i].day);
        }
    }
}

TEST(ImportPlanning, ConvertedToTheJournalsUnitAndPattern) {
    const ImportPlan p = plan("Date;Time;BG (mg/dl)\n13/11/2026;8:30 PM;90\n", {}, 0, "yyyy-MM-dd");
    ASSERT_TRUE(p.acceptable());
    EXPECT_EQ(shown(p.toAdd[0]), "2026-11-13 20:30 05.0 ");
    EXPECT_DOUBLE_EQ(p.toAdd[0].value, 5);
    const ImportPlan mg = plan("date,level\n2026-11-01T08:30:00+01:00,5,5\n", {}, 1);
    EXPECT_EQ(mg.bad.size(), 1u);  // a decimal comma in a comma file splits the row
    const ImportPlan mg2 = plan("date;level\n2026-11-01T08:30:00+01:00;5,5\n", {}, 1);
    ASSERT_TRUE(mg2.acceptable());
    EXPECT_EQ(mg2.toAdd[0].level, "099");
    EXPECT_EQ(mg2.toAdd[0].minute, 8 * 60 + 30);
}

// Rows without a reading are counted by kind from the record type or from
// the column that holds something; a scan and a historic reading at the
// same minute are one test.
TEST(ImportPlanning, RowsWithoutAReadingSkippedByKind) {
    const ImportPlan p = plan(
        "Timestamp,Event Type,Glucose mg/dL,Scan mg/dL,Insulin (units),Carbs (g),Note,"
        "Patient Info\n"
        "2026-11-01 08:00,EGV,110,,,,,\n"          // a reading
        "2026-11-01 08:00,Scan,,112,,,,\n"         // the same minute again
        "2026-11-01 08:05,Scan,,120,,,,\n"         // a scan
        "2026-11-01 08:10,Calibration,115,,,,,\n"  // a meter value, no reading
        "2026-11-01 08:15,Alert,250,,,,,\n"
        "2026-11-01 08:20,Device,,,,,,\n"
        ",FirstName,,,,,,Jane\n"
        "2026-11-01 08:25,4,,,6,,,\n"  // a number code: the content tells
        "2026-11-01 08:30,5,,,,40,,\n"
        "2026-11-01 08:35,6,,,,,lunch,\n"
        "2026-11-01 08:40,0,,,,,,\n"  // an empty glucose cell
        "2026-11-01 08:45,Exercise,,,,,,\n"
        "2026-11-01 08:50,Bolus,,,3,,,\n",
        {}, 1);
    EXPECT_TRUE(p.bad.empty());
    EXPECT_EQ(p.toAdd.size(), 2u);
    EXPECT_EQ(p.duplicates, 1);
    // Insulin, carbs, alert, calibration, device, patient, note, no glucose,
    // other, out of range.
    EXPECT_EQ(p.skipped, (std::array<int, kSkipKinds>{2, 1, 1, 1, 1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(planSummary(p, 0),
              "2 tests to add, 1 duplicates skipped, 10 rows without a reading skipped (insulin "
              "2, carbs 1, alerts 1, calibrations 1, device 1, patient 1, notes 1, no glucose 1, "
              "other 1), 0 bad rows");
}

TEST(ImportPlanning, DuplicatesAgainstTheJournalAndWithinTheFile) {
    const std::vector<Reading> journal = {held(dayOf(2026, 11, 1), 8 * 60)};
    const ImportPlan p = plan(
        "date,time,level\n01/11/2026,08:00,6\n02/11/2026,09:00,6\n02/11/2026,09:00,7\n"
        "01/11/2026,07:00,6\n",
        journal);
    EXPECT_EQ(p.duplicates, 2);
    EXPECT_EQ(p.journalCount, 1);
    ASSERT_EQ(p.toAdd.size(), 2u);
    // Newest first; of the two rows at one minute, the first read is kept.
    EXPECT_EQ(shown(p.toAdd[0]) + "; " + shown(p.toAdd[1]),
              "02/11/2026 09:00 06.0 ; 01/11/2026 07:00 06.0 ");
    EXPECT_TRUE(p.acceptable());
    EXPECT_FALSE(plan("date,time,level\n01/11/2026,08:00,6\n", journal).canImport());
}

// Each reason names the line, and a level in the file's own unit.
TEST(ImportPlanning, BadRowsWithLineAndReason) {
    const std::string refusedMmol = std::string(T::kLevelRefused.en) + "25 mmol/L)";
    const std::string refusedMg = std::string(T::kLevelRefused.en) + "450 mg/dl)";
    auto fieldCount = [](const char* row, const char* header) {
        return std::string(T::kFieldCountRow.en) + row + T::kFieldCountHeader.en + header +
               T::kFieldCountWhy.en;
    };
    const std::string note = "date,time,level,note\n";  // the header of most cases
    const struct {
        std::string csv;
        int line;
        std::string reason;
    } cases[] = {
        {note + "32/11/2026,08:00,5,\n", 2, T::kBadDate.en},
        {note + "01/12/2026,08:00,5,\n", 2, T::kDateAfterToday.en},
        {note + "01/11/2026,24:00,5,\n", 2, T::kBadTime.en},
        {note + "01/11/2026,08:00,abc,\n", 2, T::kBadLevel.en},
        {note + "01/11/2026,08:01,0,\n", 2, refusedMmol},
        {note + "01/11/2026,08:02,25.1,\n", 2, refusedMmol},
        {"date,time,mg/dl,note\n01/11/2026,08:02,451,\n", 2, refusedMg},
        {"date,time,level\n01/11/2026,08:02,500\n", 2, refusedMg},
        {"date,time,level,unit\n01/11/2026,08:02,5,kPa\n", 2, T::kBadUnit.en},
        {note + "01/11/2026,08:03,5,\"say \"\"x\"\"\"\n", 2, T::kUnstorableNote.en + "\""s},
        {note + "\"01/11/2026\",\"08:05\",\"5\",\"two\nlines\"\n", 2,
         T::kUnstorableNote.en + "\\n"s},
        {"date;time;level;note\n\n01/11/2026;08:04;5;a; b\n", 3, fieldCount("5", "4")},
        {note + "01/11/2026,08:04\n", 2, fieldCount("2", "4")},
        {"date,note\n01/11/2026,x\n", 2, T::kMissingColumn.en},
    };
    for (const auto& c : cases) {
        const ImportPlan p = plan(c.csv);
        ASSERT_EQ(p.bad.size(), 1u) << c.csv;
        EXPECT_EQ(p.bad[0].line, c.line) << c.csv;
        EXPECT_EQ(p.bad[0].reason, c.reason) << c.csv;
        EXPECT_FALSE(p.acceptable()) << c.csv;
    }
    // The good rows can still be taken: the last row of each file.
    const ImportPlan p = plan(note + "01/11/2026,08:00,abc,\n30/11/2026,23:59,25,\n");
    EXPECT_TRUE(p.canImport());
    EXPECT_EQ(p.toAdd.size(), 1u);
}

TEST(ImportPlanning, DaysAskedFor) {
    ImportChoices choices;
    choices.days = DayRange{dayOf(2026, 11, 2), dayOf(2026, 11, 3)};
    const ImportPlan p = plan(
        "date,time,level\n01/11/2026,08:00,5\n02/11/2026,08:00,5\n03/11/2026,08:00,5\n"
        "04/11/2026,08:00,5\n",
        {}, 0, "dd/MM/yyyy", choices);
    EXPECT_EQ(p.toAdd.size(), 2u);
    EXPECT_EQ(p.skipped[size_t(SkipKind::OutOfRange)], 2);
}

// 4997 held: three fit. Of the four planned (two on the 2nd, one each on
// the 3rd and 4th), the newest three split the 2nd, so the days from the
// 3rd are proposed; keeping the newest takes three.
TEST(ImportPlanning, OverTheLimitProposesTheNewestOrTheDaysThatFit) {
    std::vector<Reading> journal;
    for (int i = 0; i < 4997; ++i) journal.push_back(held(dayOf(2010, 1, 1) + i / 4, i % 4));
    const std::string rows =
        "date,time,level\n02/11/2026,08:00,5\n02/11/2026,09:00,5\n03/11/2026,08:00,5\n";
    EXPECT_TRUE(plan(rows, journal).acceptable());
    ImportPlan over = plan(rows + "04/11/2026,08:00,5\n", journal);
    EXPECT_TRUE(over.overLimit);
    EXPECT_FALSE(over.canImport());
    EXPECT_EQ(over.room, 3);
    EXPECT_EQ(over.fitsFrom, dayOf(2026, 11, 3));
    EXPECT_EQ(overLimitAdvice(over, 0, "yyyy-MM-dd"),
              "The journal can take 3 more tests; the file brings 4. Import the newest, or the "
              "days from 2026-11-03.");
    keepNewestThatFit(over);
    EXPECT_TRUE(over.acceptable());
    ASSERT_EQ(over.toAdd.size(), 3u);
    EXPECT_EQ(over.toAdd.back().time, "09:00");
    EXPECT_EQ(over.leftOut, 1);
}

// The planned tests go in among the held ones by date and time.
TEST(ImportPlanning, AddedTestsStandInOrder) {
    auto journal = std::make_unique<Journal>();
    const std::string header = "date,time,level,note\n";
    addPlannedTests(*journal, plan(header + "03/11/2026,08:00,5,c\n01/11/2026,08:00,5,a\n").toAdd);
    ASSERT_EQ(journal->Nb_Tests, 2);
    const ImportPlan p =
        plan(header + "04/11/2026,08:00,6,d\n02/11/2026,08:00,6,b\n01/11/2026,07:00,6,0\n",
             testsOf(*journal, "dd/MM/yyyy"));
    addPlannedTests(*journal, p.toAdd);
    ASSERT_EQ(journal->Nb_Tests, 5);
    std::string notes;
    for (size_t i = 1; i <= 5; ++i) notes += journal->Note_Test[i];
    EXPECT_EQ(notes, "dcba0");
    EXPECT_EQ(journal->dayNumber[3], dayOf(2026, 11, 2));
    EXPECT_EQ(journal->Taux_Test[2], "05.0");
}

// ---- The sample exports.

TEST(ImportPlanning, SampleExportsReadWithoutHandWork) {
    using E = TextEncoding;
    using O = DateOrder;
    using U = ImportUnit;
    const struct {
        const char* file;
        size_t headerRow;
        char separator;
        TextEncoding encoding;
        DateOrder order;
        ImportUnit unit;
        // Added, duplicates, skipped, the bad rows' lines, and the date, time
        // and level (mg/dl) of the newest test.
        std::string plan;
    } cases[] = {
        {"cgm_cloud.csv", 2, ',', E::Utf8, O::DMY, U::MmolL,
         "4 1 4 bad: newest 2026-03-13 07:45 106"},
        {"cgm_events.csv", 0, ',', E::Utf8, O::YMD, U::MgDl,
         "3 0 8 bad: 12 14 newest 2026-03-12 08:40 131"},
        {"meter_app.csv", 0, ',', E::Utf8, O::MDY, U::MgDl,
         "5 0 0 bad: newest 2026-03-14 09:00 105"},
        {"diary_semicolon.csv", 0, ';', E::Windows1252, O::DMY, U::MmolL,
         "2 0 0 bad: 3 newest 2026-03-13 07:25 110"},
    };
    for (const auto& c : cases) {
        std::ostringstream bytes;
        const std::string path = std::string(DEXTREL_IMPORT_SAMPLES) + "/" + c.file;
        bytes << std::ifstream(path, std::ios::binary).rdbuf();
        const CsvParse parsed = parseCsv(bytes.str());
        ASSERT_TRUE(parsed.table) << c.file;
        EXPECT_EQ(parsed.separator, c.separator) << c.file;
        EXPECT_EQ(parsed.encoding, c.encoding) << c.file;
        const ColumnMapping m = guessMapping(*parsed.table);
        EXPECT_EQ(m.headerRow, c.headerRow) << c.file;
        EXPECT_EQ(m.order, c.order) << c.file;
        EXPECT_EQ(m.levelUnit, c.unit) << c.file;
        const ImportPlan p = planImport(*parsed.table, m, {}, "yyyy-MM-dd", 1, 0, kToday);
        std::string got = std::to_string(p.toAdd.size()) + " " + std::to_string(p.duplicates) +
                          " " + std::to_string(p.skippedTotal()) + " bad: ";
        for (const BadRow& b : p.bad) got += std::to_string(b.line) + " ";
        ASSERT_FALSE(p.toAdd.empty()) << c.file;
        const Reading& t = p.toAdd.front();
        got += "newest " + t.date + " " + t.time + " " + std::to_string(int(t.value));
        EXPECT_EQ(got, c.plan) << c.file;
    }
}

}  // namespace
}  // namespace dx::report
