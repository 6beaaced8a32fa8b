#include "windows/FrmDips.h"
#include "windows/WidgetDialogs.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZR415Config"));
    QApplication::setApplicationVersion(QStringLiteral(ZR415_VERSION));
    WidgetDialogs dialogs;
    Dialogs::install(&dialogs);
    FrmDips window;
    dialogs.setParent(&window);
    window.show();
    const int status = QApplication::exec();
    Dialogs::install(nullptr);
    return status;
}
