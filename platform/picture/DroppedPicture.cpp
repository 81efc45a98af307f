// DroppedPicture: mime data to picture, web pictures through QNetworkAccessManager.
#include "platform/picture/DroppedPicture.h"

#include "platform/picture/PictureFile.h"

#include <QBuffer>
#include <QMimeData>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace {

bool isWeb(const QUrl &url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

// The picture types the data is offered in as the bytes of a file (image/png,
// image/bmp ...), as other programs offer their pictures.
QStringList encodedPictureTypes(const QStringList &formats)
{
    QStringList types;
    for (const QString &type : formats)
        if (type.startsWith(QLatin1String("image/")))
            types.append(type);
    return types;
}

QStringList encodedPictureTypes(const QMimeData *data)
{
    return encodedPictureTypes(data->formats());
}

QList<QUrl> droppedUrls(const QMimeData *data)
{
    QList<QUrl> urls = data->urls();
    if (urls.isEmpty() && data->hasText()) {
        const QUrl typed(data->text().trimmed(), QUrl::StrictMode);
        if (typed.isValid() && (typed.isLocalFile() || isWeb(typed)))
            urls.append(typed);
    }
    return urls;
}

} // namespace

DroppedPicture::DroppedPicture(QObject *parent) : QObject(parent) {}

bool DroppedPicture::mayHoldPicture(const QMimeData *data)
{
    if (!data)
        return false;
    if (data->hasImage() || !encodedPictureTypes(data).isEmpty())
        return true;
    for (const QUrl &url : droppedUrls(data))
        if (url.isLocalFile() || isWeb(url))
            return true;
    return false;
}

QUrl DroppedPicture::webAddress(const QMimeData *data)
{
    for (const QUrl &url : droppedUrls(data))
        if (isWeb(url))
            return url;
    return {};
}

std::unique_ptr<QMimeData> DroppedPicture::snapshot(const QMimeData *data)
{
    auto copy = std::make_unique<QMimeData>();
    const QStringList types = data ? data->formats() : QStringList();
    const QString qtImage = QStringLiteral("application/x-qt-image");
    QStringList asked = encodedPictureTypes(types);
    // Other programs offer many picture types: one is enough, PNG where offered.
    const qsizetype png = asked.indexOf(QLatin1String("image/png"));
    asked = asked.isEmpty() ? QStringList() : QStringList{asked.at(png < 0 ? 0 : png)};
    // A picture handed over within the program, which alone lists no picture type beside it.
    if (asked.isEmpty() && types.contains(qtImage))
        copy->setImageData(data->imageData());
    for (const QString type : {QStringLiteral("text/uri-list"), QStringLiteral("text/plain")})
        if (types.contains(type))
            asked.append(type);
    for (const QString &type : asked) {
        const QByteArray bytes = data->data(type);
        if (bytes.isEmpty())
            break;
        copy->setData(type, bytes);
    }
    return copy;
}

void DroppedPicture::read(const QMimeData *data)
{
    if (!data)
        return;
    abandon();
    bool tooLargeSeen = false;
    // Qt would turn these bytes into a picture by itself, and take a cut file for
    // a whole one; they go through the reader's checks as a file's bytes do.
    bool bytesSeen = false;
    for (const QString &type : encodedPictureTypes(data)) {
        QByteArray bytes = data->data(type);
        if (bytes.isEmpty())
            continue;
        bytesSeen = true;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        auto failure = PictureFailure::Unreadable;
        if (const auto picture = loadPicture(&buffer, &failure); picture && !picture->isNull()) {
            emit ready(*picture);
            return;
        }
        tooLargeSeen = tooLargeSeen || failure == PictureFailure::TooLarge;
    }
    // Without bytes, the picture was handed over within the program as it stands.
    if (!bytesSeen && data->hasImage()) {
        const QImage picture = qvariant_cast<QImage>(data->imageData());
        if (!picture.isNull() && isTooLargeForTheSheet(picture.size())) {
            emit tooLarge();
            return;
        }
        if (!picture.isNull()) {
            emit ready(picture);
            return;
        }
    }
    // The browser pane hands a picture over as a temporary copy of its file.
    for (const QUrl &url : droppedUrls(data)) {
        if (!url.isLocalFile())
            continue;
        auto failure = PictureFailure::Unreadable;
        if (const auto picture = loadPicture(url.toLocalFile(), &failure); picture && !picture->isNull()) {
            emit ready(*picture);
            return;
        }
        tooLargeSeen = tooLargeSeen || failure == PictureFailure::TooLarge;
    }
    const QUrl web = webAddress(data);
    if (web.isValid())
        fetch(web);
    else if (tooLargeSeen)
        emit tooLarge();
}

void DroppedPicture::abandon()
{
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    // Cleared first, so the reply's end, which abort() announces at once, is
    // taken for what it is: a fetch nobody waits for any more.
    m_reply = nullptr;
    reply->abort();
    reply->deleteLater();
    emit fetchingChanged(false);
}

void DroppedPicture::fetch(const QUrl &url)
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // A slow line keeps sending: the fetch waits for it as long as bytes come.
    request.setTransferTimeout(m_webSilenceMs);
    QNetworkReply *reply = m_network->get(request);
    m_reply = reply;
    emit fetchingChanged(true);
    // A timeout on silence alone would let a server that trickles bytes keep
    // the fetch going for ever; this limit measures the whole fetch.
    auto *limit = new QTimer(reply);
    limit->setSingleShot(true);
    connect(limit, &QTimer::timeout, reply, &QNetworkReply::abort);
    limit->start(m_webWholeMs);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64 total) {
        if (received > MaxWebBytes || total > MaxWebBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        if (m_reply != reply)
            return;
        m_reply = nullptr;
        emit fetchingChanged(false);
        if (reply->error() != QNetworkReply::NoError)
            return;
        QByteArray bytes = reply->readAll();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        auto failure = PictureFailure::Unreadable;
        if (const auto picture = loadPicture(&buffer, &failure); picture && !picture->isNull())
            emit ready(*picture);
        else if (failure == PictureFailure::TooLarge)
            emit tooLarge();
    });
}
