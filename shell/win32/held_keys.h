// Keys the program's thread still counts as held once it is no longer the
// active application.
#pragma once

namespace volleon::win32 {

// Marks every key the thread's keyboard state holds down as up, keeping the
// toggle states; mouse buttons are left alone. A key let go while another
// program is active never reaches this thread, so without this it would
// stay down in the state that GetKeyboardState reads.
void releaseHeldKeys();

}  // namespace volleon::win32
