// Form1: the browser pane's buttons, its address bar and the maker's links.
#include "sheet/Form1.h"

#include "app/AppInfo.h"
#include "about/frmAbout.h"
#include "app/Module1.h"
#include "platform/system/LaunchArguments.h"
#include "platform/system/Launcher.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/browser/WebBrowser.h"

#include <QLineEdit>

const QString Form1::WebSearchAddress = QStringLiteral(
    "http://search.virgilio.it/search/cgi/search.cgi?qs=da%20colorare&dom=i&lr=&pdom=s&hits=10&offset=0&switch=1&f=ut");

void Form1::openAddress(const QString &address)
{
    WebBrowser1->Navigate(address);
    Text1->setText(address);
}

void Form1::Command8_Click()
{
    WebBrowser1->GoBack(); // nothing happens without an earlier page
    Text1->setText(Module1::Percorso + QStringLiteral("menu/menu.htm"));
}

void Form1::Command9_Click()
{
    openAddress(Module1::Percorso + QStringLiteral("menu/menu.htm"));
}

void Form1::Command10_Click()
{
    menuznf_Click();
}

void Form1::menuznf_Click()
{
    openAddress(Module1::Percorso + QStringLiteral("znf.htm"));
}

void Form1::menuvirg_Click()
{
    openAddress(WebSearchAddress);
}

void Form1::Text1_KeyDown(int KeyCode, int)
{
    if (KeyCode == 13)
        WebBrowser1->Navigate(Text1->text());
}

void Form1::menuhelp_Click()
{
    MessageBox::show(QStringLiteral("Pintavo da ") + AppInfo::MakerName + QStringLiteral(" - ") + AppInfo::MakerSite
                         + QStringLiteral(" - Il primo programma che permette di colorare qualsiasi immagine "
                                          "scaricata da Internet, trascina l'immagine sull'apposito box e "
                                          "colorala a piacere"),
                     MessageBox::OkOnly, this);
}

void Form1::menusit_Click()
{
    Launcher::start(LaunchArguments::webSite(AppInfo::MakerSite));
}

void Form1::menuscr_Click()
{
    Launcher::start(LaunchArguments::mailTo(AppInfo::MakerEmail));
}

void Form1::MenuAbo_Click()
{
    frmAbout about;
    about.exec();
}
