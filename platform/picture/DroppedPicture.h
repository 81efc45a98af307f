// Turning what a drag and drop carries into a picture: data, a local file, or a web address.
#pragma once

#include <QImage>
#include <QObject>
#include <QUrl>
#include <memory>

class QMimeData;
class QNetworkAccessManager;
class QNetworkReply;

class DroppedPicture : public QObject
{
    Q_OBJECT
public:
    // Web pictures larger than this are given up.
    static constexpr qint64 MaxWebBytes = 32 * 1024 * 1024;
    // A web fetch is given up after this long without a byte...
    static constexpr int WebSilenceMs = 20000;
    // ...or after this long in all. Over a slow family line (50 KB/s) a few
    // megabytes of drawing take a minute or two; the limit lets those arrive and
    // still ends a server that trickles bytes for ever.
    static constexpr int WebWholeMs = 180000;

    explicit DroppedPicture(QObject *parent = nullptr);

    // The limits of a web fetch: silence is the longest wait for the next byte
    // (from the request on), whole the time from the request to the last byte.
    int webSilenceLimit() const { return m_webSilenceMs; }
    int webTimeLimit() const { return m_webWholeMs; }
    void setWebTimeLimits(int silenceMilliseconds, int wholeMilliseconds)
    {
        m_webSilenceMs = silenceMilliseconds;
        m_webWholeMs = wholeMilliseconds;
    }

    // Whether the drop may hold a picture: picture data, a local file, or a web address.
    static bool mayHoldPicture(const QMimeData *data);
    // The web address a drop points at, if it names no local file.
    static QUrl webAddress(const QMimeData *data);
    // A copy of what `data` holds that a picture may come from, asking it as
    // little as can be: its types once, then the bytes of one picture type, the
    // file addresses and the words, stopping at the first that comes back
    // empty. The clipboard's owner is another program, which may never answer:
    // each question then waits seconds before it comes back empty.
    static std::unique_ptr<QMimeData> snapshot(const QMimeData *data);

    // Reads the drop. Picture data and local files are read at once; a web address
    // is fetched in the background. Picture data offered as a file's bytes passes
    // the checks of loadPicture() as a file does. `ready` is emitted only for a
    // readable picture, `tooLarge` for one too large for the sheet (isTooLargeForTheSheet());
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
    int m_webSilenceMs = WebSilenceMs;
    int m_webWholeMs = WebWholeMs;
};
