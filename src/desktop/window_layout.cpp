#include "desktop/window_layout.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace dx::layout {

namespace {

constexpr int kChartLeft = kChart.left() + kChartBorder;
constexpr int kChartTop = kChart.top() + kChartBorder;
constexpr int kAxisTop = kChart.bottom() + 6;
constexpr int kAxisHeight = 22;
constexpr int kBarTop = kAxisTop + kAxisHeight + 6;

// A label of width w centred under the chart's x range [x1, x2] in twips.
QRect underChart(double x1, double x2, int w) {
    const double centre = kChartLeft + (x1 + x2) / 2 * kChartScale;
    return {static_cast<int>(centre - w / 2.0 + 0.5), kAxisTop, w, kAxisHeight};
}

}  // namespace

QRect controlRect(const std::string& name) {
    static const std::map<std::string, QRect> kRects = {
        // Level display and clock, in the panel at the top.
        {"Shape2", {116, 6, 486, 124}},
        {"Aff_Test", {132, 12, 170, 24}},
        {"Aff_Resultat", {132, 38, 170, 62}},
        {"Aff_Moyenne", {132, 100, 170, 22}},
        {"Aff_mmol", {312, 66, 90, 26}},
        {"Aff_Date", {412, 28, 176, 28}},
        {"Aff_Heure", {412, 66, 176, 28}},
        {"Animation", {132, 38, 170, 84}},
        {"Calibrateur", {124, 12, 290, 112}},
        {"Aff_Cal_X", {10, 10, 40, 36}},
        {"X_Axe", {56, 14, 130, 28}},
        {"Aff_Cal_Y", {10, 62, 40, 36}},
        {"Y_Axe", {56, 66, 130, 28}},
        // Results summary.
        {"Cadre_Resultats", {618, 4, 380, 126}},
        {"Aff_Optimal", {20, 28, 200, 26}},
        {"Aff_Suboptimal", {20, 58, 200, 26}},
        {"Aff_Compromis", {20, 88, 200, 26}},
        {"Aff_Res_Optim", {240, 28, 110, 26}},
        {"Aff_Res_Sub_Optim", {240, 58, 110, 26}},
        {"Aff_Res_Compro", {240, 88, 110, 26}},
        {"Img_Cam1", {1030, 52, 40, 40}},
        {"Img_Cam2", {1030, 52, 40, 40}},
        // Chart, its axis and the scrollbar.
        {"Graphique", kChart},
        {"Aff_Mois_Jr1", {kChartLeft, kAxisTop, 40, kAxisHeight}},
        {"Aff_Nom_Mois", underChart(0, 3650, 260)},
        {"Aff_Mois_Dernier_Jr", underChart(3650 - 160, 3650, 40)},
        {"Curseur", {kChart.left(), kBarTop, kChart.width() - 34, 22}},
        {"Bout_Auj", {kChart.right() - 31, kBarTop, 32, 22}},
        // Entry panel, over the chart.
        {"Cadre_Ajouter", {kChartLeft + 200, kChartTop + 95, 530, 140}},
        {"Aff_Dial_Date", {14, 16, 70, 26}},
        {"Dialog_Date", {88, 16, 136, 28}},
        {"Aff_Dial_Heure", {238, 16, 70, 26}},
        {"Dialog_Heure", {312, 16, 84, 28}},
        {"Aff_Dial_Taux", {14, 56, 70, 26}},
        {"Dialog_Taux", {88, 56, 136, 28}},
        {"Aff_Dial_Note", {14, 96, 70, 26}},
        {"Dialog_Note", {88, 96, 308, 28}},
        {"Bout_Ok", {418, 16, 98, 32}},
        {"Bout_Cancel", {418, 58, 98, 32}},
        // Meter.
        {"Thermometre", kTherm},
        // Banner and information line across the bottom.
        {"Picture2", {10, kBarTop + 34, 304, 44}},
        {"Image_FTP", {2, 2, 300, 40}},
        {"Information", {332, kBarTop + 44, kWindow.width() - 346, 26}},
        // Labels that hold state and are never shown: above the visible area.
        {"Aff_Langue", {0, -40, 60, 20}},
        {"Aff_Pas_Branche", {0, -40, 60, 20}},
        {"Aff_Anim", {0, -40, 60, 20}},
    };
    const auto it = kRects.find(name);
    return it == kRects.end() ? QRect() : it->second;
}

double zoomToFit(QSize available, int menuBarHeight) {
    const double across = double(available.width() - kFrameRoom.width()) / kWindow.width();
    const double down =
        double(available.height() - kFrameRoom.height() - menuBarHeight) / kWindow.height();
    // A screen too small for any sensible drawing still gets a window.
    return std::clamp(std::min(across, down), 0.25, 1.0);
}

QRect zoomed(QRect design, double zoom) {
    if (zoom == 1 || !design.isValid()) return design;
    auto at = [zoom](int v) { return static_cast<int>(std::floor(v * zoom)); };
    const int left = at(design.left());
    const int top = at(design.top());
    return {left, top, at(design.left() + design.width()) - left,
            at(design.top() + design.height()) - top};
}

QRect dayLabelRect(int index) {
    // Label 7 is the rightmost day; each day is a partition 521 twips wide.
    const double right = 3650 - (7 - index) * 521.0;
    return underChart(right - 521, right, 48);
}

QRect monthLabelRect(int index) {
    const double right = 3650 - (12 - index) * 304.0;
    return underChart(right - 304, right, index == 12 ? 48 : 26);
}

QRect levelLabelRect(int index) {
    // Level 5 x index mmol/L lies at y = 1300 - 52 x level twips.
    const double y = kChartTop + (1300 - 260.0 * index) * kChartScale;
    return {kChart.left() - 38, static_cast<int>(y - 10), 34, 20};
}

}  // namespace dx::layout
