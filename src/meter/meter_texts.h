#pragma once

// Every text the meter shows, French beside English.

#include "platform/text.h"

namespace dx {
// The maker's web address, the one the information line shows at start.
extern const char* const kMakerWebAddress;
}  // namespace dx

namespace dx::meter_text {

inline constexpr Bilingual kAttached{"Le cordon est branché.", "The divice is attached."};
inline constexpr Bilingual kUnplugged{"Le cordon est débranché.", "The divice is unplugged."};
// Followed by the maker's web address on any other port error.
inline constexpr const char* kPortErrorPrefix = "INFO:  ";

inline constexpr Bilingual kCheckCalibration{"Vérifier votre calibration",
                                             "Check your calibration"};

inline constexpr Bilingual kPlaceDrop{"Placez une goutte de sang entre les électrodes.",
                                      "Place a drop of blood between the electrodes."};
inline constexpr Bilingual kOneMoment{"Un instant S.V.P.", "One moment please"};
inline constexpr Bilingual kTestErrorTitle{"Erreur d'analyse", "Test error"};
inline constexpr Bilingual kTestErrorText{"Nettoyez ou assècher votre sonde",
                                          "Clean or dry your probe"};
// Follows the seconds left on the countdown.
inline constexpr const char* kSecondsSuffix = " sec.";

}  // namespace dx::meter_text
