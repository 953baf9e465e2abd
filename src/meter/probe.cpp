#include "meter/meter_texts.h"
#include "window/fenetre.h"

namespace dx {

namespace {

constexpr int32_t kUnplugged = 167;

}  // namespace

// A failed query leaves the last positions in place: a position of 0 would
// read as a drop on the probe and could start or spoil a blood test.
void Fenetre::Joysticks() {
    const ProbeReading reading = platform.probe.read();
    meter.Etat_Sonde = reading.status;
    if (reading.status == 0)
        meter.Position_Sonde = reading;
    else
        meter.Position_Sonde.status = reading.status;
}

void Fenetre::Port_Joystick() {
    Joysticks();
    if (meter.Mode_Calibration == 1) Verifier_Calibration();
    if (meter.Mode_Analyse == 1 && meter.Analyse_En_Cours != 1) Afficher_Analyse();
}

void Fenetre::Timer_Joyst_Timer() { Port_Joystick(); }

// The start-up detection ends by showing the status: an attached probe makes
// the blood test and the calibration available from the start.
void Fenetre::Presence_Joystick() {
    Joysticks();
    Afficher_Informations();
}

void Fenetre::Afficher_Informations() {
    const int16_t langue = settings.Langue;
    if (meter.Etat_Sonde == 0) {
        Information.fore = colour::kDarkBlue;
        // During a blood test the line carries the run's own prompts.
        if (!Animation.visible) {
            Information.caption = pick(meter_text::kAttached, langue);
            Menu_Sang.enabled = true;
            Menu_Calib.enabled = true;
        }
    } else if (meter.Etat_Sonde == kUnplugged) {
        Information.fore = colour::kDarkRed;
        Information.caption = pick(meter_text::kUnplugged, langue);
        Menu_Sang.enabled = false;
    } else {
        Information.fore = colour::kDarkRed;
        Information.caption = std::string(meter_text::kPortErrorPrefix) + kMakerWebAddress;
    }
}

}  // namespace dx
