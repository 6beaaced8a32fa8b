#include "LineBreaks.h"

namespace ModFunc {

bool HasLineBreak(QStringView text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

QString LineBreaksAsSpaces(QString text)
{
    if (!HasLineBreak(text))
        return text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

} // namespace ModFunc
