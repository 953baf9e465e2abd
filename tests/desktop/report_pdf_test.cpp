#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "desktop/report_pdf.h"
#include "platform/datetime.h"
#include "report/doctor_report.h"

namespace dx {

namespace {

bool haveTool(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string output(const std::string& command) {
    std::string out;
    if (FILE* f = popen(command.c_str(), "r")) {
        char buf[4096];
        for (size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;) out.append(buf, n);
        pclose(f);
    }
    return out;
}

// days days of tests ending on 2026-11-30, three a day, newest first.
std::vector<report::Test> journalOf(int days) {
    std::vector<report::Test> tests;
    const int64_t last = DateTime::fromParts(2026, 11, 30).day();
    for (int d = 0; d < days; ++d) {
        for (int m : {19 * 60, 12 * 60 + 30, 7 * 60 + 45}) {
            const DateTime at = DateTime::fromDays(last - d);
            const double value = 4.5 + (d * 7 + m) % 60 / 10.0;
            char text[64];
            std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d %04.1f", at.year(),
                          at.month(), at.dayOfMonth(), m / 60, m % 60, value);
            const std::string s = text;
            tests.push_back({s.substr(0, 10), s.substr(11, 5), s.substr(17),
                             d % 5 == 0 ? "after a walk" : "", last - d, m, value});
        }
    }
    return tests;
}

int pagesOf(const std::string& pdfinfo) {
    const auto at = pdfinfo.find("Pages:");
    return at == std::string::npos ? 0 : std::stoi(pdfinfo.substr(at + 6));
}

}  // namespace

TEST(ReportPdf, TheProfileIsOnePageInEitherLanguageAndUnitTheListAnAppendix) {
    if (!haveTool("pdftotext") || !haveTool("pdfinfo") || !haveTool("pdftoppm"))
        GTEST_SKIP() << "poppler-utils is not installed";
    struct Case {
        int16_t unite, langue;
        int days;  // of tests; none makes the range empty
        bool withList;
        int pages;
        std::vector<const char*> shown, absent;
    };
    const Case cases[] = {
        {0,
         0,
         40,
         true,
         3,
         {"Glucose profile", "Name: Ann Example", "From 2026-11-01 to 2026-11-30 (30 days)",
          "Created 2026-12-01", "Time in ranges", "In range (3.9 - 10.0)", "goal > 70 %",
          "goal ≤ 36 %", "Readings per day", "Days with data", "30 of 30 days", "Modal day",
          "median",
          "Too few readings for the percentiles: 00:00-07:00, 08:30-12:00, "
          "13:30-18:30, 20:00-24:00",
          "Daily profiles", "2026-11-17", "Appendix: list of tests", "after a walk", "Page 2"},
         {"2026-10-21", "2026-10-31"}},
        {1,
         1,
         40,
         false,
         1,
         {"Profil glycémique", "Nom : Ann Example", "Du 2026-11-01 au 2026-11-30 (30 jours)",
          "Temps dans les plages", "Dans la cible (70 - 180)", "objectif < 4 %", "mg/dl",
          "Journée type", "Profils quotidiens", "Trop peu d'analyses"},
         {"Annexe", "after a walk", "Page 2"}},
        // An empty range says so on one page.
        {1, 1, 0, false, 1, {"Profil glycémique", "Aucune analyse"}, {"Page 2"}},
    };
    const int64_t last = DateTime::fromParts(2026, 11, 30).day();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.langue) + " with " + std::to_string(c.days) + " days");
        std::vector<report::Test> tests = journalOf(c.days);
        if (c.unite == 1)
            for (report::Test& t : tests) t.value *= 18;
        const report::ReportOptions options{
            .name = "Ann Example", .withList = c.withList, .createdDay = last + 1};
        const report::DayRange range =
            c.days > 0 ? report::DayRange{last - 29, last} : report::DayRange{0, -1};
        const auto content =
            report::reportContent(tests, range, c.unite, c.langue, "yyyy-MM-dd", options);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath("report.pdf");
        QString error;
        ASSERT_TRUE(writeReportPdf(content, path, &error)) << error.toStdString();
        // Written through a temporary file: nothing else is left in the folder.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"report.pdf"});

        const std::string file = path.toStdString();
        std::string text = output("pdftotext -nopgbrk '" + file + "' -");
        for (char& ch : text)
            if (ch == '\n') ch = ' ';
        for (const char* expected : c.shown)
            EXPECT_NE(text.find(expected), std::string::npos) << expected;
        for (const char* unexpected : c.absent)
            EXPECT_EQ(text.find(unexpected), std::string::npos) << unexpected;
        const std::string info = output("pdfinfo '" + file + "'");
        EXPECT_EQ(pagesOf(info), c.pages);
        EXPECT_NE(info.find("A4"), std::string::npos);

        const QString png = dir.filePath("page");
        ASSERT_EQ(
            std::system(("pdftoppm -r 40 -png -f 1 -l 1 '" + file + "' '" + png.toStdString() + "'")
                            .c_str()),
            0);
        EXPECT_FALSE(QDir(dir.path()).entryList({"page*.png"}).isEmpty());
    }
}

TEST(ReportPdf, AnUnwritableFolderGivesTheReason) {
    QString error;
    EXPECT_FALSE(writeReportPdf(report::reportContent({}, {0, -1}, 0, 0, "yyyy-MM-dd"),
                                "/nonexistent-folder/report.pdf", &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace dx
