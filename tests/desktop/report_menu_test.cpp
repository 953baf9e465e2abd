// The Report menu and its dialogs on the offscreen platform: the dialogs run
// through the menu's replaceable hooks, the boxes are the scripted ones.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "../../tools/replay/scripted_platform.h"
#include "desktop/main_window.h"
#include "desktop/report_dialogs.h"
#include "desktop/report_menu.h"
#include "journal/datetext.h"
#include "journal/journal_codec.h"
#include "window/fenetre.h"

namespace dx {

namespace {

enum Item { Logbook, Statistics, ExportCsv, ExportJson, ImportCsv, DoctorPdf, PrintDoctor };

// Newest first, as the journal file holds them; the clock stands on the
// newest day.
const char* const kJournal =
    "\"2000-01-08\",\"08:00\",\"05.6\",\"\"\r\n"
    "\"2000-01-06\",\"12:30\",\"09.1\",\"lunch\"\r\n"
    "\"2000-01-06\",\"07:10\",\"04.2\",\"Before lunch walk\"\r\n"
    "\"1999-12-28\",\"07:45\",\"06.2\",\"\"\r\n";

class ReportMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        std::filesystem::create_directories(path("prog").toStdString());
        std::filesystem::create_directories(path("settings").toStdString());
        sp.env.program = path("prog/").toStdString();
        sp.env.settings = path("settings/").toStdString();
        sp.clock.set(DateTime::fromParts(2000, 1, 8, 9, 15, 0));
        sp.emit = [this](const std::string& line) {
            if (line.find("\"msgbox\"") != std::string::npos) boxes.push_back(line);
        };
    }
    void TearDown() override {
        window.reset();
        core.reset();
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    void start(const std::string& journal = kJournal) {
        std::ofstream(path("prog/Diabete.glc").toStdString(), std::ios::binary) << journal;
        core = std::make_unique<Fenetre>(sp.platform);
        window = std::make_unique<MainWindow>(*core);
        window->startProgram();
        window->show();
        menu().askSavePath = [this](const QString&, const QString&, const QString&) {
            return savePath;
        };
        menu().askOpenPath = [this](const QString&, const QString&) { return openPath; };
    }

    ReportMenu& menu() const { return window->reportMenu(); }

    // Triggers an item; `drive` acts on the dialog it opens, which ends as
    // `drive` left it (accepted by its OK button, or rejected).
    template <class D>
    void run(Item item, const std::function<void(D&)>& drive) {
        bool opened = false;
        menu().runDialog = [&](QDialog& dialog) {
            auto* d = dynamic_cast<D*>(&dialog);
            EXPECT_NE(d, nullptr);
            if (d == nullptr) return int(QDialog::Rejected);
            opened = true;
            drive(*d);
            return dialog.result();
        };
        menu().items()[item]->trigger();
        EXPECT_TRUE(opened);
    }

    template <class W = QWidget>
    static W* child(const QWidget& d, const char* name) {
        auto* w = d.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    static std::vector<std::string> column(const QTableWidget* table, int c) {
        std::vector<std::string> out;
        for (int r = 0; r < table->rowCount(); ++r)
            out.push_back(table->item(r, c) ? table->item(r, c)->text().toStdString() : "");
        return out;
    }

    std::string journalBytes() const { return journalFileBytes(core->journal); }

    QString writeFile(const QString& name, const std::string& bytes) const {
        std::ofstream(path(name).toStdString(), std::ios::binary) << bytes;
        return path(name);
    }
    static std::string readFile(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }
    // What the window shows of the journal: the chart's visible segments,
    // the counts beside it and the level display.
    std::string chartShown() const {
        std::string out;
        const LineArray& lines = core->Ligne;
        for (size_t i = 1; i < lines.size(); ++i) {
            if (!lines[i] || !lines[i]->visible) continue;
            for (double v : {lines[i]->x1, lines[i]->y1, lines[i]->x2, lines[i]->y2})
                out += std::to_string(static_cast<int>(v)) + ",";
            out += ' ';
        }
        return out + "| " + core->Cadre_Resultats.caption + " " + core->Aff_Res_Optim.caption +
               "/" + core->Aff_Res_Sub_Optim.caption + "/" + core->Aff_Res_Compro.caption + " | " +
               core->Aff_Resultat.caption + " " + core->Aff_Heure.caption;
    }
    // The chart a window started on the journal as it now stands would show.
    std::string chartOfAFreshStart() {
        const std::string bytes = journalBytes();
        window.reset();
        core.reset();
        start(bytes);
        return chartShown();
    }

    // Triggers an item that must open no dialog.
    void expectNoDialogFrom(Item item) {
        bool opened = false;
        menu().runDialog = [&](QDialog&) { return opened = true, 0; };
        menu().items()[item]->trigger();
        EXPECT_FALSE(opened);
    }

    bool lastBoxSays(const std::string& text) const {
        return !boxes.empty() && boxes.back().find(text) != std::string::npos;
    }

    QTemporaryDir dir;
    ScriptedPlatform sp;
    std::unique_ptr<Fenetre> core;
    std::unique_ptr<MainWindow> window;
    std::vector<std::string> boxes;
    QString savePath, openPath;
};

}  // namespace

TEST_F(ReportMenuTest, IsTheLastMenuWithItsItemsInBothLanguagesAndWaitsForTheEntryPanel) {
    start();
    const QList<QAction*> bar = window->menuBar()->actions();
    ASSERT_FALSE(bar.isEmpty());
    EXPECT_EQ(bar.back(), menu().menu()->menuAction());

    const struct {
        int16_t langue;
        std::vector<const char*> captions;
    } languages[] = {
        {0,
         {"&Report", "&Logbook...", "&Statistics...", "Export &CSV...",
          "Export &JSON (Nightscout)...", "&Import CSV...", "&Doctor's report (PDF)...",
          "&Print doctor's report..."}},
        {1,
         {"&Rapport", "&Journal de bord...", "&Statistiques...", "Exporter en &CSV...",
          "Exporter en JSON (&Nightscout)...", "&Importer un CSV...",
          "Rapport pour le &médecin (PDF)...", "Im&primer le rapport pour le médecin..."}},
    };
    for (const auto& l : languages) {
        core->settings.Langue = l.langue;
        window->render();
        EXPECT_EQ(menu().menu()->title().toStdString(), l.captions[0]);
        ASSERT_EQ(menu().items().size(), 7u);
        ASSERT_EQ(menu().menu()->actions().size(), 7);
        QSet<QChar> keys;
        for (size_t i = 0; i < 7; ++i) {
            const QString text = menu().items()[i]->text();
            EXPECT_EQ(text.toStdString(), l.captions[i + 1]);
            EXPECT_TRUE(menu().items()[i]->isEnabled());
            // One access key an item, none shared within the menu.
            EXPECT_EQ(text.count('&'), 1) << text.toStdString();
            keys.insert(text.at(text.indexOf('&') + 1).toLower());
        }
        EXPECT_EQ(keys.size(), 7);
        // The dialogs speak the window's language too.
        run<LogbookDialog>(Logbook, [&](LogbookDialog& d) {
            EXPECT_EQ(d.windowTitle().toStdString(), l.langue == 1 ? "Journal de bord" : "Logbook");
            EXPECT_EQ(child<QPushButton>(d, "logbookDelete")->text().toStdString(),
                      l.langue == 1 ? "Supprimer" : "Delete");
        });
    }

    // The entry panel's menu command turns the report commands off, its
    // Cancel button back on; a forced trigger meanwhile opens nothing.
    window->actionOf("Menu_Ajouter")->trigger();
    ASSERT_TRUE(core->Cadre_Ajouter.visible);
    for (QAction* a : menu().items()) EXPECT_FALSE(a->isEnabled());
    menu().items()[Logbook]->setEnabled(true);
    expectNoDialogFrom(Logbook);
    EXPECT_FALSE(menu().items()[Logbook]->isEnabled());
    qobject_cast<QPushButton*>(window->widgetOf("Bout_Cancel"))->click();
    for (QAction* a : menu().items()) EXPECT_TRUE(a->isEnabled());
}

TEST_F(ReportMenuTest, LogbookListsTheJournalNewestFirstAndFilters) {
    start();
    run<LogbookDialog>(Logbook, [&](LogbookDialog& d) {
        auto* table = child<QTableWidget>(d, "logbookTable");
        EXPECT_EQ(column(table, 0), (std::vector<std::string>{"2000-01-08", "2000-01-06",
                                                              "2000-01-06", "1999-12-28"}));
        EXPECT_EQ(column(table, 2), (std::vector<std::string>{"05.6", "09.1", "04.2", "06.2"}));

        const struct {
            const char *word, *from, *to;
            std::vector<std::string> times;
        } filters[] = {
            {"LUNCH", "", "", {"12:30", "07:10"}},
            {"walk", "", "", {"07:10"}},
            {"", "2000-01-01", "", {"08:00", "12:30", "07:10"}},
            {"", "", "2000-01-06", {"12:30", "07:10", "07:45"}},
            {"", "2000-01-06", "2000-01-06", {"12:30", "07:10"}},
            {"lunch", "2000-01-07", "", {}},
            {"", "not a date", "", {"08:00", "12:30", "07:10", "07:45"}},
        };
        for (const auto& f : filters) {
            SCOPED_TRACE(std::string(f.word) + "|" + f.from + "|" + f.to);
            child<QLineEdit>(d, "logbookSearch")->setText(f.word);
            child<QLineEdit>(d, "logbookFrom")->setText(f.from);
            child<QLineEdit>(d, "logbookTo")->setText(f.to);
            EXPECT_EQ(column(table, 1), f.times);
        }
    });
}

TEST_F(ReportMenuTest, LogbookEditsAndDeletesGoIntoTheJournalUndoOneStepRefusalsNothing) {
    start();
    const std::string before = journalBytes();
    run<LogbookDialog>(Logbook, [&](LogbookDialog& d) {
        auto* table = child<QTableWidget>(d, "logbookTable");
        auto* level = child<QLineEdit>(d, "logbookLevel");
        auto* edit = child<QPushButton>(d, "logbookEdit");
        auto* undo = child<QPushButton>(d, "logbookUndo");
        EXPECT_FALSE(edit->isEnabled());
        EXPECT_FALSE(undo->isEnabled());
        table->selectRow(1);
        EXPECT_EQ(level->text(), "09.1");
        EXPECT_EQ(child<QLineEdit>(d, "logbookNote")->text(), "lunch");

        // A refused level: the entry panel's message, the journal as it was.
        level->setText("0");
        edit->click();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find("\"icon\":\"exclamation\""), std::string::npos);
        EXPECT_EQ(journalBytes(), before);
        EXPECT_FALSE(window->actionOf("Menu_Sauve")->isEnabled());
        EXPECT_EQ(level->text(), "09.1");

        table->selectRow(2);
        child<QPushButton>(d, "logbookDelete")->click();
        EXPECT_EQ(core->journal.Nb_Tests, 3);
        EXPECT_EQ(column(table, 1), (std::vector<std::string>{"08:00", "12:30", "07:45"}));
        ASSERT_TRUE(undo->isEnabled());
        undo->click();
        EXPECT_EQ(journalBytes(), before);
        EXPECT_EQ(table->rowCount(), 4);
        EXPECT_FALSE(undo->isEnabled());  // one step only

        table->selectRow(1);
        level->setText("8.4");
        child<QLineEdit>(d, "logbookNote")->setText("late lunch");
        edit->click();
        EXPECT_EQ(boxes.size(), 1u);
        EXPECT_EQ(core->journal.Note_Test[2], "late lunch");
        EXPECT_DOUBLE_EQ(core->journal.levelNumber[2], 8.4);
        EXPECT_EQ(column(table, 2)[1], "08.4");
        EXPECT_TRUE(undo->isEnabled());
    });
}

