// Opening a file, a web address or a mail address with the desktop's own programs.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace Launcher {

// Hands the argument to the desktop and returns at once, without waiting for the
// program that opens it. An argument with a scheme ("http:", "https:",
// "mailto:", "file:") is an address; anything else is a file path, taken as it
// stands: blanks, quotes or shell characters in it reach the opening program as
// part of the name, and nothing is run through a shell. The opener (xdg-open)
// gets the environment the user started Pintavo with (UserEnvironment). False
// when the desktop could not take it; the program goes on either way.
bool start(const QString &argument);

// The address start() hands to the desktop for an argument.
QUrl urlFor(const QString &argument);

// After the application object: what Qt's desktop services are asked to open
// (file, web and mail addresses, by the web engine too) goes through start().
void openDesktopServicesHere();

// Tests record the arguments instead of opening anything: while a recorder is
// set, start() appends to it and returns `answer`.
struct Recorder
{
    QStringList arguments;
    bool answer = true;
};
void recordForTests(Recorder *recorder);

} // namespace Launcher
