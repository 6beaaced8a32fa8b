#include "PastedCells.h"

#include "CsvFile.h"
#include "common/LineBreaks.h"

namespace {

struct PastedText
{
    const QString& text;
    QChar delimiter;

    bool endsCell(qsizetype at) const
    {
        return at == text.size() || text[at] == delimiter || text[at] == u'\r' || text[at] == u'\n';
    }

    // The cell starting at `i`; `i` is left on the delimiter or the break after it.
    QString cell(qsizetype& i) const
    {
        if (text[i] == u'"') {
            const qsizetype close = ClosingQuote(text, i + 1);
            if (close >= 0 && endsCell(close + 1)) {
                QString quoted = text.mid(i + 1, close - i - 1);
                i = close + 1;
                return ModFunc::LineBreaksAsSpaces(
                    quoted.replace(QStringLiteral("\"\""), QStringLiteral("\"")));
            }
        }
        const qsizetype start = i;
        while (!endsCell(i))
            ++i;
        return text.mid(start, i - start);
    }
};

} // namespace

QList<QStringList> PastedCells(const QString& text)
{
    const PastedText pasted{text, text.contains(u'\t') ? u'\t' : u','};
    QList<QStringList> rows;
    QStringList cells;
    for (qsizetype i = 0; i < text.size();) {
        cells.append(pasted.cell(i));
        const bool delimited = i < text.size() && text[i] == pasted.delimiter;
        if (delimited && ++i < text.size())
            continue;
        if (delimited) // a delimiter at the very end ends an empty last cell
            cells.append(QString());
        rows.append(cells);
        cells.clear();
        i += i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n' ? 2 : 1;
    }
    return rows;
}
