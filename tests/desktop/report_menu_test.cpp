// The Report menu and its dialogs on the offscreen platform: the dialogs run
// through the menu's replaceable hooks, the boxes are the scripted ones.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <memory>

#include "../../tools/replay/scripted_platform.h"
#include "desktop/main_window.h"
#include "desktop/report_dialogs.h"
#include "desktop/report_menu.h"
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

    // Triggers an item; `drive` acts on the dialog it opens, which then
    // ends with `result`.
    template <class D>
    void run(Item item, const std::function<void(D&)>& drive, int result = QDialog::Accepted) {
        bool opened = false;
        menu().runDialog = [&](QDialog& dialog) {
            auto* d = dynamic_cast<D*>(&dialog);
            EXPECT_NE(d, nullptr);
            if (d == nullptr) return int(QDialog::Rejected);
            opened = true;
            drive(*d);
            return result;
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
         {"&Report", "Logbook...", "Statistics...", "Export CSV...", "Export JSON (Nightscout)...",
          "Import CSV...", "Doctor's report (PDF)...", "Print doctor's report..."}},
        {1,
         {"&Rapport", "Journal de bord...", "Statistiques...", "Exporter en CSV...",
          "Exporter en JSON (Nightscout)...", "Importer un CSV...",
          "Rapport pour le médecin (PDF)...", "Imprimer le rapport pour le médecin..."}},
    };
    for (const auto& l : languages) {
        core->settings.Langue = l.langue;
        window->render();
        EXPECT_EQ(menu().menu()->title().toStdString(), l.captions[0]);
        ASSERT_EQ(menu().items().size(), 7u);
        ASSERT_EQ(menu().menu()->actions().size(), 7);
        for (size_t i = 0; i < 7; ++i) {
            EXPECT_EQ(menu().items()[i]->text().toStdString(), l.captions[i + 1]);
            EXPECT_TRUE(menu().items()[i]->isEnabled());
        }
    }

    // The entry panel's menu command turns the report commands off, its
    // Cancel button back on; a forced trigger meanwhile opens nothing.
    window->actionOf("Menu_Ajouter")->trigger();
    ASSERT_TRUE(core->Cadre_Ajouter.visible);
    for (QAction* a : menu().items()) EXPECT_FALSE(a->isEnabled());
    bool opened = false;
    menu().runDialog = [&](QDialog&) { return opened = true, 0; };
    menu().items()[Logbook]->setEnabled(true);
    menu().items()[Logbook]->trigger();
    EXPECT_FALSE(opened);
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

TEST_F(ReportMenuTest, LogbookEditsGoIntoTheJournalAndRefusalsChangeNothing) {
    start();
    ASSERT_FALSE(window->actionOf("Menu_Sauve")->isEnabled());
    run<LogbookDialog>(Logbook, [&](LogbookDialog& d) {
        auto* table = child<QTableWidget>(d, "logbookTable");
        auto* level = child<QLineEdit>(d, "logbookLevel");
        auto* edit = child<QPushButton>(d, "logbookEdit");
        EXPECT_FALSE(edit->isEnabled());
        EXPECT_FALSE(child<QPushButton>(d, "logbookUndo")->isEnabled());
        table->selectRow(1);
        EXPECT_EQ(level->text(), "09.1");
        EXPECT_EQ(child<QLineEdit>(d, "logbookNote")->text(), "lunch");

        // A refused level: the entry panel's message, the journal as it was.
        const std::string before = journalBytes();
        level->setText("0");
        edit->click();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find("\"icon\":\"exclamation\""), std::string::npos);
        EXPECT_EQ(journalBytes(), before);
        EXPECT_FALSE(window->actionOf("Menu_Sauve")->isEnabled());
        EXPECT_EQ(level->text(), "09.1");

        level->setText("8.4");
        child<QLineEdit>(d, "logbookNote")->setText("late lunch");
        edit->click();
        EXPECT_EQ(boxes.size(), 1u);
        EXPECT_EQ(core->journal.Note_Test[2], "late lunch");
        EXPECT_DOUBLE_EQ(core->journal.levelNumber[2], 8.4);
        EXPECT_EQ(column(table, 2)[1], "08.4");
        // The window shows the journal unsaved at once.
        EXPECT_TRUE(window->actionOf("Menu_Sauve")->isEnabled());
        EXPECT_TRUE(child<QPushButton>(d, "logbookUndo")->isEnabled());
    });
}

TEST_F(ReportMenuTest, LogbookDeleteThenUndoRestoresTheJournal) {
    start();
    const std::string before = journalBytes();
    run<LogbookDialog>(Logbook, [&](LogbookDialog& d) {
        auto* table = child<QTableWidget>(d, "logbookTable");
        auto* undo = child<QPushButton>(d, "logbookUndo");
        table->selectRow(2);
        child<QPushButton>(d, "logbookDelete")->click();
        EXPECT_EQ(core->journal.Nb_Tests, 3);
        EXPECT_EQ(column(table, 1), (std::vector<std::string>{"08:00", "12:30", "07:45"}));
        EXPECT_TRUE(window->actionOf("Menu_Sauve")->isEnabled());
        ASSERT_TRUE(undo->isEnabled());
        undo->click();
        EXPECT_EQ(journalBytes(), before);
        EXPECT_EQ(table->rowCount(), 4);
        EXPECT_FALSE(undo->isEnabled());  // one step only
    });
    EXPECT_TRUE(boxes.empty());
}

}  // namespace dx
