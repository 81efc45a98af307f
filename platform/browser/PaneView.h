// The pane's web view, whose right-click menu speaks Italian and offers only what works.
#pragma once

#include "platform/dialogs/CommonDialog.h"

#include <QUrl>
#include <QWebEngineView>
#include <functional>

class QWebEngineDownloadRequest;

// The engine's own menu is English on Debian and its "Save image" did nothing.
// This one offers, for a picture, copying it or its address and saving it
// where the save dialog says; for a link, copying its address; for selected
// text, copying it; in a field, the editing commands; elsewhere, back, forward
// and reload. The engine's keys and the drag of pictures stay as they are.
// The start page shows small copies of the drawings: copied or saved, each
// gives the whole drawing, as its drag does.
class PaneView : public QWebEngineView
{
    Q_OBJECT
public:
    explicit PaneView(QWidget *parent = nullptr);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Runs `then` with the whole drawing a picture of the program's own start
    // page stands for (its data-disegno), or with an empty address for any
    // other picture.
    void findWholeDrawing(const QUrl &shown, const std::function<void(const QUrl &)> &then);
    void copyPicture(const QUrl &shown);
    void savePicture(const QUrl &shown);
    // The picture the menu asked the engine for: only its download is taken,
    // so that a page cannot bring up the save dialog by itself.
    void saveDownload(QWebEngineDownloadRequest *download);

    QUrl m_saving;
    CommonDialog m_saveDialog;
    QString m_saveFolder;
};
