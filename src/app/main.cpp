#include "document/DocumentCommands.h"
#include "windows/FrmDips.h"
#include "windows/WidgetDialogs.h"

#include <QApplication>
#include <QDir>
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
    // A file given on the command line (a file association) opens as Open opens it.
    const QStringList arguments = QApplication::arguments().mid(1);
    if (!arguments.isEmpty()) {
        const QString path = QDir::toNativeSeparators(arguments.first());
        QTimer::singleShot(0, &window,
                           [&window, path] { window.commands().openFromOutside(path); });
    }
    const int status = QApplication::exec();
    Dialogs::install(nullptr);
    return status;
}