// After each change made from the Report menu, the chart, its counts and
// the level display are those of the journal as it now stands, before any
// save.
TEST_F(ReportMenuTest, TheWindowIsRedrawnAtOnceAfterEachChangeOfTheJournal) {
    struct Case {
        const char* what;
        std::function<void()> change;
    };
    // Selects a row, then sets its level and edits, or deletes (and undoes).
    const auto inLogbook = [this](int row, const char* level, bool undo = false) {
        return [=, this] {
            run<LogbookDialog>(Logbook, [&](LogbookDialog& d) {
                child<QTableWidget>(d, "logbookTable")->selectRow(row);
                if (level != nullptr) {
                    child<QLineEdit>(d, "logbookLevel")->setText(level);
                    child<QPushButton>(d, "logbookEdit")->click();
                    return;
                }
                child<QPushButton>(d, "logbookDelete")->click();
                if (undo) child<QPushButton>(d, "logbookUndo")->click();
            });
        };
    };
    const Case cases[] = {
        {"edit", inLogbook(0, "11.3")},
        {"delete", inLogbook(0, nullptr)},
        {"undo", inLogbook(1, nullptr, true)},
        {"import",
         [this] {
             openPath = writeFile("more.csv",
                                  "date,time,mmol_l,note\r\n"
                                  "2000-01-07,09:00,12.5,\r\n"
                                  "2000-01-05,18:00,3.1,\r\n");
             run<ImportDialog>(ImportCsv,
                               [](ImportDialog& d) { child<QPushButton>(d, "importOk")->click(); });
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        start();
        const std::string before = chartShown();
        c.change();
        const std::string after = chartShown();
        if (std::string(c.what) != "undo") {
            EXPECT_NE(after, before);
        }
        EXPECT_NE(after.find(" results "), std::string::npos) << after;
        // The window shows the journal unsaved at once.
        EXPECT_TRUE(window->actionOf("Menu_Sauve")->isEnabled());
        EXPECT_EQ(after, chartOfAFreshStart());
    }
}

TEST_F(ReportMenuTest, ExportsWriteTheJournalOldestFirstOrTellWhyNot) {
    start();
    savePath = path("tests.csv");
    menu().items()[ExportCsv]->trigger();
    EXPECT_EQ(readFile(savePath),
              "date,time,mmol_l,mg_dl,note\r\n"
              "1999-12-28,07:45,6.2,112,\r\n"
              "2000-01-06,07:10,4.2,76,Before lunch walk\r\n"
              "2000-01-06,12:30,9.1,164,lunch\r\n"
              "2000-01-08,08:00,5.6,101,\r\n");
    EXPECT_TRUE(lastBoxSays("4 tests exported."));

    savePath = path("tests.json");
    menu().items()[ExportJson]->trigger();
    const std::string json = readFile(savePath);
    ASSERT_FALSE(json.empty());
    EXPECT_EQ(json.front(), '[');
    EXPECT_NE(json.find("\"mbg\":112"), std::string::npos);
    EXPECT_NE(json.find("\"dateString\":\"1999-12-28T07:45:00"), std::string::npos);
    EXPECT_TRUE(lastBoxSays("4 tests exported."));

    // No folder to write in: the reason is told, nothing is left behind.
    savePath = path("missing/tests.csv");
    menu().items()[ExportCsv]->trigger();
    EXPECT_TRUE(lastBoxSays("The file could not be written: "));
    EXPECT_FALSE(QFile::exists(savePath));

    // A cancelled file dialog writes nothing and says nothing.
    const size_t told = boxes.size();
    savePath.clear();
    menu().items()[ExportCsv]->trigger();
    EXPECT_EQ(boxes.size(), told);
}

TEST_F(ReportMenuTest, ImportAddsNewTestsInOrderAndCountsDuplicates) {
    start();
    openPath = writeFile("in.csv",
                         "date,time,mmol_l,mg_dl,note\r\n"
                         "2000-01-06,12:30,9.1,164,lunch\r\n"
                         "2000-01-07,18:00,7.5,135,dinner\r\n"
                         "2000-01-02,06:00,5.0,90,\r\n");
    run<ImportDialog>(ImportCsv, [&](ImportDialog& d) {
        EXPECT_EQ(child<QLabel>(d, "importCounts")->text(),
                  "2 tests to add, 1 duplicates skipped, 0 bad rows");
        EXPECT_EQ(child<QTableWidget>(d, "importBad")->rowCount(), 0);
        EXPECT_EQ(column(child<QTableWidget>(d, "importFirstRows"), 3),
                  (std::vector<std::string>{"dinner", ""}));
        auto* ok = child<QPushButton>(d, "importOk");
        ASSERT_TRUE(ok->isEnabled());
        ok->click();
    });
    ASSERT_EQ(core->journal.Nb_Tests, 6);
    std::string dates;
    for (size_t i = 1; i <= 6; ++i) dates.append(core->journal.Date_Test[i]).append(" ");
    EXPECT_EQ(dates, "2000-01-08 2000-01-07 2000-01-06 2000-01-06 2000-01-02 1999-12-28 ");
    EXPECT_TRUE(lastBoxSays("2 tests added to the journal."));
}

TEST_F(ReportMenuTest, ABadFileOrABadRowImportsNothing) {
    start();
    const std::string before = journalBytes();

    // One row after today: the row is listed with its line and reason, and
    // "Import nothing" leaves the journal as it was.
    openPath = writeFile("late.csv",
                         "date,time,mmol_l,mg_dl,note\r\n"
                         "2000-01-07,18:00,7.5,135,\r\n"
                         "2000-02-01,08:00,6.0,108,\r\n");
    run<ImportDialog>(ImportCsv, [&](ImportDialog& d) {
        auto* bad = child<QTableWidget>(d, "importBad");
        ASSERT_EQ(bad->rowCount(), 1);
        EXPECT_EQ(bad->item(0, 0)->text(), "3");
        EXPECT_EQ(bad->item(0, 1)->text(), "the date is after today");
        EXPECT_EQ(child<QLabel>(d, "importHeaderLine")->text(), "1");
        EXPECT_EQ(child<QLabel>(d, "importSeparator")->text(), ",");
        EXPECT_EQ(child<QLabel>(d, "importEncoding")->text(), "UTF-8");
        EXPECT_EQ(child<QPushButton>(d, "importOk")->text(), "Import the good rows");
        EXPECT_TRUE(child<QPushButton>(d, "importOk")->isEnabled());
        child<QPushButton>(d, "importCancel")->click();
    });
    EXPECT_EQ(journalBytes(), before);

    // The mapping changes the plan at once: no level column makes every row
    // bad.
    run<ImportDialog>(ImportCsv, [&](ImportDialog& d) {
        child<QComboBox>(d, "importLevel")->setCurrentIndex(0);
        EXPECT_EQ(child<QTableWidget>(d, "importBad")->rowCount(), 2);
        child<QComboBox>(d, "importLevel")->setCurrentIndex(3);
        EXPECT_EQ(child<QTableWidget>(d, "importBad")->rowCount(), 1);
    });
    EXPECT_EQ(journalBytes(), before);

    // A file that does not read as CSV opens no mapping at all.
    openPath = writeFile("broken.csv", "date,time\r\n\"2000-01-07,18:00\r\n");
    expectNoDialogFrom(ImportCsv);
    EXPECT_TRUE(lastBoxSays("The file cannot be read as CSV: "));
    EXPECT_EQ(journalBytes(), before);
    EXPECT_FALSE(window->actionOf("Menu_Sauve")->isEnabled());
}

TEST_F(ReportMenuTest, StatisticsFollowTheRangeChosen) {
    start();
    run<StatisticsDialog>(Statistics, [&](StatisticsDialog& d) {
        auto* figures = child<QTableWidget>(d, "statisticsFigures");
        auto* profile = child<QTableWidget>(d, "statisticsProfile");
        auto testsShown = [&] { return column(figures, 1).at(0); };
        ASSERT_EQ(column(figures, 0).at(0), "Tests");
        EXPECT_EQ(testsShown(), "3");  // the week on show ends on the 8th
        auto* choice = child<QComboBox>(d, "rangeChoice");
        choice->setCurrentIndex(RangeChooser::All);
        EXPECT_EQ(testsShown(), "4");
        ASSERT_EQ(profile->rowCount(), 24);
        EXPECT_EQ(column(profile, 4).at(7), "2");
        EXPECT_EQ(column(profile, 1).at(7), "5.2");  // the median of 4.2 and 6.2
        EXPECT_EQ(column(profile, 1).at(3), "");
        choice->setCurrentIndex(RangeChooser::Typed);
        child<QLineEdit>(d, "rangeFrom")->setText("2000-01-06");
        child<QLineEdit>(d, "rangeTo")->setText("2000-01-06");
        EXPECT_EQ(testsShown(), "2");
    });
}

// The statistics show the modal day the report's first page draws: the
// median where enough readings fall, the rest marked as too few.
TEST_F(ReportMenuTest, StatisticsDrawTheModalDayOfTheRange) {
    std::string journal;
    for (int day = 0; day < 10; ++day) {
        const DateTime date = DateTime::fromDays(DateTime::fromParts(2000, 1, 8).day() - day);
        for (const char* time : {"19:00", "07:30"}) {
            journal += "\"" + formatShortDate(date, "yyyy-MM-dd") + "\",\"" + time + "\",\"0" +
                       std::to_string(5 + day % 4) + ".0\",\"\"\r\n";
        }
    }
    start(journal);
    const auto medianPixels = [](QWidget* w) {
        const QImage img = w->grab().toImage();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += QColor(img.pixel(x, y)) == QColor(15, 40, 100);
        return n;
    };
    run<StatisticsDialog>(Statistics, [&](StatisticsDialog& d) {
        d.show();
        auto* chart = child<ModalDayWidget>(d, "statisticsModalDay");
        auto* sparse = child<QLabel>(d, "statisticsSparse");
        // One day: too few readings anywhere, only the legend's swatch.
        child<QComboBox>(d, "rangeChoice")->setCurrentIndex(RangeChooser::Typed);
        child<QLineEdit>(d, "rangeFrom")->setText("2000-01-08");
        child<QLineEdit>(d, "rangeTo")->setText("2000-01-08");
        EXPECT_FALSE(chart->day()[15].enough);
        const int legendOnly = medianPixels(chart);

        child<QComboBox>(d, "rangeChoice")->setCurrentIndex(RangeChooser::All);
        EXPECT_TRUE(chart->day()[15].enough);  // 07:30, ten readings
        EXPECT_FALSE(chart->day()[30].enough);
        EXPECT_GT(medianPixels(chart), legendOnly + 50);
        EXPECT_EQ(sparse->text().toStdString(),
                  "Too few readings for the percentiles: 00:00-07:00, 08:30-18:30, 20:00-24:00");
    });
}

TEST_F(ReportMenuTest, TheDoctorsReportIsWrittenAsPdfAndPrinted) {
    start();
    savePath = path("report.pdf");
    run<DoctorReportDialog>(DoctorPdf, [&](DoctorReportDialog& d) {
        auto* choice = child<QComboBox>(d, "rangeChoice");
        EXPECT_EQ(choice->currentText(), "Last 14 days");
        EXPECT_FALSE(child<QCheckBox>(d, "doctorWithList")->isChecked());
        choice->setCurrentIndex(RangeChooser::All);
        EXPECT_TRUE(child<QLabel>(d, "doctorSummary")->text().endsWith(": 4"));
        child<QLineEdit>(d, "doctorName")->setText("  Ann Example ");
        child<QCheckBox>(d, "doctorWithList")->setChecked(true);
        child<QPushButton>(d, "doctorOk")->click();
    });
    ASSERT_TRUE(QFile::exists(savePath));
    // Where it went is said.
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(lastBoxSays("Report saved to " + savePath.toStdString())) << boxes.back();
    QProcess text;
    text.start("pdftotext", {savePath, "-"});
    if (text.waitForFinished(20000)) {
        const QString out = QString::fromUtf8(text.readAllStandardOutput());
        for (const char* shown :
             {"Glucose profile", "Name: Ann Example", "Created 2000-01-08",
              "From 1999-12-28 to 2000-01-08", "Appendix: list of tests", "Before lunch walk"})
            EXPECT_TRUE(out.contains(QString::fromUtf8(shown))) << shown;
    }
    boxes.clear();

    // Cancelled: no file dialog is asked for.
    savePath = path("never.pdf");
    run<DoctorReportDialog>(
        DoctorPdf, [&](DoctorReportDialog& d) { child<QPushButton>(d, "doctorCancel")->click(); });
    EXPECT_FALSE(QFile::exists(savePath));

    const QString printed = path("printed.pdf");
    menu().askPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        return true;
    };
    run<DoctorReportDialog>(
        PrintDoctor, [&](DoctorReportDialog& d) { child<QPushButton>(d, "doctorOk")->click(); });
    EXPECT_EQ(readFile(printed).substr(0, 5), "%PDF-");
    EXPECT_TRUE(boxes.empty());
}

// The pictures of the user guide, written only when DEXTREL_SHOTS names a
// folder: each dialog as it opens on three weeks of tests (the statistics
// on all of them), the export's file dialog, the first page of the
// doctor's report (the glucose profile) and the first page of its appendix.
TEST_F(ReportMenuTest, PicturesForTheGuide) {
    const char* folder = std::getenv("DEXTREL_SHOTS");
    if (folder == nullptr || *folder == '\0') GTEST_SKIP() << "DEXTREL_SHOTS is not set";
    const QDir shots(QString::fromLocal8Bit(folder));
    ASSERT_TRUE(shots.mkpath("."));
    std::string journal;
    const char* const notes[] = {"", "coffee", "", "after a walk"};
    for (int day = 0; day < 21; ++day) {
        const DateTime date = DateTime::fromDays(DateTime::fromParts(2000, 1, 8).day() - day);
        const char* const times[] = {"21:30", "18:45", "12:30", "07:15"};
        for (int t = 0; t < 4; ++t) {
            const double level = 5.2 + ((day * 7 + t * 3) % 11) * 0.6;
            char line[96];
            std::snprintf(line, sizeof line, "\"%s\",\"%s\",\"%04.1f\",\"%s\"\r\n",
                          formatShortDate(date, "yyyy-MM-dd").c_str(), times[t], level,
                          notes[(day + t) % 4]);
            journal += line;
        }
    }
    start(journal);
    auto shoot = [&](QWidget& w, const char* name) {
        w.show();
        QApplication::processEvents();
        EXPECT_TRUE(w.grab().save(shots.filePath(QString::fromLatin1(name))));
    };
    run<LogbookDialog>(Logbook, [&](LogbookDialog& d) {
        child<QTableWidget>(d, "logbookTable")->selectRow(1);
        shoot(d, "report-logbook.png");
    });
    run<StatisticsDialog>(Statistics, [&](StatisticsDialog& d) {
        child<QComboBox>(d, "rangeChoice")->setCurrentIndex(RangeChooser::All);
        shoot(d, "report-statistics.png");
    });
    openPath = writeFile("cgm.csv",
                         "Glucose Data,Generated on,07-01-2000 10:02,Generated by,Jane\r\n"
                         "Patient,Jane,,,,\r\n"
                         "Device,Device Timestamp,Record Type,Historic Glucose mg/dL,"
                         "Scan Glucose mg/dL,Rapid-Acting Insulin (units)\r\n"
                         "Sensor,05-01-2000 08:15,0,112,,\r\n"
                         "Sensor,05-01-2000 08:30,1,,118,\r\n"
                         "Sensor,05-01-2000 08:35,4,,,6\r\n"
                         "Sensor,05-01-2000 08:45,0,,,\r\n"
                         "Sensor,05-01-2000 09:00,0,620,,\r\n"
                         "Sensor,05-01-2000 09:15,0,131,,\r\n");
    run<ImportDialog>(ImportCsv, [&](ImportDialog& d) {
        EXPECT_EQ(child<QLabel>(d, "importHeaderLine")->text(), "3");
        EXPECT_EQ(child<QLabel>(d, "importCounts")->text(),
                  "3 tests to add, 0 duplicates skipped, 2 rows without a reading skipped "
                  "(insulin 1, no glucose 1), 1 bad rows");
        shoot(d, "report-import.png");
    });
    menu().askSavePath = [&](const QString& caption, const QString&, const QString& filter) {
        QFileDialog dialog(nullptr, caption, path("prog"), filter);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.selectFile("dextrel.csv");
        shoot(dialog, "report-export.png");
        return path("dextrel.csv");
    };
    menu().items()[ExportCsv]->trigger();
    const auto saveAs = [&](const char* name) {
        menu().askSavePath = [=, this](const QString&, const QString&, const QString&) {
            return path(name);
        };
    };
    saveAs("report.pdf");
    run<DoctorReportDialog>(DoctorPdf, [&](DoctorReportDialog& d) {
        child<QLineEdit>(d, "doctorName")->setText("Ann Example");
        shoot(d, "report-doctor.png");
        child<QPushButton>(d, "doctorOk")->click();
    });
    saveAs("appendix.pdf");
    run<DoctorReportDialog>(DoctorPdf, [&](DoctorReportDialog& d) {
        child<QCheckBox>(d, "doctorWithList")->setChecked(true);
        child<QPushButton>(d, "doctorOk")->click();
    });
    const std::tuple<const char*, const char*, QString> pages[] = {
        {"report.pdf", "report-page", "1"}, {"appendix.pdf", "report-appendix", "2"}};
    for (const auto& [pdf, picture, number] : pages) {
        QProcess page;
        page.start("pdftoppm", {"-png", "-r", "60", "-f", number, "-l", number, "-singlefile",
                                path(pdf), shots.filePath(picture)});
        ASSERT_TRUE(page.waitForFinished(30000));
        EXPECT_TRUE(QFile::exists(shots.filePath(QString::fromLatin1(picture) + ".png")));
    }
}

}  // namespace dx
