#include "meter/meter.h"

namespace dx {

Meter::Meter(const MeterControls& controls, const MeterReads& reads, MeterHost& host)
    : MeterControls(controls),
      journal(reads.journal),
      settings(reads.settings),
      platform(reads.platform),
      chart(reads.chart),
      host_(host) {}

}  // namespace dx
