#include <algorithm>

#include "journal/journal.h"
#include "settings/numbers.h"

namespace dx {

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

void Journal::moveStagedIn(int64_t day) {
    dayNumber[0] = day;
    levelNumber[0] = leadingNumber(Taux_Test[0]);
    for (auto i = static_cast<size_t>(Nb_Tests); i >= 1; --i) copySlot(i, i - 1);
}

}  // namespace dx
