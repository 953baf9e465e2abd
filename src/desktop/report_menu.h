#pragma once

// The desktop's Report menu, after the window's own menus: the logbook, the
// statistics, the export and import of tests and the doctor's report. It is
// no control of the window's model; its items follow the window's language
// and are enabled when the report commands are available.
//
// Every question to the user that is not a dialog of ours (a file name, a
// printer, the running of a dialog) goes through one replaceable function,
// so that tests can answer it.

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "report/doctor_report.h"

class QAction;
class QDialog;
class QMenu;
class QMenuBar;
class QPrinter;
class QWidget;

namespace dx {

class Fenetre;

class ReportMenu : public QObject {
public:
    // `changed` shows the model again after a change of the journal.
    ReportMenu(Fenetre& w, QMenuBar* bar, QWidget* owner, std::function<void()> changed);

    // Captions in the window's language, items enabled as the window allows.
    void render();

    QMenu* menu() const { return menu_; }
    // The items in menu order: logbook, statistics, export CSV, export JSON,
    // import CSV, doctor's PDF, print.
    const std::vector<QAction*>& items() const { return items_; }

    // An empty name cancels.
    std::function<QString(const QString& caption, const QString& suggested, const QString& filter)>
        askSavePath;
    std::function<QString(const QString& caption, const QString& filter)> askOpenPath;
    // Set up the printer; false cancels.
    std::function<bool(QPrinter& printer)> askPrinter;
    // Runs a dialog modally; its result code.
    std::function<int(QDialog& dialog)> runDialog;

    void openLogbook();
    void openStatistics();
    void exportCsv();
    void exportJson();
    void importCsv();
    void saveDoctorPdf();
    void printDoctorReport();

private:
    bool available();
    void exportBytes(const QString& suggested, const QString& filter, const std::string& bytes,
                     size_t count);
    void inform(const std::string& title, const std::string& text);
    void readFailed(const QString& reason);
    // The doctor's report of the range the user picks; nothing when cancelled.
    std::optional<report::ReportContent> chooseReport();

    Fenetre& w_;
    QWidget* owner_;
    std::function<void()> changed_;
    QMenu* menu_;
    std::vector<QAction*> items_;
};

}  // namespace dx
