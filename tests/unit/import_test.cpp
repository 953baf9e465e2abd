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
using Reading = dx::report::Test;

int64_t dayOf(int y, int m, int d) { return DateTime::fromParts(y, m, d).day(); }

Reading held(int64_t day, int minute) {
    Reading t;
    t.day = day;
    t.minute = minute;
    t.value = 5;
    return t;
}

std::vector<std::vector<std::string>> rowsOf(const CsvTable& t) {
    std::vector<std::vector<std::string>> rows;
    for (size_t r = 0; r < t.rowCount(); ++r) rows.push_back(t.row(r));
    return rows;
}

std::vector<int> linesOf(const CsvTable& t) {
    std::vector<int> lines;
    for (size_t r = 0; r < t.rowCount(); ++r) lines.push_back(t.line(r));
    return lines;
}

CsvTable tableOf(const std::string& bytes) {
    const CsvParse p = parseCsv(bytes);
    EXPECT_TRUE(p.table) << p.error;
    return p.table.value_or(CsvTable{});
}

// ---- Bytes to rows.

TEST(ImportCsv, EncodingsSeparatorsQuotesAndLines) {
    using Rows = std::vector<std::vector<std::string>>;
    const struct {
        std::string bytes;
        Rows rows;
        std::vector<int> lines;
        char separator;
        TextEncoding encoding;
    } cases[] = {
        {"a;b;c\r\n1;\"x\r\ny\";3\r\n\r\n4;5;6",
         {{"a", "b", "c"}, {"1", "x\r\ny", "3"}, {"4", "5", "6"}},
         {1, 2, 5},
         ';',
         TextEncoding::Utf8},
        {"a,\"b,c\"\n\"say \"\"hi\"\"\",2\n",
         {{"a", "b,c"}, {"say \"hi\"", "2"}},
         {1, 2},
         ',',
         TextEncoding::Utf8},
        {"a\tb\tc;d\n1\t2\t3;4",
         {{"a", "b", "c;d"}, {"1", "2", "3;4"}},
         {1, 2},
         '\t',
         TextEncoding::Utf8},
        // Decimal commas in a semicolon file: each line holds one comma,
        // but three semicolons on every line, the header too.
        {"d;t;v;n\n1;2;5,5;x\n1;3;6,1;y",
         {{"d", "t", "v", "n"}, {"1", "2", "5,5", "x"}, {"1", "3", "6,1", "y"}},
         {1, 2, 3},
         ';',
         TextEncoding::Utf8},
        // A preamble of fewer fields above the table.
        {"Report,Jane\nx,y,z\n1,2,3\n4,5,6\n",
         {{"Report", "Jane"}, {"x", "y", "z"}, {"1", "2", "3"}, {"4", "5", "6"}},
         {1, 2, 3, 4},
         ',',
         TextEncoding::Utf8},
        {"\xEF\xBB\xBFx,y\n", {{"x", "y"}}, {1}, ',', TextEncoding::Utf8WithMark},
        {"caf\xE9\n", {{"caf\xC3\xA9"}}, {1}, ',', TextEncoding::Windows1252},
        {std::string("\xFF\xFE"
                     "a\0;\0\xE9\0\n\0",
                     10),
         {{"a", "\xC3\xA9"}},
         {1},
         ';',
         TextEncoding::Utf16Le},
        // U+1F600 as a surrogate pair, big-endian.
        {std::string("\xFE\xFF\0x\0,\xD8\x3D\xDE\x00", 10),
         {{"x", "\xF0\x9F\x98\x80"}},
         {1},
         ',',
         TextEncoding::Utf16Be},
        {std::string("n\0te,1", 6), {{std::string("n\0te", 4), "1"}}, {1}, ',', TextEncoding::Utf8},
        {"", {}, {}, ',', TextEncoding::Utf8},
    };
    for (const auto& c : cases) {
        const CsvParse p = parseCsv(c.bytes);
        ASSERT_TRUE(p.table) << c.bytes << ": " << p.error;
        EXPECT_EQ(rowsOf(*p.table), c.rows) << c.bytes;
        EXPECT_EQ(linesOf(*p.table), c.lines) << c.bytes;
        EXPECT_EQ(p.separator, c.separator) << c.bytes;
        EXPECT_EQ(p.encoding, c.encoding) << c.bytes;
    }
    EXPECT_FALSE(parseCsv("a,\"b\nc").table);
    EXPECT_NE(parseCsv("x\na,\"b\nc").error.find("line 2"), std::string::npos);
}

