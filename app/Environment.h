// What the process needs before and right after the application object exists.
#pragma once

class QByteArray;
class QCoreApplication;

namespace Environment {

// Before the application object: the web engine's needs. Its sandbox cannot
// work for root, so it is switched off then, and only then. Unless the user set
// QTWEBENGINE_CHROMIUM_FLAGS, the engine is given webEngineFlags(). The
// environment as it was before is kept for the programs Pintavo starts
// (UserEnvironment).
void prepare();

// The engine's options that keep the program light, with or without its sandbox.
QByteArray webEngineFlags(bool sandboxOff);

// After the application object: Qt's own dialogs and buttons speak Italian.
void installItalian(QCoreApplication &app);

} // namespace Environment
