// WebBrowser over QWebEngineView.
#include "platform/WebBrowser.h"

#include <QFileInfo>
#include <QWebEngineHistory>

WebBrowser::WebBrowser(QWidget *parent) : QWebEngineView(parent) {}

QUrl WebBrowser::urlFromAddress(const QString &address)
{
    if (address.startsWith(QLatin1Char('/')) || QFileInfo::exists(address))
        return QUrl::fromLocalFile(address);
    return QUrl::fromUserInput(address);
}

void WebBrowser::Navigate(const QString &address)
{
    load(urlFromAddress(address));
}

bool WebBrowser::GoBack()
{
    if (!history()->canGoBack())
        return false;
    back();
    return true;
}