// ---- Dates, times, levels.

TEST(ImportRules, TimesOfDay) {
    const struct {
        const char* text;
        std::optional<int> minute;
    } cases[] = {
        {"8:15", 495},
        {"08:15:30", 495},
        {"8:15 PM", 1215},
        {"8:15pm", 1215},
        {"12:05 AM", 5},
        {"12:30 p.m.", 750},
        {"20h15", 1215},
        {"08:15:00.000Z", 495},
        {"08:15:00+01:00", 495},
        {"23:59-0500", 1439},
        {" 7:00 ", 420},
        {"13:00 PM", std::nullopt},
        {"0:30 AM", std::nullopt},
        {"24:00", std::nullopt},
        {"8:60", std::nullopt},
        {"8", std::nullopt},
        {"08:15 xyz", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(readImportMinute(c.text), c.minute) << c.text;
}

TEST(ImportRules, DatesInEachOrder) {
    const struct {
        const char* text;
        DateOrder order;
        std::optional<int64_t> day;
    } cases[] = {
        {"2026-03-12", DateOrder::YMD, dayOf(2026, 3, 12)},
        {"2026-03-12T08:15:00", DateOrder::YMD, dayOf(2026, 3, 12)},
        {"12-03-2026 08:15", DateOrder::DMY, dayOf(2026, 3, 12)},
        {"3/7/2026 8:15 PM", DateOrder::MDY, dayOf(2026, 3, 7)},
        {"3/7/2026", DateOrder::DMY, dayOf(2026, 7, 3)},
        {"12.03.26", DateOrder::DMY, dayOf(2026, 3, 12)},
        {"29/02/2024", DateOrder::DMY, dayOf(2024, 2, 29)},
        {"29/02/2026", DateOrder::DMY, std::nullopt},
        {"13/13/2026", DateOrder::DMY, std::nullopt},
        {"2026-03-12", DateOrder::DMY, std::nullopt},
        {"12/03/202", DateOrder::DMY, std::nullopt},
        {"12/03", DateOrder::DMY, std::nullopt},
        {"12//2026", DateOrder::DMY, std::nullopt},
        {"3/8/206./14", DateOrder::MDY, std::nullopt},
        {"", DateOrder::YMD, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(readImportDay(c.text, c.order), c.day) << c.text;
}

TEST(ImportRules, LevelsWithAPointOrAComma) {
    EXPECT_EQ(readImportLevel(" 5,6 "), 5.6);
    EXPECT_EQ(readImportLevel("112"), 112);
    EXPECT_EQ(readImportLevel("Low"), std::nullopt);
    EXPECT_EQ(readImportLevel(""), std::nullopt);
}

// ---- Which column holds what.

TEST(ImportMapping, HeaderFoundAndNamedInThreeLanguages) {
    const struct {
        std::string csv;
        size_t headerRow;
        std::array<int, 6> columns;  // date, time, level, unit, note, record type
        std::vector<int> moreLevels;
        ImportUnit unit;
        UnitSource source;
    } cases[] = {
        {"date,time,mmol_l,mg_dl,note\n",
         0,
         {0, 1, 3, -1, 4, -1},
         {},
         ImportUnit::MgDl,
         UnitSource::Header},
        {"Date;Heure;Glyc\xC3\xA9mie (mg/dl);Remarque\n13/01/2026;08:00;110;\n",
         0,
         {0, 1, 2, -1, 3, -1},
         {},
         ImportUnit::MgDl,
         UnitSource::Header},
        {"Datum;Uhrzeit;Blutzucker;Bemerkung\n13.01.2026;08:00;110;\n",
         0,
         {0, 1, 2, -1, 3, -1},
         {},
         ImportUnit::MgDl,
         UnitSource::Values},
        {"Zeitstempel;Glukose (mmol/l);Einheit\n",
         0,
         {0, -1, 1, 2, -1, -1},
         {},
         ImportUnit::FromColumn,
         UnitSource::Column},
        // Two preamble lines; insulin "(units)" is no unit column, the
        // ketones no level; the scan and strip columns back the historic one.
        {"Glucose Data,Generated on,13-03-2026\nPatient,Jane\n"
         "Device,Serial Number,Device Timestamp,Record Type,Historic Glucose mg/dL,"
         "Scan Glucose mg/dL,Rapid-Acting Insulin (units),Carbohydrates (grams),Notes,"
         "Strip Glucose mg/dL,Ketone mmol/L\n",
         2,
         {2, -1, 4, -1, 8, 3},
         {5, 9},
         ImportUnit::MgDl,
         UnitSource::Header},
        // A rate of change, a duration and a transmitter's time are no level
        // and no time.
        {"Index,Timestamp (YYYY-MM-DDThh:mm:ss),Event Type,Event Subtype,Patient Info,"
         "Device Info,Glucose Value (mg/dL),Insulin Value (u),Duration (hh:mm:ss),"
         "Glucose Rate of Change (mg/dL/min),Transmitter Time (Long Integer)\n",
         0,
         {1, -1, 6, -1, -1, 2},
         {},
         ImportUnit::MgDl,
         UnitSource::Header},
        // No header: the columns from the first row's values.
        {"01/13/2026,08:00,6.1,after lunch\n",
         0,
         {0, 1, 2, -1, 3, -1},
         {},
         ImportUnit::MmolL,
         UnitSource::Assumed},
        {"2026-01-13 08:00,120\n",
         0,
         {0, -1, 1, -1, -1, -1},
         {},
         ImportUnit::MgDl,
         UnitSource::Values},
        {"2026-01-13 08:00,35\n",
         0,
         {0, -1, 1, -1, -1, -1},
         {},
         ImportUnit::MmolL,
         UnitSource::Assumed},
    };
    for (const auto& c : cases) {
        const ColumnMapping m = guessMapping(tableOf(c.csv));
        EXPECT_EQ(m.headerRow, c.headerRow) << c.csv;
        EXPECT_EQ((std::array{m.date, m.time, m.level, m.unit, m.note, m.recordType}), c.columns)
            << c.csv;
        EXPECT_EQ(m.moreLevels, c.moreLevels) << c.csv;
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

TEST(ImportPlanning, OwnExportComesBackAsItWent) {
    for (int16_t unite : {0, 1}) {
        const std::vector<JournalRecord> records =
            unite == 0 ? std::vector<JournalRecord>{{"02/11/2026", "07:05", "05.6", "=a, b"},
                                                    {"01/11/2026", "23:59", "12.0", ""}}
                       : std::vector<JournalRecord>{{"02/11/2026", "07:05", "101", "'-x"},
                                                    {"01/11/2026", "23:59", "054", "@"}};
        const std::vector<Reading> tests = testsOf(records, "dd/MM/yyyy");
        const ImportPlan p = plan(exportCsv(tests, unite), {}, unite);
        ASSERT_TRUE(p.acceptable()) << unite;
        ASSERT_EQ(p.toAdd.size(), 2u);
        for (size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(p.toAdd[i].date, records[i].date);
            EXPECT_EQ(p.toAdd[i].time, records[i].time);
            EXPECT_EQ(p.toAdd[i].level, records[i].level);
            EXPECT_EQ(p.toAdd[i].note, records[i].note);
            EXPECT_EQ(p.toAdd[i].day, tests[i].day);
        }
    }
}

TEST(ImportPlanning, ConvertedToTheJournalsUnitAndPattern) {
    const ImportPlan p = plan("Date;Time;BG (mg/dl)\n13/11/2026;8:30 PM;90\n", {}, 0, "yyyy-MM-dd");
    ASSERT_TRUE(p.acceptable());
    EXPECT_EQ(p.toAdd[0].date, "2026-11-13");
    EXPECT_EQ(p.toAdd[0].time, "20:30");
    EXPECT_EQ(p.toAdd[0].level, "05.0");
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
    std::array<int, kSkipKinds> skipped{};
    skipped[size_t(SkipKind::Insulin)] = 2;
    skipped[size_t(SkipKind::Carbs)] = 1;
    skipped[size_t(SkipKind::Alert)] = 1;
    skipped[size_t(SkipKind::Calibration)] = 1;
    skipped[size_t(SkipKind::Device)] = 1;
    skipped[size_t(SkipKind::Patient)] = 1;
    skipped[size_t(SkipKind::Note)] = 1;
    skipped[size_t(SkipKind::NoGlucose)] = 1;
    skipped[size_t(SkipKind::Other)] = 1;
    EXPECT_EQ(p.skipped, skipped);
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
    EXPECT_EQ(p.toAdd[0].date, "02/11/2026");  // newest first
    EXPECT_EQ(p.toAdd[0].level, "06.0");       // the first row read is kept
    EXPECT_EQ(p.toAdd[1].time, "07:00");
    EXPECT_TRUE(p.acceptable());
    EXPECT_FALSE(plan("date,time,level\n01/11/2026,08:00,6\n", journal).canImport());
}

// Each reason names the line, and a level in the file's own unit.
TEST(ImportPlanning, BadRowsWithLineAndReason) {
    const std::string refusedMmol = std::string(T::kLevelRefused.en) + "25 mmol/L)";
    const std::string refusedMg = std::string(T::kLevelRefused.en) + "450 mg/dl)";
    const struct {
        std::string csv;
        int line;
        std::string reason;
    } cases[] = {
        {"date,time,level,note\n32/11/2026,08:00,5,\n", 2, T::kBadDate.en},
        {"date,time,level,note\n01/12/2026,08:00,5,\n", 2, T::kDateAfterToday.en},
        {"date,time,level,note\n01/11/2026,24:00,5,\n", 2, T::kBadTime.en},
        {"date,time,level,note\n01/11/2026,08:00,abc,\n", 2, T::kBadLevel.en},
        {"date,time,level,note\n01/11/2026,08:01,0,\n", 2, refusedMmol},
        {"date,time,level,note\n01/11/2026,08:02,25.1,\n", 2, refusedMmol},
        {"date,time,mg/dl,note\n01/11/2026,08:02,451,\n", 2, refusedMg},
        {"date,time,level\n01/11/2026,08:02,500\n", 2, refusedMg},
        {"date,time,level,unit\n01/11/2026,08:02,5,kPa\n", 2, T::kBadUnit.en},
        {"date,time,level,note\n01/11/2026,08:03,5,\"say \"\"x\"\"\"\n", 2,
         std::string(T::kUnstorableNote.en) + "\""},
        {"date,time,level,note\n\"01/11/2026\",\"08:05\",\"5\",\"two\nlines\"\n", 2,
         std::string(T::kUnstorableNote.en) + "\\n"},
        {"date;time;level;note\n\n01/11/2026;08:04;5;a; b\n", 3,
         std::string(T::kFieldCountRow.en) + "5" + T::kFieldCountHeader.en + "4" +
             T::kFieldCountWhy.en},
        {"date,time,level,note\n01/11/2026,08:04\n", 2,
         std::string(T::kFieldCountRow.en) + "2" + T::kFieldCountHeader.en + "4" +
             T::kFieldCountWhy.en},
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
    const ImportPlan p = plan(std::string("date,time,level,note\n01/11/2026,08:00,abc,\n") +
                              "30/11/2026,23:59,25,\n");
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
    const std::vector<JournalRecord> records = {{"03/11/2026", "08:00", "05.0", "c"},
                                                {"01/11/2026", "08:00", "05.0", "a"}};
    for (size_t i = 0; i < records.size(); ++i) {
        const size_t slot = i + 1;
        journal->Date_Test.set(slot, records[i].date);
        journal->dayNumber[slot] = dayOf(2026, 11, i == 0 ? 3 : 1);
        journal->Heure_Test.set(slot, records[i].time);
        journal->setLevel(slot, records[i].level);
        journal->Note_Test.set(slot, records[i].note);
    }
    journal->Nb_Tests = 2;
    const ImportPlan p = plan(
        "date,time,level,note\n04/11/2026,08:00,6,d\n02/11/2026,08:00,6,b\n01/11/2026,07:00,6,0\n",
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

std::string sample(const char* name) {
    std::ifstream in(std::string(DEXTREL_IMPORT_SAMPLES) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    EXPECT_FALSE(bytes.str().empty()) << name;
    return bytes.str();
}

TEST(ImportPlanning, SampleExportsReadWithoutHandWork) {
    const struct {
        const char* file;
        size_t headerRow;
        char separator;
        TextEncoding encoding;
        DateOrder order;
        ImportUnit unit;
        size_t added;
        int duplicates, skipped;
        std::vector<int> badLines;
        const char* newest;  // date, time, level (mg/dl) of the newest test
    } cases[] = {
        {"cgm_cloud.csv",
         2,
         ',',
         TextEncoding::Utf8,
         DateOrder::DMY,
         ImportUnit::MmolL,
         4,
         1,
         4,
         {},
         "2026-03-13 07:45 106"},
        {"cgm_events.csv",
         0,
         ',',
         TextEncoding::Utf8,
         DateOrder::YMD,
         ImportUnit::MgDl,
         3,
         0,
         8,
         {12, 14},
         "2026-03-12 08:40 131"},
        {"meter_app.csv",
         0,
         ',',
         TextEncoding::Utf8,
         DateOrder::MDY,
         ImportUnit::MgDl,
         5,
         0,
         0,
         {},
         "2026-03-14 09:00 105"},
        {"diary_semicolon.csv",
         0,
         ';',
         TextEncoding::Windows1252,
         DateOrder::DMY,
         ImportUnit::MmolL,
         2,
         0,
         0,
         {3},
         "2026-03-13 07:25 110"},
    };
    for (const auto& c : cases) {
        const CsvParse parsed = parseCsv(sample(c.file));
        ASSERT_TRUE(parsed.table) << c.file;
        EXPECT_EQ(parsed.separator, c.separator) << c.file;
        EXPECT_EQ(parsed.encoding, c.encoding) << c.file;
        const ColumnMapping m = guessMapping(*parsed.table);
        EXPECT_EQ(m.headerRow, c.headerRow) << c.file;
        EXPECT_EQ(m.order, c.order) << c.file;
        EXPECT_EQ(m.levelUnit, c.unit) << c.file;
        const ImportPlan p = planImport(*parsed.table, m, {}, "yyyy-MM-dd", 1, 0, kToday);
        EXPECT_EQ(p.toAdd.size(), c.added) << c.file;
        EXPECT_EQ(p.duplicates, c.duplicates) << c.file;
        EXPECT_EQ(p.skippedTotal(), c.skipped) << c.file;
        std::vector<int> badLines;
        for (const BadRow& b : p.bad) badLines.push_back(b.line);
        EXPECT_EQ(badLines, c.badLines) << c.file;
        ASSERT_FALSE(p.toAdd.empty()) << c.file;
        const Reading& t = p.toAdd.front();
        EXPECT_EQ(t.date + " " + t.time + " " + std::to_string(int(t.value)), c.newest) << c.file;
    }
}

}  // namespace
}  // namespace dx::report
