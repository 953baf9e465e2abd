#include "window/fenetre.h"

#include <algorithm>
#include <map>
#include <utility>

#include "journal/datetext.h"
#include "platform/text.h"

namespace dx {

namespace {

Font font(const char* name, double size, bool bold) { return Font{name, size, bold}; }

const Font kArial975Bold = font("Arial", 9.75, true);
const Font kArial825Bold = font("Arial", 8.25, true);
const Font kArial12Bold = font("Arial", 12, true);

}  // namespace

// The maker's web address shown on the information line before anything else.
extern const char* const kMakerWebAddress;
const char* const kMakerWebAddress = "www.dextrel.example";

Fenetre::Fenetre(Platform& p)
    : platform(p),
      Timer_Ping(p.clock, 1000, true),
      Timer_Heure(p.clock, 1000, false),
      Timer_Joyst(p.clock, 100, false),
      Timer_Anim(p.clock, 30, false),
      Timer_Attente(p.clock, 1000, false),
      Timer_Analyse(p.clock, 1000, false),
      Timer_Calibration(p.clock, 1000, false),
      Timer_Camera(p.clock, 500, false),
      chart(ChartControls{.Graphique = Graphique,
                          .Ligne = Ligne,
                          .Objectif1 = Objectif1,
                          .Objectif2 = Objectif2,
                          .Curseur = Curseur,
                          .Bout_Auj = Bout_Auj,
                          .Aff_Jour = Aff_Jour,
                          .Aff_Mois = Aff_Mois,
                          .Aff_Nom_Mois = Aff_Nom_Mois,
                          .Aff_Mois_Jr1 = Aff_Mois_Jr1,
                          .Aff_Mois_Dernier_Jr = Aff_Mois_Dernier_Jr,
                          .Cadre_Resultats = Cadre_Resultats,
                          .Aff_Res_Optim = Aff_Res_Optim,
                          .Aff_Res_Sub_Optim = Aff_Res_Sub_Optim,
                          .Aff_Res_Compro = Aff_Res_Compro,
                          .Aff_Date = Aff_Date,
                          .Menu_Sem = Menu_Sem,
                          .Menu_Mois = Menu_Mois,
                          .Menu_Annee = Menu_Annee,
                          .Aff_Resultat = Aff_Resultat,
                          .Aff_Moyenne = Aff_Moyenne,
                          .Aff_Heure = Aff_Heure,
                          .Information = Information,
                          .Menu_Note = Menu_Note},
            ChartReads{journal, settings, p.locale, win.Compteur}, *this),
      glucoseMeter(MeterControls{.form = form,
                                 .Animation = Animation,
                                 .Goutte = Goutte,
                                 .Probe_Vide = Probe_Vide,
                                 .Ligne_Therm1 = Ligne_Therm1,
                                 .Ligne_Therm2 = Ligne_Therm2,
                                 .Ligne_Therm3 = Ligne_Therm3,
                                 .Calibrateur = Calibrateur,
                                 .Aff_Cal_X = Aff_Cal_X,
                                 .Aff_Cal_Y = Aff_Cal_Y,
                                 .X_Axe = X_Axe,
                                 .Y_Axe = Y_Axe,
                                 .Timer_Heure = Timer_Heure,
                                 .Timer_Joyst = Timer_Joyst,
                                 .Timer_Anim = Timer_Anim,
                                 .Timer_Attente = Timer_Attente,
                                 .Timer_Analyse = Timer_Analyse,
                                 .Timer_Calibration = Timer_Calibration,
                                 .Menu_Sang = Menu_Sang,
                                 .Menu_Calib = Menu_Calib,
                                 .Menu_Annuler = Menu_Annuler,
                                 .Menu_Test = Menu_Test,
                                 .Aff_Resultat = Aff_Resultat,
                                 .Aff_Heure = Aff_Heure,
                                 .Aff_Date = Aff_Date,
                                 .Information = Information,
                                 .Menu_Hystorique = Menu_Hystorique,
                                 .Menu_Prev = Menu_Prev,
                                 .Menu_Impr_Graph = Menu_Impr_Graph,
                                 .Menu_Sauve = Menu_Sauve,
                                 .Menu_Note = Menu_Note},
                   MeterReads{journal, settings, p, chart}, *this),
      webBanner(p) {
    designControls();
    designMenus();
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

void Fenetre::designControls() {
    form.caption = "Glucose monotor";
    form.back = colour::kLightGrey;

    // Level display and clock.
    Aff_Resultat = {" ",
                    true,
                    true,
                    colour::kYellow,
                    colour::kDarkGreen,
                    "",
                    font("Comic Sans MS", 27.75, true)};
    Aff_Moyenne = {"(average)",
                   false,
                   true,
                   colour::kWhite,
                   colour::kDarkGreen,
                   "",
                   font("Comic Sans MS", 9, true)};
    Aff_Heure = {"Heure", true, true, colour::kBlack, colour::kLightGrey, "", kArial12Bold};
    Aff_Date = {"Date", true, true, colour::kDarkGreen, colour::kLightGrey, "", kArial12Bold};
    Aff_mmol = {"mmol/L", true, true, colour::kBlack, colour::kLightGrey, "", kArial12Bold};
    Aff_Test = {"Test", true, true, colour::kBlack, colour::kLightGrey, "", kArial12Bold};
    Information = {kMakerWebAddress,
                   true,
                   true,
                   colour::kDarkBlue,
                   colour::kLightGrey,
                   "",
                   font("Comic Sans MS", 8.25, false)};
    Aff_Langue = {"Label1", false, true, colour::kBlack, colour::kLightGrey, "", Font{}};
    Aff_Pas_Branche = {"1", false, true, colour::kBlack, colour::kLightGrey, "", Font{}};
    Aff_Anim = {"Fun", false, true, colour::kBlack, colour::kLightGrey, "", Font{}};

    // Results summary.
    Cadre_Resultats = {"Résultats", true, kArial825Bold};
    const Label countLabel{"", true, true, colour::kBlack, colour::kLightGrey, "", kArial825Bold};
    Aff_Optimal = countLabel;
    Aff_Optimal.caption = "Optimal:";
    Aff_Suboptimal = countLabel;
    Aff_Suboptimal.caption = "Suboptimal:";
    Aff_Compromis = countLabel;
    Aff_Compromis.caption = "Compromise:";
    Aff_Res_Optim = countLabel;
    Aff_Res_Sub_Optim = countLabel;
    Aff_Res_Compro = countLabel;

    // Chart.
    Graphique.back = colour::kBlack;
    Line templ{3650, 1300, 3665, 1315, colour::kTemplateCyan, 2, false};
    Ligne = LineArray(templ);
    Objectif1 = {0, 936, 3650, 936, colour::kGrey, 1, true};
    Objectif2 = {0, 1092, 3650, 1092, colour::kGrey, 1, true};
    Curseur.max = 32767;
    Curseur.setValue(32767);
    Bout_Auj = {"n", true, true, "", font("Wingdings", 12, false)};
    const Label axisLabel{"", true, true, colour::kDarkBlue, colour::kLightGrey, "", kArial975Bold};
    for (int i = 1; i <= 7; ++i) Aff_Jour[static_cast<size_t>(i)] = axisLabel;
    Aff_Jour[7]->back = colour::kDarkGreen;
    for (int i = 1; i <= 12; ++i) {
        Aff_Mois[static_cast<size_t>(i)] = axisLabel;
        Aff_Mois[static_cast<size_t>(i)]->visible = false;
    }
    Aff_Mois[12]->back = colour::kDarkGreen;
    static const char* const kLevelLabels[] = {"5", "10", "15", "20", "25"};
    for (int i = 1; i <= 5; ++i) {
        Aff_Niveau[static_cast<size_t>(i)] = axisLabel;
        Aff_Niveau[static_cast<size_t>(i)]->caption = kLevelLabels[i - 1];
        Aff_Niveau[static_cast<size_t>(i)]->fore = colour::kBlack;
    }
    Aff_Nom_Mois = {"Le MOIS",          false, true,         colour::kDarkBlue,
                    colour::kLightGrey, "",    kArial975Bold};
    Aff_Mois_Jr1 = {"1", false, true, colour::kDarkBlue, colour::kLightGrey, "", kArial975Bold};
    Aff_Mois_Dernier_Jr = {"", false, true, colour::kYellow, colour::kDarkGreen, "", kArial975Bold};

    // Entry panel.
    Cadre_Ajouter = {"", false, Font{}};
    const Label dialLabel{"", true, true, colour::kBlack, colour::kLightGrey, "", kArial975Bold};
    Aff_Dial_Date = dialLabel;
    Aff_Dial_Date.caption = "Date";
    Aff_Dial_Heure = dialLabel;
    Aff_Dial_Heure.caption = "Time";
    Aff_Dial_Taux = dialLabel;
    Aff_Dial_Taux.caption = "Rate";
    Aff_Dial_Note = dialLabel;
    Aff_Dial_Note.caption = "Note";
    for (TextField* f : {&Dialog_Date, &Dialog_Heure, &Dialog_Taux, &Dialog_Note})
        f->font = font("Arial", 8.25, false);
    Bout_Ok = {"Ok", true, false, "", kArial975Bold};
    Bout_Cancel = {"Cancel", true, true, "", kArial975Bold};

    // Meter.
    Ligne_Therm1 = {225, 2200, 225, 2430, colour::kDarkRed, 2, true};
    Ligne_Therm2 = {240, 2200, 240, 2430, colour::kWhite, 2, true};
    Ligne_Therm3 = {270, 2200, 270, 2430, colour::kDarkRed, 2, true};
    Animation.visible = false;
    Calibrateur.visible = false;
    Calibrateur.back = colour::kBlack;
    Aff_Cal_X = {"X", true, true, colour::kYellow, colour::kBlack, "", font("Arial", 15.75, true)};
    Aff_Cal_Y = Aff_Cal_X;
    Aff_Cal_Y.caption = "Y";
    X_Axe.font = font("Arial", 8.25, false);
    Y_Axe.font = X_Axe.font;

    // Banner and camera icons.
    Img_Cam1.visible = false;
    Img_Cam2.visible = false;
}

void Fenetre::designMenus() {
    struct Item {
        MenuItem* item;
        MenuItem* parent;
        const char* caption;
        bool enabled;
        bool checked;
    };
    const Item items[] = {
        {&Menu_Fichier, nullptr, "&File", true, false},
        {&Menu_Sauve, &Menu_Fichier, "&Save", false, false},
        {&Menu_Ligne0, &Menu_Fichier, "-", true, false},
        {&Menu_Prev, &Menu_Fichier, "&Preview", true, false},
        {&Menu_Ligne1, &Menu_Fichier, "-", true, false},
        {&Menu_Impr_Graph, &Menu_Fichier, "Print &chart", true, false},
        {&Menu_Ligne2, &Menu_Fichier, "-", true, false},
        {&Menu_Quitter, &Menu_Fichier, "&Quit", true, false},
        {&Menu_Option, nullptr, "&Options", true, false},
        {&Menu_Ajouter, &Menu_Option, "&Add test", true, false},
        {&Menu_Ligne2a, &Menu_Option, "-", true, false},
        {&Menu_Eff, &Menu_Option, "&Erase data", true, false},
        {&Menu_Ligne2b, &Menu_Option, "-", true, false},
        {&Menu_OptMG, &Menu_Option, "m&g/dl", false, false},
        {&Menu_OptMM, &Menu_Option, "&mmol/L", true, true},
        {&Menu_Test, nullptr, "&Test", true, false},
        {&Menu_Note, &Menu_Test, "&Add a note", false, false},
        {&Menu_Ligne3, &Menu_Test, "-", true, false},
        {&Menu_Sang, &Menu_Test, "&Blood Test", false, false},
        {&Menu_Ligne4, &Menu_Test, "-", true, false},
        {&Menu_Calib, &Menu_Test, "&Calibration", false, false},
        {&Menu_Ligne5, &Menu_Test, "-", true, false},
        {&Menu_Annuler, &Menu_Test, "&Return", false, false},
        {&Menu_Hystorique, nullptr, "&History", true, false},
        {&Menu_Sem, &Menu_Hystorique, "&Day/Week", true, true},
        {&Menu_Mois, &Menu_Hystorique, "&Week/Month", true, false},
        {&Menu_Annee, &Menu_Hystorique, "&Month/Year", true, false},
        {&Menu_Aide, nullptr, "&Help", true, false},
        {&Menu_Apropos, &Menu_Aide, "&About ...", true, false},
        {&Menu_Res, nullptr, "&Results?", true, false},
        {&Menu_Res1, &Menu_Res, "Optimal:  >3.9 and <7.1", true, false},
        {&Menu_Res2, &Menu_Res, "Suboptimal:  >7 and  <10.1", true, false},
        {&Menu_Res3, &Menu_Res, "Compromise: >10", true, false},
    };
    for (const Item& i : items) {
        i.item->caption = i.caption;
        i.item->parent = i.parent;
        i.item->enabled = i.enabled;
        i.item->checked = i.checked;
        i.item->visible = true;
    }
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
    add("Aff_Resultat", &Aff_Resultat, "", {.hover = call(&F::Aff_Resultat_MouseMove)});
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
        {.click = [this] { chart.Bout_Auj_Click(); }, .hover = call(&F::Bout_Auj_MouseMove)});
    add("Aff_Nom_Mois", &Aff_Nom_Mois);
    add("Aff_Mois_Jr1", &Aff_Mois_Jr1);
    add("Aff_Mois_Dernier_Jr", &Aff_Mois_Dernier_Jr);
    // Entry panel.
    add("Cadre_Ajouter", &Cadre_Ajouter);
    add("Aff_Dial_Date", &Aff_Dial_Date, "Cadre_Ajouter");
    add("Aff_Dial_Heure", &Aff_Dial_Heure, "Cadre_Ajouter");
    add("Aff_Dial_Taux", &Aff_Dial_Taux, "Cadre_Ajouter");
    add("Aff_Dial_Note", &Aff_Dial_Note, "Cadre_Ajouter");
    add("Dialog_Date", &Dialog_Date, "Cadre_Ajouter", {.hover = call(&F::Dialog_Date_MouseMove)});
    add("Dialog_Heure", &Dialog_Heure, "Cadre_Ajouter",
        {.hover = call(&F::Dialog_Heure_MouseMove)});
    add("Dialog_Taux", &Dialog_Taux, "Cadre_Ajouter", {.hover = call(&F::Dialog_Taux_MouseMove)});
    add("Dialog_Note", &Dialog_Note, "Cadre_Ajouter", {.hover = call(&F::Dialog_Note_MouseMove)});
    add("Bout_Ok", &Bout_Ok, "Cadre_Ajouter",
        {.click = call(&F::Bout_Ok_Click), .hover = call(&F::Bout_Ok_MouseMove)});
    add("Bout_Cancel", &Bout_Cancel, "Cadre_Ajouter",
        {.click = call(&F::Bout_Cancel_Click), .hover = call(&F::Bout_Cancel_MouseMove)});
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
