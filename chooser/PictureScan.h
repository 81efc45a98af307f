// Which file names are pictures, and the chooser's list of them for one folder.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The extensions the chooser lists, as its "Rivisualizza lista" tooltip names them.
inline const QString PictureExtensions = QStringLiteral(".JPG.JPEG.IFF.BMP.CUR.ICO.DIB.GIF.EMF.WMF.RLE");

// The last four characters (the whole name when shorter), upper-cased, begin with
// "." and occur in PictureExtensions; or the last five are ".JPEG". So .jpg, .jpe,
// .jpeg, .iff, .bmp, .cur, .ico, .dib, .gif, .emf, .wmf and .rle in any letter case.
bool isPictureName(const QString &name);

struct PictureScan
{
    // A folder may hold any number of pictures; the list shows the first ones only.
    static constexpr int MaxListed = 1000;

    QStringList NomiFoto;          // the listed names, spelled as in the folder, at most MaxListed
    QList<QByteArray> nativeNames; // each of them as the system stores it (see FolderListing.h)
    int count = 0;                 // every picture name found, also those past MaxListed
};

// The picture names among the ordinary, visible files directly in `folder` (with
// or without its trailing "/"). An unreadable or missing folder gives none.
PictureScan scanPictures(const QString &folder);

// The count label: "N. 12 Immagini".
QString pictureCountCaption(int count);
