// The span fill as it stood before it learnt runs and narrow-area shortcuts, kept so
// that the benchmark can show old and new side by side in one run. It is compiled
// on its own, as the fill itself is, so that both get the same code generation.
#pragma once

#include "platform/picture/FloodFill.h"

namespace previous {

// The same contract as ::floodFill() without the runs.
FloodFillResult floodFill(quint32 *bits, int width, int height, qsizetype stride,
                          QPoint start, quint32 color, quint32 fill, FloodFillType type);

} // namespace previous
