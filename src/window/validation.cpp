#include <optional>
#include <string>

#include "journal/datetext.h"
#include "platform/text.h"
#include "settings/units.h"
#include "window/entry_rules.h"
#include "window/fenetre.h"
#include "window/window_texts.h"

namespace dx {

namespace {

using TimeRule = std::optional<std::string> (*)(std::string_view);

// Puts a rule's correction into a field. Setting the text raises the field's
// change event at once, so the normaliser runs again, nested, on its own
// result before the rule that corrected it goes on.
bool applyCorrection(TextField& field, const std::optional<std::string>& corrected) {
    if (!corrected) return false;
    field.setText(*corrected);
    return true;
}

}  // namespace

// The live normaliser, run on every change of the date, time and level
// fields. The texts are read again before each rule, since a correction made
// by one rule (and the nested runs it raised) changes what the next one sees.
void Fenetre::Verifier_Entree() {
    const std::string todayText = dateText(today());
    if (Dialog_Date.text() < todayText) Dialog_Date.setText(todayText);

    if (utf8Length(Dialog_Date.text()) != utf8Length(win.Format_Date_Courte)) return;
    if (entry.Entree_Active == 0) return;

    // A date that does not convert, or a time with no first character to
    // judge, puts the last date that converted back and keeps OK off.
    const std::optional<DateTime> typed = textDate(Dialog_Date.text());
    if (typed) entry.Date_Saisie = *typed;
    if (!typed || Dialog_Heure.text().empty()) {
        Dialog_Date.setText(dateText(entry.Date_Saisie));
        Bout_Ok.enabled = false;
        return;
    }

    applyCorrection(Dialog_Heure, timeResetRule(Dialog_Heure.text()));
    applyCorrection(Dialog_Heure, timePushRule(Dialog_Heure.text()));
    applyCorrection(Dialog_Heure, timeCutRule(Dialog_Heure.text()));
    // The colon is typed for the user: the caret goes after it.
    if (applyCorrection(Dialog_Heure, timeColonRule(Dialog_Heure.text())))
        Dialog_Heure.select(3, 0);
    applyCorrection(Dialog_Heure, timeHoursRule(Dialog_Heure.text()));
    applyCorrection(Dialog_Heure, timeMinutesRule(Dialog_Heure.text()));

    Bout_Ok.enabled = entryAcceptable(Dialog_Date.text(), Dialog_Heure.text(), Dialog_Taux.text(),
                                      settings.Unite);

    applyCorrection(Dialog_Taux,
                    levelCutRule(settings.Unite, meter.Taux_Courant, Dialog_Taux.text()));
    applyCorrection(Dialog_Taux, levelCapRule(settings.Unite, Dialog_Taux.text()));
}

// The checks on OK. Each failed check says why and refuses the entry; the
// later checks still run, so one press may show every reason in turn.
void Fenetre::Valider_Entree() {
    entry.Entree_Refusee = 0;

    if (const auto d = textDate(Dialog_Date.text())) Dialog_Date.setText(dateText(*d));
    if (const auto t = textDate(Dialog_Heure.text())) Dialog_Heure.setText(formatShortTime(*t));

    const int16_t unite = settings.Unite;
    Dialog_Taux.setText(entryLevelText(Dialog_Taux.text(), unite));
    if (levelRefused(Dialog_Taux.text(), unite)) {
        message(window_text::kCheckTitle, levelRefusalText(Aff_Dial_Taux.caption, unite));
        entry.Entree_Refusee = 1;
    }

    const std::string todayText = dateText(today());
    if (Dialog_Date.text() > todayText) {
        message(window_text::kCheckTitle, Aff_Dial_Date.caption + " =\n\n" +
                                              pick(window_text::kDateAfterToday, settings.Langue) +
                                              todayText + ").");
        entry.Entree_Refusee = 1;
    }

    if (utf8Length(Dialog_Heure.text()) != 5) {
        message(window_text::kCheckTitle, Aff_Dial_Heure.caption + window_text::kTimeShape);
        entry.Entree_Refusee = 1;
    }
}

// Keeps a new test from being older than the newest test of the journal,
// which is what keeps the table in date order. Only the hours are compared
// on the newest test's day. An empty journal has no newest test: nothing
// changes then (slot 1 may still hold a test the erase command cut off).
void Fenetre::Valider_Date_Hre() {
    if (journal.Nb_Tests < 1) return;
    const std::string newestDate(journal.Date_Test[1]);
    const std::string newestTime(journal.Heure_Test[1]);
    if (Dialog_Date.text() == newestDate && hourBefore(Dialog_Heure.text(), newestTime))
        Dialog_Heure.setText(formatShortTime(now()));
    if (Dialog_Date.text() < newestDate) Dialog_Date.setText(dateText(today()));
}

}  // namespace dx
