#include "ConvertCommand.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ZR415Config"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return ConvertCommand::run(arguments);
}
