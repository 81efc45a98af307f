// Colour values in the 0x00BBGGRR form, including the system colours 0x800000nn.
#pragma once

#include <QColor>
#include <QMetaType>
#include <QPalette>
#include <QtGlobal>

class ColorValue
{
public:
    static constexpr quint32 WindowBackground = 0x80000005;
    static constexpr quint32 WindowText = 0x80000008;

    constexpr ColorValue() = default;
    constexpr explicit ColorValue(quint32 value) : m_value(value) {}

    static constexpr ColorValue fromRgb(int red, int green, int blue)
    {
        return ColorValue(quint32(red & 0xFF) | quint32(green & 0xFF) << 8 | quint32(blue & 0xFF) << 16);
    }
    static ColorValue fromQRgb(QRgb rgb) { return fromRgb(qRed(rgb), qGreen(rgb), qBlue(rgb)); }
    static ColorValue fromQColor(const QColor &color) { return fromQRgb(color.rgb()); }

    constexpr quint32 value() const { return m_value; }
    // The value read as a signed 32-bit number: system colours are negative.
    constexpr qint32 signedValue() const { return qint32(m_value); }
    constexpr bool isSystem() const { return (m_value & 0xFFFFFF00u) == 0x80000000u; }

    // Plain colours map directly; system colours resolve against the palette
    // at the moment of drawing, so a theme change shows in the next drawing.
    QColor resolved(const QPalette &palette) const;
    QColor resolved() const;
    QRgb toQRgb() const { return resolved().rgb(); }

    friend constexpr bool operator==(ColorValue a, ColorValue b) { return a.m_value == b.m_value; }
    friend constexpr bool operator!=(ColorValue a, ColorValue b) { return a.m_value != b.m_value; }

private:
    quint32 m_value = 0;
};

Q_DECLARE_METATYPE(ColorValue)
