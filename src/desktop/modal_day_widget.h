#pragma once

// The modal day of a range as a widget: the chart the report's first page
// draws, painted by the same painter from the same core data.

#include <QWidget>

#include "desktop/profile_painter.h"

namespace dx {

class ModalDayWidget : public QWidget {
public:
    explicit ModalDayWidget(QWidget* parent = nullptr);

    void setModalDay(const report::ModalDay& day, const ModalDayLook& look);
    const report::ModalDay& day() const { return day_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    report::ModalDay day_{};
    ModalDayLook look_;
};

}  // namespace dx
