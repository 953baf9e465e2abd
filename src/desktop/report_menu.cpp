#include "desktop/report_menu.h"

#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>

#include "desktop/report_dialogs.h"
#include "desktop/report_pdf.h"
#include "report/exchange.h"
#include "report/logbook.h"
#include "report/profile_texts.h"
#include "report/report_texts.h"
#include "settings/file_problems.h"
#include "window/fenetre.h"
#include "window/report_commands.h"

namespace dx {

namespace T = report_texts;

namespace {

const QString kCsvFilter = QStringLiteral("CSV (*.csv);;* (*)");
const QString kJsonFilter = QStringLiteral("JSON (*.json);;* (*)");
const QString kPdfFilter = QStringLiteral("PDF (*.pdf)");

QString suggestedPath(const char* name) { return QDir::home().filePath(QString::fromLatin1(name)); }

}  // namespace

ReportMenu::ReportMenu(Fenetre& w, QMenuBar* bar, QWidget* owner, std::function<void()> changed)
    : QObject(owner), w_(w), owner_(owner), changed_(std::move(changed)) {
    askSavePath = [this](const QString& caption, const QString& suggested, const QString& filter) {
        return QFileDialog::getSaveFileName(owner_, caption, suggested, filter);
    };
    askOpenPath = [this](const QString& caption, const QString& filter) {
        return QFileDialog::getOpenFileName(owner_, caption, QDir::homePath(), filter);
    };
    askPrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, owner_);
        return dialog.exec() == QDialog::Accepted;
    };
    runDialog = [](QDialog& dialog) { return dialog.exec(); };

    menu_ = bar->addMenu(QString());
    menu_->setObjectName("reportMenu");
    const std::pair<const char*, void (ReportMenu::*)()> commands[] = {
        {"reportLogbook", &ReportMenu::openLogbook},
        {"reportStatistics", &ReportMenu::openStatistics},
        {"reportExportCsv", &ReportMenu::exportCsv},
        {"reportExportJson", &ReportMenu::exportJson},
        {"reportImportCsv", &ReportMenu::importCsv},
        {"reportDoctorPdf", &ReportMenu::saveDoctorPdf},
        {"reportPrintDoctor", &ReportMenu::printDoctorReport},
    };
    for (const auto& [name, command] : commands) {
        QAction* a = menu_->addAction(QString());
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, command = command] {
            if (available()) (this->*command)();
        });
        items_.push_back(a);
    }
    connect(menu_, &QMenu::aboutToShow, this, [this] { render(); });
    render();
}

void ReportMenu::render() {
    const Bilingual* captions[] = {&T::kMenuLogbook,    &T::kMenuStatistics, &T::kMenuExportCsv,
                                   &T::kMenuExportJson, &T::kMenuImportCsv,  &T::kMenuDoctorPdf,
                                   &T::kMenuPrintDoctor};
    const int16_t l = w_.settings.Langue;
    menu_->setTitle(QString::fromUtf8(pick(T::kMenuReport, l)));
    const bool on = report::reportAvailable(w_);
    menu_->menuAction()->setEnabled(on);
    for (size_t i = 0; i < items_.size(); ++i) {
        items_[i]->setText(QString::fromUtf8(pick(*captions[i], l)));
        items_[i]->setEnabled(on);
    }
}

// The window may have become busy since the menu was drawn (a timer).
bool ReportMenu::available() {
    if (report::reportAvailable(w_)) return true;
    render();
    return false;
}

void ReportMenu::inform(const std::string& title, const std::string& text) {
    w_.platform.dialogs.messageBox(title, text, MsgButtons::Ok, MsgIcon::Information);
}

void ReportMenu::openLogbook() {
    LogbookDialog dialog(w_, changed_, owner_);
    runDialog(dialog);
}

void ReportMenu::openStatistics() {
    StatisticsDialog dialog(w_, owner_);
    runDialog(dialog);
}

void ReportMenu::exportCsv() {
    const std::vector<report::Test> tests = report::journalTests(w_);
    exportBytes(suggestedPath("dextrel.csv"), kCsvFilter,
                report::exportCsv(tests, w_.settings.Unite), tests.size());
}

