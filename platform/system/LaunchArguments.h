// What each command hands to the launcher: the file, web address or mail address to open.
#pragma once

#include <QString>

// Names and addresses are handed over as they stand: nothing is quoted or escaped,
// as no shell ever reads them (see Launcher::start).
namespace LaunchArguments {

// After saving: the file name exactly as the save dialog gave it.
QString savedFile(const QString &fileName);
// "Visita sito dell'autore ..." and the maker's picture in the about box: the site's address.
QString webSite(const QString &address);
// "Scrivi all'autore ...": a mail to the address.
QString mailTo(const QString &address);
// The about box's "ZNF" button: the bundle page beside the program.
QString bundlePage(const QString &percorso);
// A link label: its caption, the address it shows.
QString link(const QString &caption);

} // namespace LaunchArguments
