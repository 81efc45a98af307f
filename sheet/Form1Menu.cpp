// Form1: the menu bar.
#include "sheet/Form1.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction *item(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

void separator(QMenu *menu, const char *name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

} // namespace

void Form1::createMenus()
{
    QMenu *menuf = menuBar()->addMenu(QStringLiteral("&File"));
    menuf->setObjectName(QStringLiteral("menuf"));
    connect(item(menuf, "MenuE", QStringLiteral("&Esci")), &QAction::triggered, this, &Form1::MenuE_Click);
    separator(menuf, "menumma");
    connect(item(menuf, "menuvirg", QStringLiteral("Ricerca con Virgilio")), &QAction::triggered, this,
            &Form1::menuvirg_Click);
    separator(menuf, "menumm");
    connect(item(menuf, "menuc", QStringLiteral("&Apri file da colorare")), &QAction::triggered, this,
            &Form1::menuc_Click);

    QMenu *menupi = menuBar()->addMenu(QStringLiteral("&?"));
    menupi->setObjectName(QStringLiteral("menupi"));
    connect(item(menupi, "menuhelp", QStringLiteral("&Help")), &QAction::triggered, this, &Form1::menuhelp_Click);
    separator(menupi, "menumama");
    connect(item(menupi, "menusit", QStringLiteral("Visita sito dell'autore ...")), &QAction::triggered, this,
            &Form1::menusit_Click);
    connect(item(menupi, "menuscr", QStringLiteral("Scrivi all'autore ...")), &QAction::triggered, this,
            &Form1::menuscr_Click);
    separator(menupi, "menumamas");
    connect(item(menupi, "menuznf", QStringLiteral("Zanfir ...")), &QAction::triggered, this, &Form1::menuznf_Click);
    connect(item(menupi, "MenuAbo", QStringLiteral("&About")), &QAction::triggered, this, &Form1::MenuAbo_Click);
}
