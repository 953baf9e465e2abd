#pragma once

// The dialogs of the Report menu, thin over the report module: the logbook,
// the statistics, the column mapping of a CSV import with its preview, and
// the range of the doctor's report. Every widget carries an object name so
// that tests can find it. `changed` runs after each change of the journal so
// that the main window shows the model again.

#include <QDialog>
#include <functional>

#include "desktop/modal_day_widget.h"
#include "report/doctor_report.h"
#include "report/exchange.h"
#include "report/logbook.h"
#include "report/statistics.h"
#include "window/report_commands.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace dx {

class Fenetre;

// Shows a refused outcome; the main window's message box path.
void showRefusal(Fenetre& w, const report::Outcome& outcome);

class LogbookDialog : public QDialog {
public:
    LogbookDialog(Fenetre& w, std::function<void()> changed, QWidget* parent = nullptr);

    // The rows on show, as the filter gives them.
    const std::vector<report::LogRow>& shownRows() const { return rows_; }

private:
    void refill();
    void selectionMoved();
    void editSelected();
    void deleteSelected();
    void undoLast();
    void after(const report::Outcome& outcome);
    int selectedSlot() const;

    Fenetre& w_;
    std::function<void()> changed_;
    report::Logbook book_;
    std::vector<report::LogRow> rows_;
    QTableWidget* table_;
    QLineEdit *search_, *from_, *to_, *level_, *time_, *note_;
    QPushButton *edit_, *delete_, *undo_;
};

// Period on show, the journal's last 14, 30 or 90 days, all tests, or days
// typed in the short-date format.
class RangeChooser : public QWidget {
public:
    enum Choice { OnShow, Last14, Last30, Last90, All, Typed };
    RangeChooser(const Fenetre& w, Choice first, QWidget* parent = nullptr);
    report::DayRange range() const;
    std::function<void()> onChange = [] {};

private:
    const Fenetre& w_;
    std::vector<report::Test> tests_;
    QComboBox* choice_;
    QLineEdit *from_, *to_;
};

class StatisticsDialog : public QDialog {
public:
    StatisticsDialog(const Fenetre& w, QWidget* parent = nullptr);

private:
    void refill();

    const Fenetre& w_;
    std::vector<report::Test> tests_;
    RangeChooser* range_;
    QTableWidget *figures_, *profile_;
    ModalDayWidget* modalDay_;
    QLabel* sparse_;
};

// The range of the doctor's report (the journal's last 14 days unless
// changed), the name it is made for and whether the list of tests follows
// as an appendix; accepted with OK.
class DoctorReportDialog : public QDialog {
public:
    DoctorReportDialog(const Fenetre& w, QWidget* parent = nullptr);
    report::DayRange range() const;
    report::ReportOptions options() const;

private:
    void refill();

    const Fenetre& w_;
    std::vector<report::Test> tests_;
    RangeChooser* range_;
    QLineEdit* name_;
    QCheckBox* withList_;
    QLabel* summary_;
};

// What was found in the file (its header line, separator, encoding, date
// order and unit, each changeable where it can be wrong), which column
// holds what, and the plan of the import as it would be: the rows left out
// by kind, the bad rows with their line and reason. Accepted only when the
// good rows can be imported; the bad ones are then left out.
class ImportDialog : public QDialog {
public:
    ImportDialog(const Fenetre& w, report::CsvParse parsed, QWidget* parent = nullptr);
    const report::ImportPlan& plan() const { return plan_; }

private:
    QComboBox* columnChoice(const char* name, int selected);
    QLabel* fact(const char* name, const QString& text);
    report::ColumnMapping mapping() const;
    void replan();

    const Fenetre& w_;
    report::CsvTable table_;
    report::ColumnMapping guess_;
    std::vector<report::Test> journal_;
    report::ImportPlan plan_;
    QComboBox *date_, *time_, *level_, *unit_, *note_, *order_, *levelUnit_;
    QCheckBox *header_, *newest_;
    QLabel *counts_, *unitSource_;
    QTableWidget *bad_, *first_;
    QPushButton* ok_;
};

}  // namespace dx
