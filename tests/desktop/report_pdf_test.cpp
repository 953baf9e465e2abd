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
    const int minutes[] = {19 * 60, 12 * 60 + 30, 7 * 60 + 45};
    for (int d = 0; d < days; ++d) {
        for (int m : minutes) {
            const DateTime at = DateTime::fromDays(last - d);
            const double value = 4.5 + (d * 7 + m) % 60 / 10.0;
            char date[32], time[32], level[32];
            std::snprintf(date, sizeof date, "%04d-%02d-%02d", at.year(), at.month(),
                          at.dayOfMonth());
            std::snprintf(time, sizeof time, "%02d:%02d", m / 60, m % 60);
            std::snprintf(level, sizeof level, "%04.1f", value);
            tests.push_back(
                {date, time, level, d % 5 == 0 ? "after a walk" : "", last - d, m, value});
        }
    }
    return tests;
}

}  // namespace

TEST(ReportPdf, AJournalOfSomeWeeksGivesATextPdfOfSeveralPagesThatRenders) {
    if (!haveTool("pdftotext") || !haveTool("pdfinfo") || !haveTool("pdftoppm"))
        GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const int64_t last = DateTime::fromParts(2026, 11, 30).day();
    const auto content =
        report::reportContent(journalOf(40), {last - 29, last}, 0, 0, "yyyy-MM-dd");
    const QString path = dir.filePath("report.pdf");
    QString error;
    ASSERT_TRUE(writeReportPdf(content, path, &error)) << error.toStdString();
    // Written through a temporary file: nothing else is left in the folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"report.pdf"});

    const std::string file = path.toStdString();
    const std::string text = output("pdftotext '" + file + "' -");
    for (const char* expected :
         {"Glucose report", "From 2026-11-01 to 2026-11-30", "Mean", "GMI (estimate)",
          "Time in ranges", "Time-of-day", "List of tests", "after a walk", "Page 1", "Page 2"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // Tests outside the range are not listed.
    EXPECT_EQ(text.find("2026-10-21"), std::string::npos);

    const std::string info = output("pdfinfo '" + file + "'");
    const auto at = info.find("Pages:");
    ASSERT_NE(at, std::string::npos);
    EXPECT_GT(std::stoi(info.substr(at + 6)), 1);
    EXPECT_NE(info.find("A4"), std::string::npos);

    const QString png = dir.filePath("page");
    ASSERT_EQ(
        std::system(
            ("pdftoppm -r 40 -png -f 1 -l 1 '" + file + "' '" + png.toStdString() + "'").c_str()),
        0);
    EXPECT_FALSE(QDir(dir.path()).entryList({"page*.png"}).isEmpty());
}

TEST(ReportPdf, AnEmptyRangeSaysSoOnOnePage) {
    if (!haveTool("pdftotext")) GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    const auto content = report::reportContent({}, {0, -1}, 1, 1, "dd/MM/yyyy");
    const QString path = dir.filePath("vide.pdf");
    ASSERT_TRUE(writeReportPdf(content, path, nullptr));
    const std::string text = output("pdftotext '" + path.toStdString() + "' -");
    EXPECT_NE(text.find("Rapport glycémique"), std::string::npos);
    EXPECT_NE(text.find("Aucune analyse"), std::string::npos);
    EXPECT_EQ(text.find("Page 2"), std::string::npos);
}

TEST(ReportPdf, AnUnwritableFolderGivesTheReason) {
    QString error;
    EXPECT_FALSE(writeReportPdf(report::reportContent({}, {0, -1}, 0, 0, "yyyy-MM-dd"),
                                "/nonexistent-folder/report.pdf", &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace dx
