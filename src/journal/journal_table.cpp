#include <algorithm>

#include "journal/journal_texts.h"
#include "settings/numbers.h"
#include "window/fenetre.h"

namespace dx {

namespace T = journal_texts;

void TextColumn::set(size_t slot, std::string_view text) {
    if (const auto span = spanIn(text, *texts_)) {
        place(slot, *span);
        return;
    }
    place(slot, {static_cast<uint32_t>(texts_->size()), static_cast<uint32_t>(text.size())});
    texts_->append(text);
}

void Journal::setLevel(size_t slot, std::string_view text) {
    levelNumber[slot] = leadingNumber(text);
    Taux_Test.set(slot, text);
}

void Journal::copySlot(size_t to, size_t from) {
    for (TextColumn* column : columns()) column->place(to, column->spans_[from]);
    dayNumber[to] = dayNumber[from];
    levelNumber[to] = levelNumber[from];
}

void Journal::beginLoad(std::string_view source) {
    previousTexts_ = std::move(texts_);
    texts_.assign(source);
    loadSource_ = source;
}

void Journal::endLoad() {
    // The slots the load did not reach still point into the old buffer.
    const std::string_view previous(previousTexts_);
    const auto firstNotLoaded = static_cast<size_t>(std::max(Nb_Tests, 0)) + 1;
    for (TextColumn* column : columns()) {
        const auto keep = [&](size_t slot) {
            const TextColumn::Span old = column->spans_[slot];
            column->set(slot, previous.substr(old.at, old.size));
        };
        keep(0);
        for (size_t slot = firstNotLoaded; slot <= column->highest_; ++slot) keep(slot);
    }
    previousTexts_ = std::string();
    loadSource_ = {};
}

bool Fenetre::addTest(std::string_view date, std::string_view time, std::string_view level,
                      std::string_view note) {
    if (refuseFullJournal()) return false;
    Journal& j = journal;
    j.Nb_Tests += 1;
    j.Date_Test.set(0, date);
    j.Heure_Test.set(0, time);
    j.Taux_Test.set(0, level);
    j.Note_Test.set(0, note);
    Ajouter_A_Liste();
    return true;
}

// Moves the staged test (slot 0) in as test 1; every older test moves one
// slot up. addTest has counted it in Nb_Tests and made sure it has a slot.
void Fenetre::Ajouter_A_Liste() {
    Journal& j = journal;
    const auto day = textDate(j.Date_Test[0]);
    j.dayNumber[0] = day ? day->day() : Journal::kNoDay;
    j.levelNumber[0] = leadingNumber(j.Taux_Test[0]);
    for (auto i = static_cast<size_t>(j.Nb_Tests); i >= 1; --i) j.copySlot(i, i - 1);
}

// Opening the history or test menu with unsaved tests turns that menu off
// until the next save.
void Fenetre::Donnees_Presentes() {
    if (!Menu_Sauve.enabled) return;
    Menu_Hystorique.enabled = false;
    Menu_Test.enabled = false;
    message("Message", pick(T::kSaveFirst, settings.Langue));
}

bool Fenetre::refuseFullJournal() {
    if (journal.Nb_Tests < kMaxTests) return false;
    const int16_t l = settings.Langue;
    message(pick(T::kFileTitle, l), pick(T::kJournalFull, l), MsgButtons::Ok,
            MsgIcon::Exclamation);
    return true;
}

} // namespace dx
