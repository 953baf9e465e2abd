#include "desktop/report_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "journal/datetext.h"
#include "report/doctor_report.h"
#include "report/profile_texts.h"
#include "report/report_texts.h"
#include "settings/numbers.h"
#include "settings/units.h"
#include "window/fenetre.h"

namespace dx {

namespace T = report_texts;
namespace P = profile_texts;

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

QString say(const Fenetre& w, const Bilingual& text) {
    return QString::fromUtf8(pick(text, w.settings.Langue));
}

template <class Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton* button(const Fenetre& w, const Bilingual& caption, const char* name, QWidget* parent) {
    return named(new QPushButton(say(w, caption), parent), name);
}

QTableWidget* readOnlyTable(const char* name, QWidget* parent) {
    auto* table = named(new QTableWidget(parent), name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void fillTable(QTableWidget* table, const std::vector<const Bilingual*>& header, const Fenetre& w,
               const std::vector<std::vector<std::string>>& rows) {
    QStringList labels;
    for (const Bilingual* h : header) labels << say(w, *h);
    table->clearContents();
    table->setColumnCount(static_cast<int>(labels.size()));
    table->setHorizontalHeaderLabels(labels);
    table->setRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            table->setItem(static_cast<int>(r), static_cast<int>(c),
                           new QTableWidgetItem(qs(rows[r][c])));
}

// A day typed in the short-date format; nothing when empty or unreadable.
std::optional<int64_t> typedDay(const QLineEdit* field, const Fenetre& w) {
    const auto date = parseDate(field->text().trimmed().toStdString(), w.win.Format_Date_Courte);
    if (!date) return std::nullopt;
    return date->day();
}

QLineEdit* dateField(const Fenetre& w, const char* name, QWidget* parent) {
    auto* field = named(new QLineEdit(parent), name);
    field->setPlaceholderText(qs(w.win.Format_Date_Courte));
    return field;
}

QString dayText(int64_t day, const Fenetre& w) {
    return qs(formatShortDate(DateTime::fromDays(day), w.win.Format_Date_Courte));
}

struct Labelled {
    const Bilingual* caption;
    QWidget* field;
    int stretch;
};

// Fields side by side, each after its caption.
QHBoxLayout* labelledRow(const Fenetre& w, QWidget* parent,
                         std::initializer_list<Labelled> fields) {
    auto* row = new QHBoxLayout;
    for (const Labelled& f : fields) {
        row->addWidget(new QLabel(say(w, *f.caption), parent));
        row->addWidget(f.field, f.stretch);
    }
    return row;
}

// The buttons at the right of a row; the first one is the default.
QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons) row->addWidget(b);
    (*buttons.begin())->setDefault(true);
    return row;
}

const std::vector<const Bilingual*> kTestHeader = {&T::kDate, &T::kTime, &T::kLevel, &T::kNote};

}  // namespace

void showRefusal(Fenetre& w, const report::Outcome& outcome) {
    w.platform.dialogs.messageBox(outcome.title, outcome.message, MsgButtons::Ok,
                                  MsgIcon::Exclamation);
}

// ---- Logbook -----------------------------------------------------------------

