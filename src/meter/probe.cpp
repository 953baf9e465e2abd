#include "meter/meter.h"
#include "meter/meter_texts.h"

namespace dx {

namespace {

constexpr int32_t kUnplugged = 167;

}  // namespace

// A failed query leaves the last positions in place: a position of 0 would
// read as a drop on the probe and could start or spoil a blood test.
void Meter::Joysticks() {
    const ProbeReading reading = platform.probe.read();
    state.Etat_Sonde = reading.status;
    if (reading.status == 0)
        state.Position_Sonde = reading;
    else
        state.Position_Sonde.status = reading.status;
}

void Meter::Port_Joystick() {
    Joysticks();
    if (state.Mode_Calibration == 1) Verifier_Calibration();
    if (state.Mode_Analyse == 1 && state.Analyse_En_Cours != 1) Afficher_Analyse();
}

void Meter::Timer_Joyst_Timer() { Port_Joystick(); }

// The start-up detection ends by showing the status: an attached probe makes
// the blood test and the calibration available from the start.
void Meter::Presence_Joystick() {
    Joysticks();
    Afficher_Informations();
}

void Meter::Afficher_Informations() {
    const int16_t langue = settings.Langue;
    if (state.Etat_Sonde == 0) {
        Information.fore = colour::kDarkBlue;
        // During a blood test the line carries the run's own prompts.
        if (!Animation.visible) {
            Information.caption = pick(meter_text::kAttached, langue);
            Menu_Sang.enabled = true;
            Menu_Calib.enabled = true;
        }
    } else if (state.Etat_Sonde == kUnplugged) {
        Information.fore = colour::kDarkRed;
        Information.caption = pick(meter_text::kUnplugged, langue);
        Menu_Sang.enabled = false;
    } else {
        Information.fore = colour::kDarkRed;
        Information.caption = std::string(meter_text::kPortErrorPrefix) + kMakerWebAddress;
    }
}

}  // namespace dx
