#include "common/Dialogs.h"
#include "windows/FrmDips.h"
#include "windows/WidgetDialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>

namespace {

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/zr415config-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZR415Config"));
    QApplication::setApplicationVersion(QStringLiteral(ZR415_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("zr415config"));
    QApplication::setWindowIcon(applicationIcon());
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Channel list editor for the ZR415 signalling data logger."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A .dip channel file or .csv list to open."),
                                 QStringLiteral("[file]"));
    parser.process(app);
    WidgetDialogs dialogs;
    Dialogs::install(&dialogs);
    FrmDips window;
    dialogs.setParent(&window);
    window.show();
    // Once the window is up, so that a box has the window behind it.
    const QStringList files = parser.positionalArguments();
    QTimer::singleShot(0, &window, [&window, files] { window.start(files); });
    const int status = QApplication::exec();
    Dialogs::install(nullptr);
    return status;
}