LogbookDialog::LogbookDialog(Fenetre& w, std::function<void()> changed, QWidget* parent)
    : QDialog(parent), w_(w), changed_(std::move(changed)), book_(report::logbookContext(w)) {
    setObjectName("logbookDialog");
    setWindowTitle(say(w, T::kLogbook));
    search_ = named(new QLineEdit(this), "logbookSearch");
    from_ = dateField(w, "logbookFrom", this);
    to_ = dateField(w, "logbookTo", this);
    QHBoxLayout* filters = labelledRow(
        w, this,
        {{&T::kSearch, search_, 2}, {&T::kFromCaption, from_, 1}, {&T::kToCaption, to_, 1}});

    table_ = readOnlyTable("logbookTable", this);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);

    level_ = named(new QLineEdit(this), "logbookLevel");
    time_ = named(new QLineEdit(this), "logbookTime");
    note_ = named(new QLineEdit(this), "logbookNote");
    QHBoxLayout* form = labelledRow(
        w, this, {{&T::kLevel, level_, 1}, {&T::kTime, time_, 1}, {&T::kNote, note_, 3}});

    auto* buttons = new QHBoxLayout;
    edit_ = button(w, T::kEdit, "logbookEdit", this);
    delete_ = button(w, T::kDelete, "logbookDelete", this);
    undo_ = button(w, T::kUndo, "logbookUndo", this);
    QPushButton* close = button(w, T::kClose, "logbookClose", this);
    buttons->addWidget(edit_);
    buttons->addWidget(delete_);
    buttons->addWidget(undo_);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(table_);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(560, 420);

    for (QLineEdit* f : {search_, from_, to_})
        connect(f, &QLineEdit::textChanged, this, [this] { refill(); });
    connect(table_, &QTableWidget::itemSelectionChanged, this, [this] { selectionMoved(); });
    connect(edit_, &QPushButton::clicked, this, [this] { editSelected(); });
    connect(delete_, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(undo_, &QPushButton::clicked, this, [this] { undoLast(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    refill();
}

void LogbookDialog::refill() {
    const int keep = selectedSlot();
    report::LogFilter filter{search_->text().toStdString(), typedDay(from_, w_), typedDay(to_, w_)};
    rows_ = book_.rows(filter);
    std::vector<std::vector<std::string>> cells;
    for (const report::LogRow& r : rows_) cells.push_back({r.date, r.time, r.level, r.note});
    {
        const QSignalBlocker quiet(table_);
        fillTable(table_, kTestHeader, w_, cells);
        for (size_t i = 0; i < rows_.size(); ++i)
            if (rows_[i].slot == keep) table_->selectRow(static_cast<int>(i));
    }
    selectionMoved();
}

int LogbookDialog::selectedSlot() const {
    const QList<QTableWidgetItem*> picked = table_->selectedItems();
    if (picked.isEmpty()) return 0;
    const auto row = static_cast<size_t>(picked.front()->row());
    return row < rows_.size() ? rows_[row].slot : 0;
}

void LogbookDialog::selectionMoved() {
    const int slot = selectedSlot();
    const auto it = std::find_if(rows_.begin(), rows_.end(),
                                 [slot](const report::LogRow& r) { return r.slot == slot; });
    const bool any = it != rows_.end();
    level_->setText(any ? qs(it->level) : QString());
    time_->setText(any ? qs(it->time) : QString());
    note_->setText(any ? qs(it->note) : QString());
    for (QWidget* wgt : std::initializer_list<QWidget*>{level_, time_, note_, edit_, delete_})
        wgt->setEnabled(any);
    undo_->setEnabled(book_.canUndo());
}

// Only the fields the user changed are handed over, so that an old test
// whose time the journal reads loosely can still have its note edited.
void LogbookDialog::editSelected() {
    const int slot = selectedSlot();
    const auto it = std::find_if(rows_.begin(), rows_.end(),
                                 [slot](const report::LogRow& r) { return r.slot == slot; });
    if (it == rows_.end()) return;
    report::TestEdit change;
    auto changedText = [](const QLineEdit* f,
                          const std::string& was) -> std::optional<std::string> {
        const std::string now = f->text().toStdString();
        return now == was ? std::nullopt : std::optional(now);
    };
    change.level = changedText(level_, it->level);
    change.time = changedText(time_, it->time);
    change.note = changedText(note_, it->note);
    if (!change.level && !change.time && !change.note) return;
    after(book_.edit(slot, change));
}

void LogbookDialog::deleteSelected() {
    if (const int slot = selectedSlot()) after(book_.remove(slot));
}

void LogbookDialog::undoLast() { after(book_.undo()); }

void LogbookDialog::after(const report::Outcome& outcome) {
    if (!outcome.done) {
        showRefusal(w_, outcome);
        selectionMoved();  // the fields show the test as it still is
        return;
    }
    changed_();
    refill();
}

// ---- Range -------------------------------------------------------------------

RangeChooser::RangeChooser(const Fenetre& w, Choice first, QWidget* parent)
    : QWidget(parent), w_(w), tests_(report::journalTests(w)) {
    choice_ = named(new QComboBox(this), "rangeChoice");
    const QString lastDays = say(w, P::kLastDays);
    choice_->addItems({say(w, T::kPeriodOnShow), lastDays.arg(14), lastDays.arg(30),
                       lastDays.arg(90), say(w, T::kAllTests), say(w, T::kFromTo)});
    choice_->setCurrentIndex(first);
    const report::DayRange shown = report::periodOnShow(w);
    from_ = dateField(w, "rangeFrom", this);
    to_ = dateField(w, "rangeTo", this);
    from_->setText(dayText(shown.first, w));
    to_->setText(dayText(shown.last, w));
    QHBoxLayout* row = labelledRow(
        w, this,
        {{&T::kRange, choice_, 2}, {&T::kFromCaption, from_, 1}, {&T::kToCaption, to_, 1}});
    row->setContentsMargins(0, 0, 0, 0);
    setLayout(row);
    auto follow = [this] {
        const bool typed = choice_->currentIndex() == Typed;
        from_->setEnabled(typed);
        to_->setEnabled(typed);
        onChange();
    };
    connect(choice_, &QComboBox::currentIndexChanged, this, follow);
    connect(from_, &QLineEdit::textChanged, this, [this] { onChange(); });
    connect(to_, &QLineEdit::textChanged, this, [this] { onChange(); });
    follow();
}

// Days that do not read give an empty range.
report::DayRange RangeChooser::range() const {
    switch (choice_->currentIndex()) {
        case OnShow:
            return report::periodOnShow(w_);
        case Last14:
            return report::lastDaysOf(tests_, 14);
        case Last30:
            return report::lastDaysOf(tests_, 30);
        case Last90:
            return report::lastDaysOf(tests_, 90);
        case All:
            return report::spanOf(tests_);
        default:
            break;
    }
    const auto first = typedDay(from_, w_), last = typedDay(to_, w_);
    if (!first || !last) return {0, -1};
    return {*first, *last};
}

// ---- Statistics --------------------------------------------------------------

StatisticsDialog::StatisticsDialog(const Fenetre& w, QWidget* parent)
    : QDialog(parent), w_(w), tests_(report::journalTests(w)) {
    setObjectName("statisticsDialog");
    setWindowTitle(say(w, T::kStatistics));
    range_ = new RangeChooser(w, RangeChooser::OnShow, this);
    figures_ = readOnlyTable("statisticsFigures", this);
    profile_ = readOnlyTable("statisticsProfile", this);
    modalDay_ = named(new ModalDayWidget(this), "statisticsModalDay");
    sparse_ = named(new QLabel(this), "statisticsSparse");
    sparse_->setWordWrap(true);
    QPushButton* close = button(w, T::kClose, "statisticsClose", this);
    auto* tables = new QHBoxLayout;
    tables->addWidget(figures_, 1);
    tables->addWidget(profile_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(range_);
    layout->addLayout(tables, 1);
    layout->addWidget(new QLabel(say(w, P::kModalDay), this));
    layout->addWidget(modalDay_, 1);
    layout->addWidget(sparse_);
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    range_->onChange = [this] { refill(); };
    resize(900, 760);
    refill();
}

void StatisticsDialog::refill() {
    const int16_t unite = w_.settings.Unite, l = w_.settings.Langue;
    const report::DayRange range = range_->range();
    const std::vector<report::Test> kept = report::testsIn(tests_, range);
    const report::GlucoseProfile g = report::glucoseProfile(kept, range, unite);
    const report::Statistics& stats = g.stats;
    const auto [low, high] = report::targetOf(unite);
    modalDay_->setModalDay(g.modalDay,
                           {.unite = unite, .langue = l, .targetLow = low, .targetHigh = high});
    sparse_->setText(kept.empty() || g.sparse.empty()
                         ? QString()
                         : say(w_, P::kTooFew) + qs(report::spansText(g.sparse)));
    std::vector<std::vector<std::string>> figures;
    for (const report::Figure& f : report::figuresOf(stats, unite, l))
        figures.push_back({f.label, f.value});
    const Bilingual kFigureHeader = {"", ""};
    fillTable(figures_, {&kFigureHeader, &kFigureHeader}, w_, figures);
    figures_->horizontalHeader()->hide();
    figures_->resizeColumnToContents(0);

    std::vector<std::vector<std::string>> hours;
    for (const report::ProfileRow& r : report::profileRows(stats, unite))
        hours.push_back({r.hour, r.median, r.p25, r.p75, std::to_string(r.count)});
    fillTable(profile_, {&T::kHour, &T::kMedian, &T::kP25, &T::kP75, &T::kCount}, w_, hours);
    profile_->resizeColumnsToContents();
}

// ---- Doctor's report ---------------------------------------------------------

DoctorReportDialog::DoctorReportDialog(const Fenetre& w, QWidget* parent)
    : QDialog(parent), w_(w), tests_(report::journalTests(w)) {
    setObjectName("doctorDialog");
    setWindowTitle(say(w, T::kDoctorReport));
    range_ = new RangeChooser(w, RangeChooser::Last14, this);
    name_ = named(new QLineEdit(this), "doctorName");
    withList_ = named(new QCheckBox(say(w, P::kWithList), this), "doctorWithList");
    summary_ = named(new QLabel(this), "doctorSummary");
    QPushButton* ok = button(w, T::kOk, "doctorOk", this);
    QPushButton* cancel = button(w, T::kCancel, "doctorCancel", this);
    QHBoxLayout* buttons = buttonRow({ok, cancel});
    auto* form = new QFormLayout;
    form->addRow(say(w, P::kNameCaption), name_);
    form->addRow(QString(), withList_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(range_);
    layout->addLayout(form);
    layout->addWidget(summary_);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    range_->onChange = [this] { refill(); };
    refill();
}

report::DayRange DoctorReportDialog::range() const { return range_->range(); }

report::ReportOptions DoctorReportDialog::options() const {
    return {.name = name_->text().trimmed().toStdString(),
            .withList = withList_->isChecked(),
            .createdDay = w_.today().day()};
}

void DoctorReportDialog::refill() {
    const size_t count = report::testsIn(tests_, range()).size();
    summary_->setText(say(w_, T::kTests) + QStringLiteral(": %1").arg(count));
}

// ---- Import ------------------------------------------------------------------

namespace {

QString orderSource(const Fenetre& w, bool fromValues) {
    return say(w, fromValues ? T::kFromValues : T::kAssumed);
}

QString unitSourceText(const Fenetre& w, report::UnitSource source) {
    switch (source) {
        case report::UnitSource::Header:
        case report::UnitSource::Column:
            return say(w, T::kFromHeader);
        case report::UnitSource::Values:
            return say(w, T::kFromValues);
        case report::UnitSource::Assumed:
            break;
    }
    return say(w, T::kAssumed);
}

QHBoxLayout* besideEachOther(QWidget* a, QWidget* b) {
    auto* row = new QHBoxLayout;
    row->addWidget(a, 1);
    row->addWidget(b);
    return row;
}

}  // namespace

ImportDialog::ImportDialog(const Fenetre& w, report::CsvParse parsed, QWidget* parent)
    : QDialog(parent),
      w_(w),
      table_(std::move(*parsed.table)),
      guess_(report::guessMapping(table_)),
      journal_(report::journalTests(w)) {
    setObjectName("importDialog");
    setWindowTitle(say(w, T::kImportTitle));
    const report::ColumnMapping& guess = guess_;
    date_ = columnChoice("importDate", guess.date);
    time_ = columnChoice("importTime", guess.time);
    level_ = columnChoice("importLevel", guess.level);
    unit_ = columnChoice("importUnit", guess.unit);
    note_ = columnChoice("importNote", guess.note);
    order_ = named(new QComboBox(this), "importOrder");
    order_->addItems({say(w, T::kOrderYmd), say(w, T::kOrderDmy), say(w, T::kOrderMdy)});
    order_->setCurrentIndex(static_cast<int>(guess.order));
    levelUnit_ = named(new QComboBox(this), "importLevelUnit");
    levelUnit_->addItems({unitName(0), unitName(1), say(w, T::kUnitFromColumn)});
    levelUnit_->setCurrentIndex(static_cast<int>(guess.levelUnit));
    unitSource_ = fact("importUnitSource", unitSourceText(w, guess.unitSource));
    header_ = named(new QCheckBox(say(w, T::kHasHeader), this), "importHasHeader");
    header_->setChecked(guess.hasHeader);

    const QString headerLine = guess.hasHeader && guess.headerRow < table_.rowCount()
                                   ? QString::number(table_.line(guess.headerRow))
                                   : say(w, T::kNone);
    auto* found = new QFormLayout;
    found->addRow(say(w, T::kHeaderLine), fact("importHeaderLine", headerLine));
    found->addRow(
        say(w, T::kSeparator),
        fact("importSeparator", QString::fromLatin1(report::separatorName(parsed.separator))));
    found->addRow(
        say(w, T::kEncoding),
        fact("importEncoding", QString::fromLatin1(report::encodingName(parsed.encoding))));
    found->addRow(
        say(w, T::kDateOrder),
        besideEachOther(order_, fact("importOrderSource", orderSource(w, guess.orderFromValues))));
    found->addRow(say(w, T::kLevelUnit), besideEachOther(levelUnit_, unitSource_));

    auto* form = new QFormLayout;
    form->addRow(say(w, T::kDateColumn), date_);
    form->addRow(say(w, T::kTimeColumn), time_);
    form->addRow(say(w, T::kLevelColumn), level_);
    form->addRow(say(w, T::kUnitColumn), unit_);
    form->addRow(say(w, T::kNoteColumn), note_);
    form->addRow(QString(), header_);

    counts_ = named(new QLabel(this), "importCounts");
    counts_->setWordWrap(true);
    newest_ = named(new QCheckBox(say(w, T::kKeepNewest), this), "importNewest");
    bad_ = readOnlyTable("importBad", this);
    first_ = readOnlyTable("importFirstRows", this);
    ok_ = button(w, T::kImportGoodRows, "importOk", this);
    QPushButton* cancel = button(w, T::kImportNothing, "importCancel", this);
    QHBoxLayout* buttons = buttonRow({ok_, cancel});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(say(w, T::kDetected), this));
    layout->addLayout(found);
    layout->addWidget(new QLabel(say(w, T::kColumnMapping), this));
    layout->addLayout(form);
    layout->addWidget(new QLabel(say(w, T::kPreview), this));
    layout->addWidget(counts_);
    layout->addWidget(newest_);
    layout->addWidget(new QLabel(say(w, T::kBadRows), this));
    layout->addWidget(bad_, 1);
    layout->addWidget(new QLabel(say(w, T::kFirstRows), this));
    layout->addWidget(first_, 2);
    layout->addLayout(buttons);
    resize(640, 760);

    for (QComboBox* c : {date_, time_, level_, unit_, note_, order_, levelUnit_})
        connect(c, &QComboBox::currentIndexChanged, this, [this] { replan(); });
    connect(header_, &QCheckBox::toggled, this, [this] { replan(); });
    connect(newest_, &QCheckBox::toggled, this, [this] { replan(); });
    connect(ok_, &QPushButton::clicked, this, [this] {
        if (plan_.canImport()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    replan();
}

QLabel* ImportDialog::fact(const char* name, const QString& text) {
    auto* label = named(new QLabel(text, this), name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// "(none)", then each column by its number and its header's text.
QComboBox* ImportDialog::columnChoice(const char* name, int selected) {
    auto* box = named(new QComboBox(this), name);
    box->addItem(say(w_, T::kNoColumn));
    const size_t header = guess_.hasHeader ? guess_.headerRow : 0;
    if (header < table_.rowCount())
        for (size_t c = 0; c < table_.fieldCount(header); ++c)
            box->addItem(
                QStringLiteral("%1: %2").arg(c + 1).arg(qs(std::string(table_.field(header, c)))));
    box->setCurrentIndex(selected + 1);
    return box;
}

// The choices on show over what was found; the further glucose columns,
// the record type and the kind columns stay as found.
report::ColumnMapping ImportDialog::mapping() const {
    report::ColumnMapping m = guess_;
    m.date = date_->currentIndex() - 1;
    m.time = time_->currentIndex() - 1;
    m.level = level_->currentIndex() - 1;
    m.unit = unit_->currentIndex() - 1;
    m.note = note_->currentIndex() - 1;
    std::erase(m.moreLevels, m.level);
    m.order = static_cast<report::DateOrder>(order_->currentIndex());
    m.levelUnit = static_cast<report::ImportUnit>(levelUnit_->currentIndex());
    m.hasHeader = header_->isChecked();
    return m;
}

void ImportDialog::replan() {
    const int16_t l = w_.settings.Langue;
    plan_ = report::planImport(table_, mapping(), journal_, w_.win.Format_Date_Courte,
                               w_.settings.Unite, l, w_.today().day());
    const bool over = plan_.overLimit;
    if (newest_->isChecked()) report::keepNewestThatFit(plan_);
    QString counts = qs(report::planSummary(plan_, l));
    if (plan_.overLimit)
        counts +=
            QStringLiteral("\n") + qs(report::overLimitAdvice(plan_, l, w_.win.Format_Date_Courte));
    counts_->setText(counts);
    newest_->setVisible(over || newest_->isChecked());

    std::vector<std::vector<std::string>> bad;
    for (const report::BadRow& b : plan_.bad) bad.push_back({std::to_string(b.line), b.reason});
    fillTable(bad_, {&T::kLine, &T::kNote}, w_, bad);
    bad_->horizontalHeader()->hide();

    constexpr size_t kShownRows = 10;
    std::vector<std::vector<std::string>> first;
    for (size_t i = 0; i < plan_.toAdd.size() && i < kShownRows; ++i) {
        const report::Test& t = plan_.toAdd[i];
        first.push_back({t.date, t.time, t.level, t.note});
    }
    fillTable(first_, kTestHeader, w_, first);
    ok_->setEnabled(plan_.canImport());
}

}  // namespace dx
