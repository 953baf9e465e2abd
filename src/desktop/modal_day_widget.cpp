#include "desktop/modal_day_widget.h"

#include <QPainter>

namespace dx {

ModalDayWidget::ModalDayWidget(QWidget* parent) : QWidget(parent) { setMinimumSize(480, 220); }

void ModalDayWidget::setModalDay(const report::ModalDay& day, const ModalDayLook& look) {
    day_ = day;
    look_ = look;
    update();
}

void ModalDayWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    ModalDayLook look = look_;
    look.text = fontMetrics().height() * 0.8;
    look.line = 2.5;
    paintModalDay(p, QRectF(rect()).adjusted(4, 4, -4, -4), day_, look);
}

}  // namespace dx
