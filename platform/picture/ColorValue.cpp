// Resolution of colour values, system colours included, against a palette.
#include "platform/picture/ColorValue.h"

#include <QGuiApplication>

namespace {

// The classic system colour indexes and the palette roles that stand for them here.
QColor systemColor(int index, const QPalette &p)
{
    switch (index) {
    case 0: return p.color(QPalette::Button);               // scroll bars
    case 1: return p.color(QPalette::Dark);                 // desktop
    case 2: return p.color(QPalette::Highlight);            // active title bar
    case 3: return p.color(QPalette::Inactive, QPalette::Highlight);
    case 4: return p.color(QPalette::Window);               // menu bar
    case 5: return p.color(QPalette::Base);                 // window background
    case 6: return p.color(QPalette::Shadow);               // window frame
    case 7: return p.color(QPalette::WindowText);           // menu text
    case 8: return p.color(QPalette::Text);                 // window text
    case 9: return p.color(QPalette::HighlightedText);      // active title text
    case 10: case 11: return p.color(QPalette::Window);     // borders
    case 12: return p.color(QPalette::Dark);                // application workspace
    case 13: return p.color(QPalette::Highlight);
    case 14: return p.color(QPalette::HighlightedText);
    case 15: return p.color(QPalette::Button);              // button face
    case 16: return p.color(QPalette::Mid);                 // button shadow
    case 17: return p.color(QPalette::Disabled, QPalette::Text);
    case 18: return p.color(QPalette::ButtonText);
    case 19: return p.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20: return p.color(QPalette::Light);               // button highlight
    case 21: return p.color(QPalette::Shadow);              // 3D dark shadow
    case 22: return p.color(QPalette::Midlight);            // 3D light
    case 23: return p.color(QPalette::ToolTipText);
    case 24: return p.color(QPalette::ToolTipBase);
    default: return p.color(QPalette::Base);
    }
}

} // namespace

QColor ColorValue::resolved(const QPalette &palette) const
{
    if (isSystem())
        return systemColor(int(m_value & 0xFF), palette);
    return QColor(int(m_value & 0xFF), int(m_value >> 8 & 0xFF), int(m_value >> 16 & 0xFF));
}

QColor ColorValue::resolved() const
{
    return resolved(QGuiApplication::palette());
}
