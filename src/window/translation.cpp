#include "platform/text.h"
#include "window/fenetre.h"

namespace dx {

// The window is designed with the English captions; on a French system the
// captions below are replaced, in this order. The English column is the
// design-time caption, kept here so that each pair reads side by side.
void Fenetre::Traduction() {
    struct Caption {
        std::string* target;
        Bilingual text;
    };
    const Caption captions[] = {
        {&Menu_Fichier.caption, {"&Fichier", "&File"}},
        {&Menu_Sauve.caption, {"&Sauvegarder", "&Save"}},
        {&Menu_Prev.caption, {"&Prévisualiser", "&Preview"}},
        {&Menu_Impr_Graph.caption, {"&Imprimer Graphique", "Print &chart"}},
        {&Menu_Quitter.caption, {"&Quitter", "&Quit"}},
        {&Menu_Ajouter.caption, {"&Ajouter analyse", "&Add test"}},
        {&Menu_Note.caption, {"&Ajoûter note", "&Add a note"}},
        {&Menu_Sang.caption, {"&Sanguine", "&Blood Test"}},
        {&Menu_Annuler.caption, {"&Retour", "&Return"}},
        {&Menu_Hystorique.caption, {"&Hystorique", "&History"}},
        {&Menu_Eff.caption, {"&Effacer données", "&Erase data"}},
        {&Menu_Sem.caption, {"&Jour/Semaine", "&Day/Week"}},
        {&Menu_Test.caption, {"&Analyse", "&Test"}},
        {&Menu_Mois.caption, {"&Semaine/Mois", "&Week/Month"}},
        {&Menu_Annee.caption, {"&Mois/Année", "&Month/Year"}},
        {&Menu_Aide.caption, {"&Aide", "&Help"}},
        {&Menu_Apropos.caption, {"&Apropos...", "&About ..."}},
        {&form.caption, {"Moniteur de glycémie", "Glucose monotor"}},
        {&Aff_Moyenne.caption, {"(moyenne)", "(average)"}},
        {&Cadre_Resultats.caption, {"Résultats", "Résultats"}},
        {&Aff_Optimal.caption, {"Optimaux:", "Optimal:"}},
        {&Aff_Suboptimal.caption, {"Suboptimaux:", "Suboptimal:"}},
        {&Aff_Compromis.caption, {"Compromis:", "Compromise:"}},
        {&Aff_Dial_Heure.caption, {"Heure", "Time"}},
        {&Aff_Dial_Taux.caption, {"Taux", "Rate"}},
        {&Bout_Cancel.caption, {"Annuler", "Cancel"}},
        {&Menu_Res.caption, {"Résultats?", "&Results?"}},
    };
    for (const Caption& c : captions) *c.target = c.text.fr;
}

}  // namespace dx
