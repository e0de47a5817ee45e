#include "click_label.h"

#include <QMouseEvent>

namespace volleon::qt {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
    }
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) {
        pressed_ = false;
    }
    QLabel::mouseReleaseEvent(event);
    if (click) {
        emit clicked();
    }
}

}  // namespace volleon::qt
