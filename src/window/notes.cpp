#include "platform/text.h"
#include "window/fenetre.h"

namespace dx {

namespace {

const Bilingual kNotePrompt = {"ENTREZ une note pour ce jour en particulier ...",
                               "Enter a note for this particular day"};
const Bilingual kNoteTitle = {"Si le TEST est particulièrement élevé,",
                              "If the TEST is over of an average range,"};
// The note field's name in the refusal of a text the file cannot hold.
constexpr const char* kNoteFieldName = "Note";

}  // namespace

void Fenetre::Menu_Note_Click() { Ajouter_Note(); }

// Sets the note of the test whose note was last shown. When none was shown
// (Index_Note 0) or that test was erased since, the note goes to the newest
// test: the command is enabled that way only right after a meter test, which
// is test 1 (Index_Test, once a drawing is over, points past the tests drawn
// rather than at the one on show). That test then counts as the one whose
// note is shown.
void Fenetre::Ajouter_Note() {
    int32_t target = entry.Index_Note;
    if (target < 1 || target > journal.Nb_Tests) target = 1;
    if (target > journal.Nb_Tests) return;  // no test to carry it
    const auto slot = static_cast<size_t>(target);
    const std::string note(journal.Note_Test[slot]);
    const int16_t l = settings.Langue;
    const auto answer = platform.dialogs.inputBox(pick(kNoteTitle, l), pick(kNotePrompt, l), note);
    // An empty answer cannot clear a note: it means "no change".
    if (!answer || answer->empty()) return;
    if (refuseUnstorableText(*answer, kNoteFieldName)) return;
    entry.Index_Note = target;
    journal.Note_Test.set(slot, *answer);
    Menu_Sauve.enabled = true;
    Information.caption = *answer;
    Menu_Prev.enabled = false;
}

}  // namespace dx
