// dextrel-report: the figures, the exports and the doctor's report of a
// journal file (Diabete.glc), without the window. Argument handling only:
// everything it prints comes from the report module.

#include <charconv>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "cli_common.h"
#include "import_command.h"
#include "journal/datetext.h"
#include "journal/journal_codec.h"
#include "platform/posix/local_time.h"
#include "platform/posix/posix_locale.h"
#include "platform/text.h"
#include "report/doctor_report.h"
#include "report/exchange.h"
#include "report/profile_texts.h"
#include "report/report_texts.h"
#include "report/statistics.h"
#include "safe_files.h"
#include "settings/numbers.h"

#ifdef DEXTREL_REPORT_PDF
#include <QGuiApplication>

#include "desktop/report_pdf.h"
#endif

namespace {

namespace R = dx::report;
namespace T = dx::report_texts;
namespace P = dx::profile_texts;

constexpr int kBadArguments = 2;
constexpr int kFailed = 1;

struct Options : dx::report_cli::CommonOptions {
    std::string command, journal, output, format;
    std::optional<int> days;
    dx::report::ReportOptions report;
};

std::optional<int> countOf(const std::string& text) {
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return n;
}

// The error, or "" when the arguments hold together.
std::string parseArguments(int argc, char** argv, Options& o) {
    o.langue = dx::report_cli::languageOf(argc, argv);
    if (argc < 2) return dx::pick(T::kCliNoCommand, o.langue);
    o.command = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        const std::string value = hasValue ? argv[i + 1] : "";
        if ((dx::report_cli::isCommonOption(a) || a == "-o" || a == "--days" || a == "--name") &&
            !hasValue)
            return a + dx::pick(T::kCliNeedsValue, o.langue);
        if (a == "--csv" || a == "--json") {
            o.format = a.substr(2);
        } else if (dx::report_cli::isCommonOption(a)) {
            const std::string error = dx::report_cli::takeCommonOption(a, value, o);
            if (!error.empty()) return error;
            ++i;
        } else if (a == "--days") {
            o.days = countOf(value);
            if (!o.days || *o.days < 1) return dx::pick(P::kCliDaysValue, o.langue);
            ++i;
        } else if (a == "--name") {
            o.report.name = argv[++i];
        } else if (a == "--with-list") {
            o.report.withList = true;
        } else if (a == "-o") {
            o.output = argv[++i];
        } else if (!a.empty() && a[0] == '-') {
            return dx::pick(T::kCliUnknownOption, o.langue) + a;
        } else if (o.journal.empty()) {
            o.journal = a;
        } else {
            return dx::pick(T::kCliTwoJournals, o.langue);
        }
    }
    if (o.command != "stats" && o.command != "export" && o.command != "pdf")
        return dx::pick(T::kCliUnknownCommand, o.langue) + o.command;
    if (o.journal.empty()) return dx::pick(T::kCliNoJournal, o.langue);
    if (o.command == "export" && o.format.empty()) return dx::pick(T::kCliExportFormat, o.langue);
    if (o.command == "pdf" && o.output.empty()) return dx::pick(T::kCliPdfOutput, o.langue);
    if (o.from.has_value() != o.to.has_value()) return dx::pick(T::kCliFromTo, o.langue);
    if (o.days && o.from) return dx::pick(P::kCliDaysOrFromTo, o.langue);
    return "";
}

// --from/--to, else the last --days days of the journal; the pdf command
// defaults to the last 14 days, the others to every test.
R::DayRange rangeOf(const Options& o, const std::vector<R::Test>& tests) {
    if (o.from) return {*o.from, *o.to};
    if (o.days) return R::lastDaysOf(tests, *o.days);
    if (o.command == "pdf") return R::lastDaysOf(tests, R::kDefaultProfileDays);
    return R::spanOf(tests);
}

void printStatistics(const R::ReportContent& c) {
    std::cout << c.title << "\n" << c.periodText << "\n\n";
    for (const R::Figure& f : c.figures) std::cout << f.label << ": " << f.value << "\n";
    const int16_t l = c.langue;
    std::cout << "\n"
              << dx::pick(T::kProfile, l) << " (" << c.unitName << ")\n"
              << dx::pick(T::kHour, l) << "\t" << dx::pick(T::kCount, l) << "\t"
              << dx::pick(T::kMedian, l) << "\t" << dx::pick(T::kP25, l) << "\t"
              << dx::pick(T::kP75, l) << "\n";
    for (const R::ProfileRow& r : R::profileRows(c.stats, c.unite))
        if (r.count > 0)
            std::cout << r.hour.substr(0, 2) << "\t" << r.count << "\t" << r.median << "\t" << r.p25
                      << "\t" << r.p75 << "\n";
}

