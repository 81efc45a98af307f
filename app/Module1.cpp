// Storage of the program-wide state.
#include "app/Module1.h"

namespace Module1 {

QString Percorso;
ColorValue ColoreAttuale;
qint16 ModoRitocco = 0;
QString CartellaScelta;
QString PercorsoScelto;

void reset()
{
    Percorso.clear();
    ColoreAttuale = ColorValue();
    ModoRitocco = 0;
    CartellaScelta.clear();
    PercorsoScelto.clear();
}

} // namespace Module1