void ReportMenu::exportJson() {
    const std::vector<report::Test> tests = report::journalTests(w_);
    exportBytes(
        suggestedPath("dextrel.json"), kJsonFilter,
        report::exportNightscoutJson(
            tests, w_.settings.Unite,
            [this](int64_t localSeconds) { return w_.platform.locale.utcOffsetAt(localSeconds); }),
        tests.size());
}

// Written whole or not at all: the old file stays when the write fails.
void ReportMenu::exportBytes(const QString& suggested, const QString& filter,
                             const std::string& bytes, size_t count) {
    const int16_t l = w_.settings.Langue;
    const std::string title = pick(T::kExportTitle, l);
    const QString path = askSavePath(QString::fromUtf8(title.c_str()), suggested, filter);
    if (path.isEmpty()) return;
    // As the journal is: private when new, through a link, atomically.
    std::string error;
    if (!w_.platform.files.writeAtomic(path.toStdString(), bytes, error)) {
        w_.platform.dialogs.messageBox(title, pick(T::kCannotWrite, l) + error, MsgButtons::Ok,
                                       MsgIcon::Exclamation);
        return;
    }
    inform(title, std::to_string(count) + pick(T::kExported, l));
}

void ReportMenu::readFailed(const QString& reason) {
    const int16_t l = w_.settings.Langue;
    w_.platform.dialogs.messageBox(pick(T::kImportTitle, l),
                                   pick(T::kCannotReadFile, l) + reason.toStdString(),
                                   MsgButtons::Ok, MsgIcon::Exclamation);
}

void ReportMenu::importCsv() {
    const int16_t l = w_.settings.Langue;
    const QString path = askOpenPath(QString::fromUtf8(pick(T::kImportTitle, l)), kCsvFilter);
    if (path.isEmpty()) return;
    // Read whole under the ceiling of every read; a FIFO or a device is
    // refused at once.
    const std::string file = path.toStdString();
    const FileRead read = w_.platform.files.readFile(file, kDefaultMaxReadBytes);
    if (!read.bytes)
        return readFailed(QString::fromStdString(
            unreadableFileReason(w_.platform.files.status(file), read, kDefaultMaxReadBytes, l)));
    const report::CsvParse parsed = report::parseCsv(*read.bytes);
    if (!parsed.table) return readFailed(QString::fromStdString(parsed.error));

    ImportDialog dialog(w_, parsed, owner_);
    if (runDialog(dialog) != QDialog::Accepted) return;
    const report::Outcome outcome = report::applyImport(w_, dialog.plan());
    if (!outcome.done) return showRefusal(w_, outcome);
    changed_();
    inform(outcome.title, outcome.message);
}

std::optional<report::ReportContent> ReportMenu::chooseReport() {
    DoctorReportDialog dialog(w_, owner_);
    if (runDialog(dialog) != QDialog::Accepted) return std::nullopt;
    return report::reportContent(report::journalTests(w_), dialog.range(), w_.settings.Unite,
                                 w_.settings.Langue, w_.win.Format_Date_Courte, dialog.options());
}

void ReportMenu::saveDoctorPdf() {
    const auto content = chooseReport();
    if (!content) return;
    const QString title = QString::fromUtf8(pick(T::kDoctorReport, w_.settings.Langue));
    const QString path = askSavePath(title, suggestedPath("dextrel-report.pdf"), kPdfFilter);
    if (path.isEmpty()) return;
    QString error;
    if (!writeReportPdf(*content, path, &error)) {
        w_.platform.dialogs.messageBox(
            title.toStdString(), pick(T::kCannotWrite, w_.settings.Langue) + error.toStdString(),
            MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    inform(title.toStdString(), pick(profile_texts::kPdfSaved, w_.settings.Langue) +
                                    QDir::toNativeSeparators(path).toStdString());
}

void ReportMenu::printDoctorReport() {
    const auto content = chooseReport();
    if (!content) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    if (!askPrinter(printer)) return;
    paintReport(*content, printer);
}

}  // namespace dx