bool writeOut(const Options& o, const std::string& text) {
    if (o.output.empty()) {
        std::cout << text;
        return bool(std::cout);
    }
    std::string error;
    if (dx::report_files::writeOutput(o.output, text, error)) return true;
    std::cerr << "dextrel-report: " << dx::pick(T::kCannotWrite, o.langue) << o.output << ": "
              << error << "\n";
    return false;
}

// Why the output may not be written, or "": it must not be the journal read.
std::string refusedOutput(const Options& o) {
    if (o.output.empty() || !dx::report_files::isOneOf(o.output, {o.journal})) return "";
    return dx::report_files::outputIsInputMessage(o.output, o.langue);
}

int writePdf(const Options& o, const R::ReportContent& content, int argc, char** argv) {
#ifdef DEXTREL_REPORT_PDF
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QString error;
    // Painted into a private folder first, then written as every output is.
    const std::optional<std::string> pdf =
        dx::report_files::renderedFile([&](const std::string& path) {
            return dx::writeReportPdf(content, QString::fromStdString(path), &error);
        });
    if (pdf && writeOut(o, *pdf)) return 0;
    if (!pdf)
        std::cerr << "dextrel-report: " << dx::pick(T::kCannotWrite, o.langue)
                  << error.toStdString() << "\n";
    return kFailed;
#else
    (void)o, (void)content, (void)argc, (void)argv;
    std::cerr << "dextrel-report: " << dx::pick(T::kCliNoPdf, o.langue) << "\n";
    return kFailed;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << dx::pick(T::kCliUsage, dx::report_cli::languageOf(argc, argv))
                  << dx::pick(T::kCliImportUsage, dx::report_cli::languageOf(argc, argv));
        return 0;
    }
    if (argc >= 2 && std::string(argv[1]) == "import") return dx::runImportCommand(argc, argv);
    Options o;
    if (const std::string error = parseArguments(argc, argv, o); !error.empty()) {
        std::cerr << "dextrel-report: " << error << "\n" << dx::pick(T::kCliUsage, o.langue);
        return kBadArguments;
    }
    if (const std::string refusal = refusedOutput(o); !refusal.empty()) {
        std::cerr << "dextrel-report: " << refusal << "\n";
        return kFailed;
    }
    std::string why;
    const auto bytes = dx::report_files::readInput(o.journal, o.langue, why);
    if (!bytes) {
        std::cerr << "dextrel-report: " << why << "\n";
        return kFailed;
    }
    const dx::ParsedJournal parsed = dx::parseJournal(*bytes, dx::kMaxTests);
    if (parsed.stop != dx::ParsedJournal::Stop::None)
        std::cerr << "dextrel-report: " << o.journal << dx::pick(T::kCliReadingStopped, o.langue)
                  << parsed.stopLine << "\n";
    const std::vector<R::Test> all = R::testsOf(parsed.tests, o.datePattern);
    if (all.empty()) {
        std::cerr << "dextrel-report: " << dx::report_files::noTestMessage(o.journal, o.langue)
                  << "\n";
        return kFailed;
    }
    const R::DayRange range = rangeOf(o, all);

    if (o.command == "export") {
        const std::vector<R::Test> tests = o.from || o.days ? R::testsIn(all, range) : all;
        return writeOut(o, o.format == "csv"
                               ? R::exportCsv(tests, o.unite)
                               : R::exportNightscoutJson(tests, o.unite, dx::systemUtcOffset))
                   ? 0
                   : kFailed;
    }
    Options withDay = o;
    withDay.report.createdDay = dx::report_cli::localToday();
    const R::ReportContent content =
        R::reportContent(all, range, o.unite, o.langue, o.datePattern, withDay.report);
    if (o.command == "pdf") return writePdf(o, content, argc, argv);
    printStatistics(content);
    return 0;
}
