#pragma once

#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

// What poppler's tools read from a PDF: the text of each page as laid out on it, and a page
// drawn as a picture. Empty results when the tools are missing or the PDF does not read.
namespace PdfPages {

inline QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return QByteArray();
    return process.readAllStandardOutput();
}

// One text per page, in order.
inline QStringList texts(const QString& pdf)
{
    const QString all = QString::fromUtf8(run("pdftotext", {"-layout", pdf, "-"}));
    QStringList pages = all.split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

struct Word
{
    int page = 0; // 1-based
    QString text;
    QRectF box; // in points from the page's top left corner
};

// Every word with its place, as pdftotext -bbox finds them.
inline QList<Word> words(const QString& pdf)
{
    static const QRegularExpression tag(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re");
    const QString html = QString::fromUtf8(run("pdftotext", {"-bbox", pdf, "-"}));
    QList<Word> found;
    int page = 0;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++page;
            continue;
        }
        const QPointF from(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF to(m.captured(3).toDouble(), m.captured(4).toDouble());
        found.append({page, m.captured(5), QRectF(from, to)});
    }
    return found;
}

// Page `page` (1-based) drawn at `dpi` dots per inch.
inline QImage picture(const QString& pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString base = dir.filePath("page");
    run("pdftoppm", {"-r", QString::number(dpi), "-f", QString::number(page), "-l",
                     QString::number(page), "-singlefile", "-png", pdf, base});
    return QImage(base + ".png");
}

// The share of the picture's pixels that are darker than mid-grey.
inline double inkShare(const QImage& picture)
{
    if (picture.isNull())
        return 0;
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    qint64 dark = 0;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            dark += line[x] < 128 ? 1 : 0;
    }
    return double(dark) / (qint64(grey.width()) * grey.height());
}

} // namespace PdfPages
