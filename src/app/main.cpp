#include "windows/CommandLineOpen.h"
#include "windows/FrmDips.h"
#include "windows/WidgetDialogs.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZR415Config"));
    QApplication::setApplicationVersion(QStringLiteral(ZR415_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("zr415config"));
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/zr415config-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    WidgetDialogs dialogs;
    Dialogs::install(&dialogs);
    FrmDips window;
    dialogs.setParent(&window);
    window.show();
    // Once the window is up, so that a box about the file has the window behind it.
    const QStringList arguments = QApplication::arguments();
    QTimer::singleShot(0, &window,
                       [&window, arguments] { OpenCommandLineFile(window.commands(), arguments); });
    const int status = QApplication::exec();
    Dialogs::install(nullptr);
    return status;
}
