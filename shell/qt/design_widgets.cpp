#include "design_widgets.h"

#include <QPushButton>
#include <QTimer>

#include "click_label.h"
#include "pictures.h"
#include "qt_text.h"

namespace volleon::qt {

namespace {

QWidget* buildLabel(const design::ControlDesign& control, QWidget& parent) {
    auto* label = new ClickLabel(toQString(control.text), &parent);
    label->setAlignment((control.alignment == design::TextAlignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
                        Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    if (control.customCursor) {
        label->setCursor(linkCursor());
    }
    return label;
}

}  // namespace

QColor toColour(design::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

QFont toFont(const design::FontDesign& font) {
    // Faces the designs name that a Linux desktop lacks, mapped to fonts
    // with the same metrics.
    static const bool substitutesInstalled = [] {
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        return true;
    }();
    (void)substitutesInstalled;
    QFont result(toQString(font.family));
    result.setPointSizeF(font.points);
    result.setWeight(static_cast<QFont::Weight>(font.weight));
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikeOut);
    result.setStyleHint(QFont::SansSerif);
    return result;
}

void applyColours(QWidget& widget, std::optional<design::Rgb> back, std::optional<design::Rgb> fore) {
    QPalette palette = widget.palette();
    if (back) {
        palette.setColor(QPalette::Window, toColour(*back));
        widget.setAutoFillBackground(true);
    }
    if (fore) {
        palette.setColor(QPalette::WindowText, toColour(*fore));
    }
    widget.setPalette(palette);
}

QWidget* buildControl(const design::ControlDesign& control, QWidget& parent, const Twips& twips) {
    QWidget* widget = nullptr;
    switch (control.kind) {
    case design::ControlKind::PushButton:
        widget = new QPushButton(toQString(control.text), &parent);
        break;
    case design::ControlKind::Label:
        widget = buildLabel(control, parent);
        break;
    case design::ControlKind::Timer:
    case design::ControlKind::CircleShape:
        return nullptr;
    }
    widget->setObjectName(toQString(control.name));
    if (control.font) {
        widget->setFont(toFont(*control.font));
    }
    applyColours(*widget, control.backColour, control.foreColour);
    widget->setGeometry(twips.toPixels(control.rect));
    if (control.autoSize) {
        widget->adjustSize();
    }
    widget->setVisible(control.visible);
    return widget;
}

QTimer* buildTimer(const design::ControlDesign& control, QObject& parent) {
    auto* timer = new QTimer(&parent);
    timer->setObjectName(toQString(control.name));
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(control.intervalMs);
    return timer;
}

}  // namespace volleon::qt
