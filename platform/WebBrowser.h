// The browser pane: a web view driven by address text, as an address bar would.
#pragma once

#include <QWebEngineView>

class WebBrowser : public QWebEngineView
{
    Q_OBJECT
public:
    explicit WebBrowser(QWidget *parent = nullptr);

    // Starts loading the address and returns at once. A local path (absolute, or
    // naming a file that exists) opens that file; anything else is read as a web
    // address, with or without its scheme.
    void Navigate(const QString &address);
    // Back one page of the pane's own history; false when there is none.
    bool GoBack();

    static QUrl urlFromAddress(const QString &address);
};
