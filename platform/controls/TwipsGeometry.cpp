// Twips geometry kept beside the controls' pixel geometry.
#include "platform/controls/TwipsGeometry.h"

#include "platform/controls/Twips.h"

#include <QVariant>
#include <QWidget>

namespace {
constexpr char TwipsProperty[] = "pintavoTwipsRect";
}

void setTwipsRect(QWidget *control, const QRect &twips)
{
    control->setProperty(TwipsProperty, twips);
    control->setGeometry(Twips::toPixels(twips));
}

QRect twipsRect(const QWidget *control)
{
    const QVariant kept = control->property(TwipsProperty);
    if (kept.isValid()) {
        const QRect twips = kept.toRect();
        if (Twips::toPixels(twips) == control->geometry())
            return twips;
    }
    return Twips::fromPixels(control->geometry());
}

QSize windowTwipsSize(const QWidget *window)
{
    const QSize outer = window->frameGeometry().size();
    return QSize(Twips::fromPixels(outer.width()), Twips::fromPixels(outer.height()));
}
