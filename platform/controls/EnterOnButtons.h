// Enter presses the focused button, as Space does, in any window.
#pragma once

class QWidget;

namespace EnterOnButtons {

// Every push and tool button of `window` (those it holds now) takes Enter and the
// keypad's Enter as a click while it has the focus. Qt gives Enter only to the
// default buttons of dialogs, and a window that has none, or is no dialog,
// would let the key fall through to nothing.
void watch(QWidget *window);

} // namespace EnterOnButtons
