// The chooser's picture-name test and folder scan.
#include "chooser/PictureScan.h"

#include "platform/system/FolderListing.h"

bool isPictureName(const QString &name)
{
    const QString e4 = name.right(4).toUpper();
    const QString e5 = name.right(5).toUpper();
    return (e4.startsWith(QLatin1Char('.')) && PictureExtensions.contains(e4, Qt::CaseSensitive))
        || e5 == QLatin1String(".JPEG");
}

PictureScan scanPictures(const QString &folder)
{
    PictureScan scan;
    const QList<ListedFile> files = ordinaryFiles(folder);
    for (const ListedFile &file : files) {
        if (!isPictureName(file.text))
            continue;
        if (scan.count < PictureScan::MaxListed) {
            scan.NomiFoto.append(file.text);
            scan.nativeNames.append(file.native);
        }
        ++scan.count;
    }
    return scan;
}

QString pictureCountCaption(int count)
{
    return QStringLiteral("N. %1 Immagini").arg(count);
}
