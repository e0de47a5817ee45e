// Qt widgets, colours and fonts made from the window designs.
#pragma once

#include <QColor>
#include <QFont>

#include "shell/design/window_design.h"
#include "twips.h"

class QWidget;
class QTimer;

namespace volleon::qt {

QColor toColour(design::Rgb rgb);
QFont toFont(const design::FontDesign& font);

// Sets a widget's background colour and text colour, where the design gives them.
void applyColours(QWidget& widget, std::optional<design::Rgb> back, std::optional<design::Rgb> fore);

// A push button or label of the design as a child of `parent`, placed in
// pixels. Labels are ClickLabel so a click on one can have a handler.
QWidget* buildControl(const design::ControlDesign& control, QWidget& parent, const Twips& twips);

// A disabled timer of the design, ticking with millisecond precision.
QTimer* buildTimer(const design::ControlDesign& control, QObject& parent);

}  // namespace volleon::qt
