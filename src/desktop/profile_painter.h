#pragma once

// The modal day painted on any QPainter: the report's page and the
// statistics dialog draw the same chart from the same core data.

#include <QRectF>

#include "report/glucose_profile.h"

class QPainter;

namespace dx {

struct ModalDayLook {
    double text = 26;  // the labels' size, in the painter's units
    double line = 6;   // the median's width
    int16_t unite = 0, langue = 0;
    double targetLow = 0, targetHigh = 0;
};

// The top of the value axis: a round step above the highest value drawn.
double chartTop(double highest, int16_t unite);

// Paints the chart in area (axes and labels inside it): the target band,
// the 5-95 % and 25-75 % bands and the median where enough readings fall,
// the other stretches shaded and marked as having too few.
void paintModalDay(QPainter& p, const QRectF& area, const report::ModalDay& day,
                   const ModalDayLook& look);

}  // namespace dx
