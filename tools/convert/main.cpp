#include "ConvertCommand.h"

#include <QCoreApplication>

#include <csignal>

int main(int argc, char* argv[])
{
#ifdef SIGPIPE
    // A closed standard error must not stop a save half-way.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ZR415Config"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return ConvertCommand::run(arguments);
}
