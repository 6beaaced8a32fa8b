#pragma once

#include <QFont>
#include <QStringList>

// The sans-serif face of every printed page: DejaVu where it is installed (the tests read its
// text back), else the faces Windows and macOS have.
inline QFont PrintFont(double points, bool bold = false)
{
    QFont font;
    font.setFamilies(
        {QStringLiteral("DejaVu Sans"), QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    // No ligatures: a record's words must read back as typed ("Modified", not its fi glyph).
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}
