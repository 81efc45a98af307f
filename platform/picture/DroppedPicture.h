// Turning what a drag and drop carries into a picture: data, a local file, or a web address.
#pragma once

#include <QImage>
#include <QObject>
#include <QUrl>

class QMimeData;
class QNetworkAccessManager;
class QNetworkReply;

class DroppedPicture : public QObject
{
    Q_OBJECT
public:
    // Web pictures larger than this, or not wholly fetched within the time
    // limit, are given up.
    static constexpr qint64 MaxWebBytes = 32 * 1024 * 1024;
    static constexpr int WebTimeoutMs = 20000;

    explicit DroppedPicture(QObject *parent = nullptr);

    // The limit on a whole web fetch, from the request to the last byte; a server
    // that keeps trickling bytes does not stretch it.
    int webTimeLimit() const { return m_webTimeLimitMs; }
    void setWebTimeLimit(int milliseconds) { m_webTimeLimitMs = milliseconds; }

    // Whether the drop may hold a picture: picture data, a local file, or a web address.
    static bool mayHoldPicture(const QMimeData *data);
    // The web address a drop points at, if it names no local file.
    static QUrl webAddress(const QMimeData *data);

    // Reads the drop. Picture data and local files are read at once; a web address
    // is fetched in the background. Picture data offered as a file's bytes passes
    // the checks of loadPicture() as a file does. `ready` is emitted only for a
    // readable picture, `tooLarge` for a picture beyond the reader's memory limit;
    // anything else is dropped silently. A newer drop replaces a fetch under way.
    void read(const QMimeData *data);

    // Whether a web picture is being fetched.
    bool fetching() const { return m_reply != nullptr; }
    // Gives the fetch under way up: it brings no picture and no message any more.
    void abandon();

signals:
    void ready(const QImage &picture);
    // The drop held a picture, but one too large to open.
    void tooLarge();
    // A web fetch began, or ended in any way (done, failed, timed out, abandoned).
    void fetchingChanged(bool fetching);

private:
    void fetch(const QUrl &url);

    QNetworkAccessManager *m_network = nullptr;
    QNetworkReply *m_reply = nullptr;
    int m_webTimeLimitMs = WebTimeoutMs;
};
