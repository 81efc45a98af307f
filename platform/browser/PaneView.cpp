// PaneView: the pane's menu over the engine's page actions, and pictures saved through the save dialog.
#include "platform/browser/PaneView.h"

#include "platform/dialogs/MessageBox.h"
#include "platform/picture/PictureFile.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineScript>

PaneView::PaneView(QWidget *parent) : QWebEngineView(parent)
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    m_saveFolder = QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
    connect(page()->profile(), &QWebEngineProfile::downloadRequested, this, &PaneView::saveDownload);
}

void PaneView::contextMenuEvent(QContextMenuEvent *event)
{
    const QWebEngineContextMenuRequest *request = lastContextMenuRequest();
    if (!request)
        return;
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto add = [this, menu](const QString &caption, QWebEnginePage::WebAction action, bool enabled = true) {
        menu->addAction(caption, this, [this, action] { page()->triggerAction(action); })->setEnabled(enabled);
    };
    using Edit = QWebEngineContextMenuRequest;
    const Edit::EditFlags can = request->editFlags();
    if (request->isContentEditable()) {
        add(QStringLiteral("Annulla"), QWebEnginePage::Undo, can & Edit::CanUndo);
        add(QStringLiteral("Ripeti"), QWebEnginePage::Redo, can & Edit::CanRedo);
        menu->addSeparator();
        add(QStringLiteral("Taglia"), QWebEnginePage::Cut, can & Edit::CanCut);
        add(QStringLiteral("Copia"), QWebEnginePage::Copy, can & Edit::CanCopy);
        add(QStringLiteral("Incolla"), QWebEnginePage::Paste, can & Edit::CanPaste);
        menu->addSeparator();
        add(QStringLiteral("Seleziona tutto"), QWebEnginePage::SelectAll, can & Edit::CanSelectAll);
    } else if (!request->selectedText().isEmpty()) {
        add(QStringLiteral("Copia"), QWebEnginePage::Copy);
    }
    if (request->linkUrl().isValid()) {
        if (!menu->isEmpty())
            menu->addSeparator();
        add(QStringLiteral("Copia indirizzo del collegamento"), QWebEnginePage::CopyLinkToClipboard);
    }
    if (request->mediaType() == Edit::MediaTypeImage && request->mediaUrl().isValid()) {
        if (!menu->isEmpty())
            menu->addSeparator();
        const QUrl picture = request->mediaUrl();
        menu->addAction(QStringLiteral("Copia immagine"), this, [this, picture] { copyPicture(picture); });
        add(QStringLiteral("Copia indirizzo dell'immagine"), QWebEnginePage::CopyImageUrlToClipboard);
        menu->addAction(QStringLiteral("Salva immagine..."), this, [this, picture] { savePicture(picture); });
    }
    if (menu->isEmpty()) {
        add(QStringLiteral("Indietro"), QWebEnginePage::Back, history()->canGoBack());
        add(QStringLiteral("Avanti"), QWebEnginePage::Forward, history()->canGoForward());
        add(QStringLiteral("Ricarica"), QWebEnginePage::Reload);
    }
    menu->popup(event->globalPos());
}

void PaneView::findWholeDrawing(const QUrl &shown, const std::function<void(const QUrl &)> &then)
{
    // Only the program's own pages, which are files: a page from the web must
    // not point the menu at the user's files.
    if (!url().isLocalFile()) {
        then({});
        return;
    }
    const QString script = QStringLiteral(
        "(function (shown) {"
        "  for (const img of document.images)"
        "    if (img.dataset.disegno && (img.currentSrc || img.src) === shown)"
        "      return new URL(img.dataset.disegno, document.baseURI).href;"
        "  return '';"
        "})(\"%1\")")
        // Fully encoded, an address holds no quote or backslash to break out of the string.
        .arg(shown.toString(QUrl::FullyEncoded));
    page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [then](const QVariant &found) {
        // No answer at all: the page is going away, and nothing is to be done.
        if (!found.isValid())
            return;
        const QUrl whole(found.toString());
        then(whole.isLocalFile() ? whole : QUrl());
    });
}

void PaneView::copyPicture(const QUrl &shown)
{
    findWholeDrawing(shown, [this](const QUrl &whole) {
        // Read as every picture of the program is, so a drawing cut short is not copied.
        const std::optional<QImage> drawing = whole.isValid() ? loadPicture(whole.toLocalFile()) : std::nullopt;
        if (!drawing || drawing->isNull()) {
            page()->triggerAction(QWebEnginePage::CopyImageToClipboard);
            return;
        }
        // The picture for programs that paste pictures, its file for those that
        // take files, as a drag from the page gives it.
        auto *data = new QMimeData;
        data->setImageData(*drawing);
        data->setUrls({whole});
        QGuiApplication::clipboard()->setMimeData(data);
    });
}

void PaneView::savePicture(const QUrl &shown)
{
    findWholeDrawing(shown, [this, shown](const QUrl &whole) {
        m_saving = whole.isValid() ? whole : shown;
        if (whole.isValid())
            page()->download(whole);
        else
            page()->triggerAction(QWebEnginePage::DownloadImageToDisk);
    });
}

void PaneView::saveDownload(QWebEngineDownloadRequest *download)
{
    // Not taken, a download is given up when this returns, as before.
    if (download->page() != page() || download->url() != m_saving)
        return;
    m_saving = QUrl();
    // The name comes from the server: only a plain suffix, letters and digits
    // as picture types are named, becomes a type of the list, whose own
    // separators and brackets a name like "a.p|n)g(.x|y" would otherwise bring.
    QString suffix = QFileInfo(download->downloadFileName()).suffix();
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9]{1,10}$"));
    if (!plain.match(suffix).hasMatch())
        suffix.clear();
    const QString allFiles = QStringLiteral("Tutti i file (*)|*|");
    m_saveDialog.setFilter(suffix.isEmpty() ? allFiles
                                            : QStringLiteral("Immagine %1 (*.%2)|*.%2|").arg(suffix.toUpper(), suffix)
                                                  + allFiles);
    m_saveDialog.setFileName(m_saveFolder + QLatin1Char('/') + download->downloadFileName());
    m_saveDialog.ShowSave(window());
    const QString path = m_saveDialog.fileName();
    if (path.trimmed().isEmpty()) {
        download->cancel();
        return;
    }
    const QFileInfo target(path);
    m_saveFolder = target.absolutePath();
    download->setDownloadDirectory(m_saveFolder);
    download->setDownloadFileName(target.fileName());
    // Taken, a download ends cancelled only when the engine cannot write where
    // it was told (a file in the way of the folder, say), or interrupted.
    const QString part = target.absoluteFilePath() + QStringLiteral(".download");
    connect(download, &QWebEngineDownloadRequest::stateChanged, this, [this, path, part](auto state) {
        using Download = QWebEngineDownloadRequest;
        if (state != Download::DownloadCancelled && state != Download::DownloadInterrupted)
            return;
        // The engine writes beside the name chosen, under NAME.download, and
        // keeps what it wrote of an interrupted download, to resume it one day:
        // on a full disk that would keep the disk full. Nothing is resumed here.
        if (state == Download::DownloadInterrupted)
            QFile::remove(part);
        MessageBox::show(QStringLiteral("Impossibile salvare l'immagine \"%1\".").arg(path), MessageBox::OkOnly,
                         window());
    });
    download->accept();
}
