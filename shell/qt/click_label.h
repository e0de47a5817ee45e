// A text label that reports a click: a left-button press and release on it.
#pragma once

#include <QLabel>

namespace volleon::qt {

class ClickLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace volleon::qt
