// The command line: which picture to start on, and the answers to --help and --version.
#include "app/CommandLine.h"

#include "app/AppInfo.h"
#include "platform/picture/PictureFile.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace CommandLine {

Arguments parse(const QStringList &arguments)
{
    Arguments parsed;
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (options && argument.startsWith(QLatin1Char('-'))) {
            // Help and version win over a picture, wherever they stand; any other
            // option (Qt's own included) is left alone.
            if (argument == QLatin1String("--help"))
                return {Request::Help, {}};
            if (argument == QLatin1String("--version"))
                parsed.request = Request::Version;
        } else if (parsed.pictureFile.isEmpty()) {
            parsed.pictureFile = argument;
        }
    }
    if (parsed.request != Request::Start)
        parsed.pictureFile.clear();
    return parsed;
}

QString helpText()
{
    return QStringLiteral(
        "Uso: pintavo [FILE]\n"
        "Usage: pintavo [FILE]\n"
        "\n"
        "Pintavo, l'album da colorare per bambini. Con FILE comincia da quell'immagine\n"
        "invece che da un disegno a caso della cartella Immagini.\n"
        "Pintavo, the colouring book for children. With FILE it starts on that picture\n"
        "instead of a random drawing from the Immagini folder.\n"
        "\n"
        "  --help     mostra questo aiuto ed esce / shows this help and exits\n"
        "  --version  mostra la versione ed esce / shows the version and exits\n"
        "\n"
        "Altro nella pagina di manuale / More in the manual page: man pintavo\n");
}

QString versionText()
{
    return QStringLiteral("%1 %2.%3.%4\n%5 - %6\nLicenza / Licence: GPL-3.0-or-later\n")
        .arg(AppInfo::Title)
        .arg(AppInfo::VersionMajor)
        .arg(AppInfo::VersionMinor)
        .arg(AppInfo::VersionRevision)
        .arg(AppInfo::MakerName, AppInfo::MakerSite);
}

std::optional<int> answer(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QFile::decodeName(argv[i]));
    const Request request = parse(arguments).request;
    if (request == Request::Start)
        return std::nullopt;
    const QByteArray text = (request == Request::Help ? helpText() : versionText()).toLocal8Bit();
    // A closed or full standard output is a failure, not an answer given.
    const bool written = std::fwrite(text.constData(), 1, size_t(text.size()), stdout) == size_t(text.size());
    return std::fflush(stdout) == 0 && written ? 0 : 1;
}

std::optional<QImage> openPicture(const QString &path, QString *message)
{
    const auto refuse = [&](const QString &why) -> std::optional<QImage> {
        if (message)
            *message = QStringLiteral("Impossibile aprire il file \"%1\"").arg(path) + why;
        return std::nullopt;
    };
    const QFileInfo file(path);
    if (!file.exists())
        return refuse(QStringLiteral(": il file non esiste."));
    // A folder, a pipe or a device is no picture; none of them is opened, as a
    // pipe would wait for a writer for ever.
    if (!file.isFile())
        return refuse(QStringLiteral(": non è un'immagine che Pintavo sa leggere."));
    if (QFile probe(path); !probe.open(QIODevice::ReadOnly))
        return refuse(QStringLiteral(": non si riesce a leggerlo (forse mancano i permessi)."));
    auto failure = PictureFailure::Unreadable;
    if (auto picture = loadPicture(path, &failure))
        return picture;
    if (failure == PictureFailure::TooLarge)
        return refuse(QStringLiteral(".\n") + pictureTooLargeMessage());
    return refuse(QStringLiteral(": non è un'immagine che Pintavo sa leggere."));
}

} // namespace CommandLine
