// The program's title and version and its maker's names and addresses, in one place.
#pragma once

#include <QString>

namespace AppInfo {

inline const QString Title = QStringLiteral("Pintavo");
inline constexpr int VersionMajor = PINTAVO_VERSION_MAJOR;
inline constexpr int VersionMinor = PINTAVO_VERSION_MINOR;
inline constexpr int VersionRevision = PINTAVO_VERSION_PATCH;

// A distributor changes the maker here and nowhere else.
inline const QString MakerName = QStringLiteral("Studio Pintavo");
inline const QString MakerDomain = QStringLiteral("www.pintavo.example");
inline const QString MakerSite = QStringLiteral("http://www.pintavo.example/");
inline const QString MakerEmail = QStringLiteral("autore@pintavo.example");

} // namespace AppInfo
