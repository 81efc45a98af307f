// What the process needs before and right after the application object exists.
#pragma once

class QCoreApplication;

namespace Environment {

// Before the application object: the web engine's needs. Its sandbox cannot
// work for root, so it is switched off then, and only then.
void prepare();

// After the application object: Qt's own dialogs and buttons speak Italian.
void installItalian(QCoreApplication &app);

} // namespace Environment
