// The camera icons of the print mode: they blink while it is on, and a
// click prints the window as it stands, in paper colours.

#include "window/fenetre.h"

namespace dx {

namespace {

// Every segment of the chart, bridges included.
void paintSegments(Fenetre& w, Rgb colour) {
    for (size_t i = 1; i < w.Ligne.size(); ++i)
        if (Line* line = w.Ligne.find(i)) line->color = colour;
}

// The four labels that carry the chart's "today" marks.
template <class F>
void forEachMarkLabel(Fenetre& w, F&& f) {
    if (w.Aff_Jour[7]) f(*w.Aff_Jour[7]);
    if (w.Aff_Mois[12]) f(*w.Aff_Mois[12]);
    f(w.Aff_Mois_Dernier_Jr);
    f(w.Aff_Resultat);
}

// What the paper does not show: hidden before printing, shown again after.
// The level stays on paper except in the Week/Month view.
void showScreenOnly(Fenetre& w, bool shown) {
    w.Thermometre.visible = shown;
    if (shown || w.Menu_Mois.checked) w.Aff_Resultat.visible = shown;
    w.Curseur.visible = shown;
    w.Bout_Auj.visible = shown;
    w.Information.visible = shown;
    w.Aff_Heure.visible = shown;
    w.Shape2.visible = shown;
    w.Img_Cam1.visible = shown;
    w.Img_Cam2.visible = shown;
}

// The colours of the window's chart, its marks and its texts: one set for the
// screen, one for paper.
struct Palette {
    Rgb form, graphique, objectifs, segments, markFore, markBack, moyenneFore, dateFore;
};

// Black on white, with yellow marks: what goes to the printer.
constexpr Palette kPaper{.form = colour::kWhite,
                         .graphique = colour::kWhite,
                         .objectifs = colour::kBlack,
                         .segments = colour::kBlack,
                         .markFore = colour::kBlack,
                         .markBack = colour::kYellow,
                         .moyenneFore = colour::kBlack,
                         .dateFore = colour::kBlack};
// The screen's colours. Every segment comes back yellow, whatever it was before
// printing (a cyan bridge included).
constexpr Palette kScreen{.form = colour::kLightGrey,
                          .graphique = colour::kBlack,
                          .objectifs = colour::kGrey,
                          .segments = colour::kYellow,
                          .markFore = colour::kYellow,
                          .markBack = colour::kDarkGreen,
                          .moyenneFore = colour::kWhite,
                          .dateFore = colour::kDarkGreen};

void paint(Fenetre& w, const Palette& p) {
    w.form.back = p.form;
    w.Graphique.back = p.graphique;
    w.Objectif1.color = p.objectifs;
    w.Objectif2.color = p.objectifs;
    paintSegments(w, p.segments);
    forEachMarkLabel(w, [&p](Label& l) {
        l.fore = p.markFore;
        l.back = p.markBack;
    });
    w.Aff_Moyenne.fore = p.moyenneFore;
    w.Aff_Date.fore = p.dateFore;
}

}  // namespace

void Fenetre::Timer_Camera_Timer() {
    if (!Menu_Impr_Graph.checked) {
        Timer_Camera.setEnabled(false);
        Img_Cam1.visible = false;
        Img_Cam2.visible = false;
        return;
    }
    const bool firstShowing = Img_Cam1.visible;
    Img_Cam1.visible = !firstShowing;
    Img_Cam2.visible = firstShowing;
}

void Fenetre::Img_Cam1_Click() { Image_Camera(); }
void Fenetre::Img_Cam2_Click() { Image_Camera(); }

// The order matters: the printer takes the window as it stands between the
// print colours and the screen colours.
void Fenetre::Image_Camera() {
    showScreenOnly(*this, false);
    paint(*this, kPaper);
    platform.printer.printWindow();
    paint(*this, kScreen);
    showScreenOnly(*this, true);
}

// The check mark is the print mode; the blinking camera is its trigger.
void Fenetre::Menu_Impr_Graph_Click() {
    if (Menu_Impr_Graph.checked) {
        Menu_Impr_Graph.checked = false;
        Timer_Camera.setEnabled(false);
        Img_Cam1.visible = false;
        Img_Cam2.visible = false;
        return;
    }
    Menu_Impr_Graph.checked = true;
    Img_Cam1.visible = true;
    Timer_Camera.setEnabled(true);
}

}  // namespace dx
