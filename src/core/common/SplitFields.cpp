#include "SplitFields.h"

namespace ModFunc {

QStringList SplitFields(QStringView text, QStringView delimiter)
{
    Q_ASSERT(!delimiter.isEmpty());
    QStringList fields{QString()};
    qsizetype start = 0;
    for (;;) {
        const qsizetype found = text.indexOf(delimiter, start);
        if (found < 0) {
            fields.append(text.mid(start).toString());
            return fields;
        }
        fields.append(text.mid(start, found - start).toString());
        start = found + delimiter.size();
    }
}

} // namespace ModFunc
