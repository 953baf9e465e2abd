#include "window/fenetre.h"

#include <algorithm>
#include <utility>

#include "journal/datetext.h"
#include "platform/text.h"
#include "settings/units.h"
#include "window/window_texts.h"

namespace dx {

Fenetre::Fenetre(Platform& p)
    : WindowControls(p.clock),
      platform(p),
      chart(chartControls(), ChartReads{journal, settings, p.locale}, *this),
      glucoseMeter(meterControls(), MeterReads{journal, settings, p, chart}, *this),
      webBanner(p) {
    buildRegistry();
    // The timers take their ticks' procedures from the table, in its order.
    size_t timer = 0;
    for (const ControlEntry& e : registry_)
        if (const auto* t = std::get_if<Timer*>(&e.ref)) timers_.at(timer++) = {*t, e.on.tick};
    Curseur.onChange = [this] { chart.Curseur_Change(); };
    Dialog_Date.onChange = [this] { Dialog_Date_Change(); };
    Dialog_Heure.onChange = [this] { Dialog_Heure_Change(); };
    Dialog_Taux.onChange = [this] { Dialog_Taux_Change(); };
}

void Fenetre::buildRegistry() {
    auto add = [this](const char* name, ControlRef ref, const char* container = "",
                      ControlProcedures on = {}) {
        registry_.push_back(ControlEntry{name, ref, container, on});
    };
    using F = Fenetre;
    auto call = [this](void (Fenetre::*procedure)()) -> Procedure {
        return [this, procedure] { (this->*procedure)(); };
    };
    // A hint is set when the mouse moves over its control, so that it
    // follows the language and the unit in force at that moment.
    auto hint = [this](std::string& tooltip, const Bilingual& text) -> Procedure {
        return [this, &tooltip, &text] { tooltip = pick(text, settings.Langue); };
    };
    auto unitHint = [this](std::string& tooltip, const Bilingual& (*byUnit)(int16_t)) -> Procedure {
        return
            [this, &tooltip, byUnit] { tooltip = pick(byUnit(settings.Unite), settings.Langue); };
    };
    add("Fenetre", &form);
    // Menus, in the order of the menu bar.
    add("Menu_Fichier", &Menu_Fichier);
    add("Menu_Sauve", &Menu_Sauve, "", {.click = call(&F::Menu_Sauve_Click)});
    add("Menu_Ligne0", &Menu_Ligne0);
    add("Menu_Prev", &Menu_Prev, "", {.click = call(&F::Menu_Prev_Click)});
    add("Menu_Ligne1", &Menu_Ligne1);
    add("Menu_Impr_Graph", &Menu_Impr_Graph, "", {.click = call(&F::Menu_Impr_Graph_Click)});
    add("Menu_Ligne2", &Menu_Ligne2);
    add("Menu_Quitter", &Menu_Quitter, "", {.click = call(&F::Menu_Quitter_Click)});
    add("Menu_Option", &Menu_Option);
    add("Menu_Ajouter", &Menu_Ajouter, "", {.click = call(&F::Menu_Ajouter_Click)});
    add("Menu_Ligne2a", &Menu_Ligne2a);
    add("Menu_Eff", &Menu_Eff, "", {.click = call(&F::Menu_Eff_Click)});
    add("Menu_Ligne2b", &Menu_Ligne2b);
    add("Menu_OptMG", &Menu_OptMG, "", {.click = call(&F::Menu_OptMG_Click)});
    add("Menu_OptMM", &Menu_OptMM, "", {.click = call(&F::Menu_OptMM_Click)});
    add("Menu_Test", &Menu_Test, "", {.click = call(&F::Menu_Test_Click)});
    add("Menu_Note", &Menu_Note, "", {.click = call(&F::Menu_Note_Click)});
    add("Menu_Ligne3", &Menu_Ligne3);
    add("Menu_Sang", &Menu_Sang, "", {.click = [this] { glucoseMeter.Menu_Sang_Click(); }});
    add("Menu_Ligne4", &Menu_Ligne4);
    add("Menu_Calib", &Menu_Calib, "", {.click = [this] { glucoseMeter.Menu_Calib_Click(); }});
    add("Menu_Ligne5", &Menu_Ligne5);
    add("Menu_Annuler", &Menu_Annuler, "", {.click = call(&F::Menu_Annuler_Click)});
    add("Menu_Hystorique", &Menu_Hystorique, "", {.click = call(&F::Menu_Hystorique_Click)});
    add("Menu_Sem", &Menu_Sem, "", {.click = [this] { chart.Menu_Sem_Click(); }});
    add("Menu_Mois", &Menu_Mois, "", {.click = [this] { chart.Menu_Mois_Click(); }});
    add("Menu_Annee", &Menu_Annee, "", {.click = [this] { chart.Menu_Annee_Click(); }});
    add("Menu_Aide", &Menu_Aide);
    add("Menu_Apropos", &Menu_Apropos, "", {.click = call(&F::Menu_Apropos_Click)});
    add("Menu_Res", &Menu_Res);
    add("Menu_Res1", &Menu_Res1);
    add("Menu_Res2", &Menu_Res2);
    add("Menu_Res3", &Menu_Res3);
    // Level display, clock and information line.
    add("Aff_Resultat", &Aff_Resultat, "",
        {.hover = unitHint(Aff_Resultat.tooltip, resultLabelTooltip)});
    add("Aff_Moyenne", &Aff_Moyenne);
    add("Aff_Heure", &Aff_Heure);
    add("Aff_Date", &Aff_Date);
    add("Aff_mmol", &Aff_mmol);
    add("Aff_Test", &Aff_Test);
    add("Information", &Information);
    add("Aff_Langue", &Aff_Langue);
    add("Aff_Pas_Branche", &Aff_Pas_Branche);
    add("Aff_Anim", &Aff_Anim);
    // Results summary.
    add("Cadre_Resultats", &Cadre_Resultats);
    add("Aff_Optimal", &Aff_Optimal, "Cadre_Resultats");
    add("Aff_Suboptimal", &Aff_Suboptimal, "Cadre_Resultats");
    add("Aff_Compromis", &Aff_Compromis, "Cadre_Resultats");
    add("Aff_Res_Optim", &Aff_Res_Optim, "Cadre_Resultats");
    add("Aff_Res_Sub_Optim", &Aff_Res_Sub_Optim, "Cadre_Resultats");
    add("Aff_Res_Compro", &Aff_Res_Compro, "Cadre_Resultats");
    // Chart.
    add("Graphique", &Graphique);
    add("Objectif1", &Objectif1, "Graphique");
    add("Objectif2", &Objectif2, "Graphique");
    add("Curseur", &Curseur);
    add("Bout_Auj", &Bout_Auj, "",
        {.click = [this] { chart.Bout_Auj_Click(); },
         .hover = hint(Bout_Auj.tooltip, window_text::kHintToday)});
    add("Aff_Nom_Mois", &Aff_Nom_Mois);
    add("Aff_Mois_Jr1", &Aff_Mois_Jr1);
    add("Aff_Mois_Dernier_Jr", &Aff_Mois_Dernier_Jr);
    // Entry panel.
    add("Cadre_Ajouter", &Cadre_Ajouter);
    add("Aff_Dial_Date", &Aff_Dial_Date, "Cadre_Ajouter");
    add("Aff_Dial_Heure", &Aff_Dial_Heure, "Cadre_Ajouter");
    add("Aff_Dial_Taux", &Aff_Dial_Taux, "Cadre_Ajouter");
    add("Aff_Dial_Note", &Aff_Dial_Note, "Cadre_Ajouter");
    add("Dialog_Date", &Dialog_Date, "Cadre_Ajouter",
        {.hover = hint(Dialog_Date.tooltip, window_text::kHintDate)});
    add("Dialog_Heure", &Dialog_Heure, "Cadre_Ajouter",
        {.hover = hint(Dialog_Heure.tooltip, window_text::kHintTime)});
    add("Dialog_Taux", &Dialog_Taux, "Cadre_Ajouter",
        {.hover = unitHint(Dialog_Taux.tooltip, levelFieldTooltip)});
    add("Dialog_Note", &Dialog_Note, "Cadre_Ajouter",
        {.hover = hint(Dialog_Note.tooltip, window_text::kHintNote)});
    add("Bout_Ok", &Bout_Ok, "Cadre_Ajouter",
        {.click = call(&F::Bout_Ok_Click), .hover = hint(Bout_Ok.tooltip, window_text::kHintOk)});
    add("Bout_Cancel", &Bout_Cancel, "Cadre_Ajouter",
        {.click = call(&F::Bout_Cancel_Click),
         .hover = hint(Bout_Cancel.tooltip, window_text::kHintCancel)});
    // Meter.
    add("Thermometre", &Thermometre);
    add("Img_Therm", &Img_Therm, "Thermometre");
    add("Ligne_Therm1", &Ligne_Therm1, "Thermometre");
    add("Ligne_Therm2", &Ligne_Therm2, "Thermometre");
    add("Ligne_Therm3", &Ligne_Therm3, "Thermometre");
    add("Animation", &Animation);
    add("Goutte", &Goutte, "Animation");
    add("Probe_Vide", &Probe_Vide, "Animation");
    add("Probe_Rouge", &Probe_Rouge, "Animation");
    add("Calibrateur", &Calibrateur);
    add("Aff_Cal_X", &Aff_Cal_X, "Calibrateur");
    add("Aff_Cal_Y", &Aff_Cal_Y, "Calibrateur");
    add("X_Axe", &X_Axe, "Calibrateur");
    add("Y_Axe", &Y_Axe, "Calibrateur");
    // Banner and camera icons.
    add("Picture2", &Picture2);
    add("Image_FTP", &Image_FTP, "Picture2",
        {.click = call(&F::Image_FTP_Click), .doubleClick = call(&F::Image_FTP_DblClick)});
    add("Img_Cam1", &Img_Cam1, "", {.click = call(&F::Img_Cam1_Click)});
    add("Img_Cam2", &Img_Cam2, "", {.click = call(&F::Img_Cam2_Click)});
    add("Shape2", &Shape2);
    // Timers, in the order of the timers table.
    add("Timer_Ping", &Timer_Ping, "", {.tick = call(&F::Timer_Ping_Timer)});
    add("Timer_Heure", &Timer_Heure, "", {.tick = call(&F::Timer_Heure_Timer)});
    add("Timer_Joyst", &Timer_Joyst, "", {.tick = [this] { glucoseMeter.Timer_Joyst_Timer(); }});
    add("Timer_Anim", &Timer_Anim, "", {.tick = [this] { glucoseMeter.Timer_Anim_Timer(); }});
    add("Timer_Attente", &Timer_Attente, "",
        {.tick = [this] { glucoseMeter.Timer_Attente_Timer(); }});
    add("Timer_Analyse", &Timer_Analyse, "",
        {.tick = [this] { glucoseMeter.Timer_Analyse_Timer(); }});
    add("Timer_Calibration", &Timer_Calibration, "",
        {.tick = [this] { glucoseMeter.Timer_Calibration_Timer(); }});
    add("Timer_Camera", &Timer_Camera, "", {.tick = call(&F::Timer_Camera_Timer)});
}

const ControlEntry* Fenetre::findControl(const std::string& name) const {
    for (const ControlEntry& e : registry_)
        if (e.name == name) return &e;
    return nullptr;
}

bool Fenetre::shownOnScreen(const std::string& name) const {
    const ControlEntry* e = findControl(name);
    if (e == nullptr) return false;
    const bool visible = std::visit(
        [](auto* c) -> bool {
            using T = std::remove_pointer_t<decltype(c)>;
            if constexpr (std::is_same_v<T, WindowProps> || std::is_same_v<T, Timer>)
                return true;
            else
                return c->visible;
        },
        e->ref);
    if (!visible) return false;
    return e->container.empty() || shownOnScreen(e->container);
}

Timer& Fenetre::timerAt(int index) { return *timers_.at(static_cast<size_t>(index)).timer; }

std::optional<int> Fenetre::nextDueTimer() const {
    std::optional<int> best;
    for (int i = 0; i < kTimerCount; ++i) {
        const Timer& t = *timers_[static_cast<size_t>(i)].timer;
        if (!t.armed()) continue;
        if (!best || t.dueAt() < timers_[static_cast<size_t>(*best)].timer->dueAt()) best = i;
    }
    return best;
}

void Fenetre::fireTimer(int index, int64_t at) {
    guarded([&] {
        TimerSlot& slot = timers_.at(static_cast<size_t>(index));
        slot.timer->ticked(at);
        slot.handler();
    });
}

std::optional<int64_t> Fenetre::nextDueAt() const {
    std::optional<int64_t> at;
    if (const std::optional<int> next = nextDueTimer())
        at = timers_[static_cast<size_t>(*next)].timer->dueAt();
    if (!heldClick_.empty() && (!at || heldClickUntil_ < *at)) at = heldClickUntil_;
    return at;
}

void Fenetre::runDueTimers(int64_t until, const std::function<void(int64_t)>& reach) {
    while (!ended_) {
        const std::optional<int64_t> due = nextDueAt();
        if (!due || *due > until) return;
        if (reach) reach(*due);
        if (!heldClick_.empty() && heldClickUntil_ == *due) {
            click(std::exchange(heldClick_, std::string()));
            continue;
        }
        const int index = *nextDueTimer();
        const int64_t now = platform.clock.monotonicMs();
        fireTimer(index, now - *due >= timerAt(index).interval() ? now : *due);
    }
}

bool Fenetre::mouseClick(const std::string& name) {
    // The release that ends a double click is no click of its own.
    if (std::exchange(afterDoubleClick_, false)) return true;
    // A click still held back happened first.
    if (!heldClick_.empty()) click(std::exchange(heldClick_, std::string()));
    const ControlEntry* e = findControl(name);
    if (e == nullptr || e->on.doubleClick == nullptr) return click(name);
    if (ended_ || !shownOnScreen(name)) return false;
    heldClick_ = name;
    heldClickUntil_ = platform.clock.monotonicMs() + doubleClickMs;
    return true;
}

void Fenetre::mouseDoubleClick(const std::string& name) {
    afterDoubleClick_ = true;
    if (heldClick_ != name) return;
    heldClick_.clear();
    dblclick(name);
}

template <class Fn>
void Fenetre::guarded(Fn&& fn) {
    if (ended_) return;
    // A handler may raise another event (a procedure that moves the focus):
    // that one runs inside it, and only the outermost stops the program, so
    // that nothing of the outer handler runs after the end.
    if (eventDepth_ > 0) {
        fn();
        return;
    }
    ++eventDepth_;
    try {
        fn();
    } catch (const ProgramEnded&) {
        ended_ = true;
    }
    --eventDepth_;
    afterEvent();
}

void Fenetre::afterEvent() {
    // A control that vanished or was disabled loses the keyboard focus.
    if (focused_.empty()) return;
    const ControlEntry* e = findControl(focused_);
    const auto* f = e ? std::get_if<TextField*>(&e->ref) : nullptr;
    if (!shownOnScreen(focused_) || (f && !(*f)->enabled)) focused_.clear();
}

void Fenetre::start() {
    guarded([this] { Form_Load(); });
}

void Fenetre::run(const Procedure& procedure) {
    if (procedure) guarded([&] { procedure(); });
}

bool Fenetre::arrayElementShown(const std::string& name) const {
    const std::optional<ArrayElementName> element = parseArrayElement(name);
    if (!element) return false;
    const std::string& array = element->array;
    const size_t i = element->index;
    auto shown = [&](const auto& elements) {
        return i < elements.size() && elements[i] && elements[i]->visible;
    };
    if (array == "Aff_Jour") return shown(Aff_Jour);
    if (array == "Aff_Mois") return shown(Aff_Mois);
    if (array == "Aff_Niveau") return shown(Aff_Niveau);
    if (array == "Ligne") return shown(Ligne) && Graphique.visible;
    return false;
}

bool Fenetre::click(const std::string& name) {
    if (ended_) return false;
    const ControlEntry* e = findControl(name);
    // The elements of the control arrays have no click handler of their own.
    if (e == nullptr) return arrayElementShown(name);
    bool takes = shownOnScreen(name);
    if (const auto* m = std::get_if<MenuItem*>(&e->ref)) takes = (*m)->reachable();
    if (const auto* b = std::get_if<Button*>(&e->ref)) takes = takes && (*b)->enabled;
    if (!takes) return false;
    run(e->on.click);
    return true;
}

bool Fenetre::dblclick(const std::string& name) {
    if (!click(name)) return false;
    if (const ControlEntry* e = findControl(name)) run(e->on.doubleClick);
    return true;
}

bool Fenetre::openMenu(const std::string& name) {
    const ControlEntry* e = findControl(name);
    const auto* m = e ? std::get_if<MenuItem*>(&e->ref) : nullptr;
    if (m == nullptr || ended_ || !(*m)->reachable()) return false;
    // A menu of the bar with a procedure runs it as it opens.
    if ((*m)->parent == nullptr) run(e->on.click);
    return true;
}

TextField* Fenetre::field(const std::string& name) {
    const ControlEntry* e = findControl(name);
    if (e == nullptr) return nullptr;
    const auto* f = std::get_if<TextField*>(&e->ref);
    return f ? *f : nullptr;
}

void Fenetre::focus(const std::string& name) {
    guarded([&] {
        if (focused_ == name) return;
        const std::string previous = focused_;
        if (previous == "Dialog_Date")
            Dialog_Date_LostFocus();
        else if (previous == "Dialog_Heure")
            Dialog_Heure_LostFocus();
        else if (previous == "Dialog_Taux")
            Dialog_Taux_LostFocus();
        focused_ = name;
    });
}

void Fenetre::keyPress(const std::string& name, char32_t code) {
    TextField* f = field(name);
    if (f == nullptr) return;
    focus(name);
    guarded([&] {
        if (form.keyPreview) Form_KeyDown(static_cast<int>(code));
        if (f == &Dialog_Date) Dialog_Date_KeyPress(static_cast<int>(code));
        if (f == &Dialog_Heure) Dialog_Heure_KeyPress(static_cast<int>(code));
        if (code == 8)
            f->backspace();
        else if (code >= 32)
            f->replaceSelection(utf8Encode(code));
    });
}

void Fenetre::pasteText(const std::string& name, const std::string& text) {
    TextField* f = field(name);
    if (f == nullptr) return;
    guarded([&] { f->setText(text); });
}

void Fenetre::selectText(const std::string& name, int start, int length) {
    if (TextField* f = field(name)) f->select(start, length);
}

void Fenetre::escape() {
    guarded([this] {
        if (form.keyPreview || focused_.empty()) Form_KeyDown(27);
    });
}

bool Fenetre::userScroll(int value) {
    if (ended_ || !Curseur.enabled || !Curseur.visible) return false;
    guarded([&] { Curseur.setValue(value); });
    return true;
}

void Fenetre::hover(const std::string& name) {
    if (const ControlEntry* e = findControl(name)) run(e->on.hover);
}

void Fenetre::close() {
    guarded([this] { Form_Unload(); });
}

DateTime Fenetre::now() const { return platform.clock.now(); }
DateTime Fenetre::today() const { return now().date(); }

std::string Fenetre::dateText(DateTime date) const {
    return formatShortDate(date, platform.locale.shortDatePattern());
}

std::optional<DateTime> Fenetre::textDate(std::string_view text) const {
    return parseDate(text, platform.locale.shortDatePattern());
}

MsgAnswer Fenetre::message(const std::string& title, const std::string& text, MsgButtons buttons,
                           MsgIcon icon) {
    return platform.dialogs.messageBox(title, text, buttons, icon);
}

void Fenetre::endProgram() { throw ProgramEnded{}; }

}  // namespace dx
