#pragma once

#include <QImage>
#include <QProcess>
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
