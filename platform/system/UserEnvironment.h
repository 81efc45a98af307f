// The environment the user started the program with, for the programs it starts in turn.
#pragma once

#include <QProcessEnvironment>

// Pintavo sets variables of its own for the web engine and the window system,
// and the engine adds more: they suit this process alone. A picture viewer, a
// browser or a mail program started from here gets what the user had instead.
namespace UserEnvironment {

// Takes note of the process environment as it is now. Called once, before the
// program sets anything of its own (see Environment::prepare()).
void remember();

// The environment noted by remember() (the current one if it was never called),
// without the start-up notice the desktop gave this program alone: a token of
// that kind serves one start, and Qt has used it for Pintavo's own window.
QProcessEnvironment forOtherPrograms();

} // namespace UserEnvironment
