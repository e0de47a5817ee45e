// Qt key codes to the virtual-key codes the rules read (65 'A', 222 the
// apostrophe key, 27 Escape, ...). A key gives the same code with and without
// Shift: the apostrophe key is 222 also when it types a double quote.
#pragma once

#include <Qt>

namespace volleon::qt {

// The virtual-key code of a Qt key, or 0 for a key without one.
int virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace volleon::qt
