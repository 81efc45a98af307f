// The program-wide state, shared by every window for the whole run.
#pragma once

#include "platform/picture/ColorValue.h"

#include <QString>

namespace Module1 {

// The program's own folder, always ending in "/"; set once at start-up.
extern QString Percorso;
// Copy of the colour the user chose last.
extern ColorValue ColoreAttuale;
// 1 while the retouch pen is on, else 0.
extern qint16 ModoRitocco;
// The chooser's current folder (no trailing "/"), kept across its re-creation.
extern QString CartellaScelta;
// The folder shown by the chooser, with exactly one trailing "/".
extern QString PercorsoScelto;

// Back to the state at program start (zero or empty).
void reset();

} // namespace Module1
