#include "ContactWords.h"

#include <QString>

std::optional<bool> ContactFromText(QStringView text)
{
    const QStringView word = text.trimmed();
    const auto is = [word](const char* known) {
        return word.compare(QLatin1String(known), Qt::CaseInsensitive) == 0;
    };
    for (const char* back : {"back", "b", "true", "1", "yes", "x"}) {
        if (is(back))
            return true;
    }
    for (const char* front : {"front", "f", "false", "0", "no", ""}) {
        if (is(front))
            return false;
    }
    return std::nullopt;
}
