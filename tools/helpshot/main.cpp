// Draws the directory selector in a window frame, a Tarnwick config directory open, as the
// import help shows it: zr415-helpshot OUTPUT.png
#include "corvane/FrmFileSelector.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

constexpr int kBorder = 3;
constexpr int kTitleHeight = 22;

const QStringList kSites = {QStringLiteral("Ashby Junction"), QStringLiteral("Market Harwell"),
                            QStringLiteral("North Yard"), QStringLiteral("Tarnwick East"),
                            QStringLiteral("Tarnwick West")};

// <root>/program files/tarnwick/config with one directory per site; empty if it failed.
QString makeConfigTree(const QTemporaryDir& root)
{
    const QString config = root.filePath(QStringLiteral("program files/tarnwick/config"));
    for (const QString& site : kSites) {
        if (!QDir().mkpath(config + u'/' + site))
            return {};
    }
    return config;
}

void drawCloseBox(QPainter& painter, const QRect& box)
{
    painter.fillRect(box, QColor(0xd4, 0xd0, 0xc8));
    painter.setPen(Qt::white);
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());
    painter.setPen(QPen(Qt::black, 1.6));
    const QRect cross = box.adjusted(4, 3, -4, -4);
    painter.drawLine(cross.topLeft(), cross.bottomRight());
    painter.drawLine(cross.topRight(), cross.bottomLeft());
}

// The client area inside a plain dialog frame with its caption and close box.
QImage framed(const QImage& client, const QString& caption)
{
    QImage image(client.width() + 2 * kBorder, client.height() + kTitleHeight + kBorder,
                 QImage::Format_RGB32);
    image.fill(QColor(0xd4, 0xd0, 0xc8));
    QPainter painter(&image);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    const QRect title(kBorder, kBorder, client.width(), kTitleHeight - kBorder - 1);
    QLinearGradient gradient(title.topLeft(), title.topRight());
    gradient.setColorAt(0, QColor(0x0a, 0x24, 0x6a));
    gradient.setColorAt(1, QColor(0xa6, 0xca, 0xf0));
    painter.fillRect(title, gradient);
    QFont font = QApplication::font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(title.adjusted(5, 0, -24, 0), Qt::AlignVCenter | Qt::AlignLeft, caption);
    drawCloseBox(painter, QRect(title.right() - 18, title.top() + 2, 16, 14));
    painter.drawImage(kBorder, kTitleHeight, client);
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZR415Config-helpshot"));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: zr415-helpshot OUTPUT.png\n";
        return 2;
    }
    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/zr415-help-XXXXXX"));
    const QString config = root.isValid() ? makeConfigTree(root) : QString();
    if (config.isEmpty()) {
        QTextStream(stderr) << "cannot make the directory tree\n";
        return 1;
    }
    ScriptedDialogs dialogs;
    FrmFileSelector selector;
    // The temporary folder stands in for drive c:, where the Corvane software is installed.
    selector.setDrives({{root.path(), QStringLiteral("c:")}});
    QImage shot;
    QTimer::singleShot(0, &selector, [&selector, &shot] {
        selector.activateWindow();
        if (QWidget* tree = selector.findChild<QWidget*>(QStringLiteral("Dir1")))
            tree->setFocus();
        QApplication::processEvents();
        shot = framed(selector.grab().toImage(), selector.windowTitle());
        selector.close();
    });
    selector.ShowSelectDirectory(config);
    if (shot.isNull() || !shot.save(arguments[1], "PNG")) {
        QTextStream(stderr) << "cannot write " << arguments[1] << '\n';
        return 1;
    }
    QTextStream(stdout) << arguments[1] << ": " << shot.width() << " x " << shot.height() << '\n';
    return 0;
}
