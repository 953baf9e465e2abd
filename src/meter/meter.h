#pragma once

// The meter: the probe on the joystick port, the calibration panel, the
// blood test run with its countdown, the thermometer and the falling drop.
// It owns its state and its procedures; the controls it drives are the
// window's, handed to it under their own names, and what it needs of the
// rest of the window comes through MeterHost.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "chart/chart.h"
#include "journal/journal.h"
#include "meter/meter_state.h"
#include "platform/controls.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace dx {

// The window's controls the meter reads and changes.
struct MeterControls {
    WindowProps& form;  // its key preview, so that Escape reaches Return
    Picture &Animation, &Goutte, &Probe_Vide;
    Line &Ligne_Therm1, &Ligne_Therm2, &Ligne_Therm3;
    Picture& Calibrateur;
    Label &Aff_Cal_X, &Aff_Cal_Y;
    TextField &X_Axe, &Y_Axe;
    Timer &Timer_Heure, &Timer_Joyst, &Timer_Anim, &Timer_Attente, &Timer_Analyse,
        &Timer_Calibration;
    MenuItem &Menu_Sang, &Menu_Calib, &Menu_Annuler, &Menu_Test;
    // Shared with the rest of the window.
    Label &Aff_Resultat, &Aff_Heure, &Aff_Date, &Information;
    MenuItem &Menu_Hystorique, &Menu_Prev, &Menu_Impr_Graph, &Menu_Sauve, &Menu_Note;
};

// What the meter needs of the window around it.
class MeterHost {
public:
    virtual DateTime today() const = 0;
    virtual DateTime now() const = 0;
    virtual std::optional<DateTime> textDate(std::string_view text) const = 0;
    virtual MsgAnswer message(const std::string& title, const std::string& text, MsgButtons buttons,
                              MsgIcon icon) = 0;
    // The commands a run keeps the user from while it lasts.
    virtual void Desactiver_Menu() = 0;
    // The one way a test enters the journal; false when it was refused.
    virtual bool addTest(std::string_view date, std::string_view time, std::string_view level,
                         std::string_view note) = 0;

protected:
    ~MeterHost() = default;
};

// What the meter reads of the rest of the window.
struct MeterReads {
    const Journal& journal;
    const SettingsState& settings;
    Platform& platform;
    Chart& chart;
};

class Meter : public MeterControls {
public:
    Meter(const MeterControls& controls, const MeterReads& reads, MeterHost& host);
    Meter(const Meter&) = delete;
    Meter& operator=(const Meter&) = delete;

    MeterState state;

    // The probe.
    void Joysticks();
    void Port_Joystick();
    void Timer_Joyst_Timer();
    void Presence_Joystick();
    void Afficher_Informations();
    // The calibration panel.
    void Menu_Calib_Click();
    void Calibration();
    void Afficher_Calibration();
    void Verifier_Calibration();
    void Timer_Calibration_Timer();
    void Afficher_Axes();
    // The blood test.
    void Menu_Sang_Click();
    void Lecture_Resultat();
    void Minuteries_On();
    void Timer_Attente_Timer();
    void Afficher_Analyse();
    void Timer_Analyse_Timer();
    void Accepter_Test();
    void Fin_Analyse();
    // The thermometer and the drop; the end of every run.
    void Afficher_Thermometre();
    void Thermometre_Zero();
    void Timer_Anim_Timer();
    void Fin_Animation();
    void Re_Activer_Menu();

private:
    const Journal& journal;
    const SettingsState& settings;
    Platform& platform;
    Chart& chart;
    MeterHost& host_;
};

}  // namespace dx
