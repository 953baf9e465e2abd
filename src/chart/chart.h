#pragma once

// The chart: the period on show, the scrollbar's walk through the history,
// the axis labels, the curve of segments and the results summary. It owns
// its view state and its procedures; the controls it draws on are the
// window's, handed to it under their own names, and what it needs of the
// rest of the window comes through ChartHost.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "chart/chart_state.h"
#include "journal/journal.h"
#include "platform/controls.h"
#include "platform/platform.h"
#include "settings/settings.h"
#include "settings/units.h"

namespace dx {

// The window's controls the chart reads and changes.
struct ChartControls {
    Picture& Graphique;
    LineArray& Ligne;  // element 0 is the hidden template
    Line &Objectif1, &Objectif2;
    Scrollbar& Curseur;
    Button& Bout_Auj;
    std::array<std::optional<Label>, 8>& Aff_Jour;   // 1..7
    std::array<std::optional<Label>, 13>& Aff_Mois;  // 1..12
    Label &Aff_Nom_Mois, &Aff_Mois_Jr1, &Aff_Mois_Dernier_Jr;
    Frame& Cadre_Resultats;
    Label &Aff_Res_Optim, &Aff_Res_Sub_Optim, &Aff_Res_Compro;
    Label& Aff_Date;                              // the anchor date
    MenuItem &Menu_Sem, &Menu_Mois, &Menu_Annee;  // the checked one is the period
    // Shared with the level display and the rest of the window.
    Label &Aff_Resultat, &Aff_Moyenne, &Aff_Heure, &Information;
    MenuItem& Menu_Note;
};

// What the chart needs of the window around it.
class ChartHost {
public:
    // Today's date (midnight), and dates as text in the short-date format.
    virtual DateTime today() const = 0;
    virtual std::string dateText(DateTime date) const = 0;
    virtual std::optional<DateTime> textDate(std::string_view text) const = 0;
    // The level display, for the test or partition the walk stands on.
    virtual void Afficher_Taux() = 0;

protected:
    ~ChartHost() = default;
};

// What the chart reads of the rest of the window's state.
struct ChartReads {
    const Journal& journal;
    const SettingsState& settings;
    const Locale& locale;
};

class Chart : public ChartControls {
public:
    Chart(const ChartControls& controls, const ChartReads& reads, ChartHost& host);
    Chart(const Chart&) = delete;
    Chart& operator=(const Chart&) = delete;

    ChartState view;
    const Journal& journal;
    const SettingsState& settings;
    const Locale& locale;

    // The period on show and the scrollbar.
    void Menu_Sem_Click();
    void Menu_Mois_Click();
    void Menu_Annee_Click();
    void Choix_Annee();
    void Valeur_Curseur();
    void Reset();
    void Re_Executer();
    void Curseur_Change();
    void Direction_Curseur();
    void Bout_Auj_Click();
    void Aujourdhui();
    // The length of the year next to a date, as the walk steps through it.
    int Qte_Jrs_Annee(DateTime La_Date) const;

    // Labels, partitions and the curve.
    void Mois_Sem();
    void Graphiques();
    void Test_Du_Jour();
    void Partitions_Graphiques();
    void Qte_Test_Par_Partition();
    void Lignes_Objectif();
    void Ligne_Premiere();
    void Effacer_Graph();
    void Effacer_Titre_AxeX();
    void drawFirstSegment(double step);
    void drawSegmentChain(int32_t from, int32_t count, double step);
    // Creates element index of Ligne as a hidden copy of the template.
    Line& loadLigne(int index);

    // The results summary.
    void Resume_Reset();
    void Resume_Semaine(Band band, int32_t tests = 1);
    void showSummaryCounts();

    DateTime today() const { return host_.today(); }
    std::string dateText(DateTime date) const { return host_.dateText(date); }
    std::optional<DateTime> textDate(std::string_view text) const { return host_.textDate(text); }

private:
    ChartHost& host_;
};

}  // namespace dx
