#include "ConvertCommand.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <cstdio>

namespace {

// A name the system hands over in bytes that do not read as text (a Latin-1 name on a UTF-8
// system) would be saved under another name; such a name is refused.
bool namesReadAsGiven([[maybe_unused]] int argc, [[maybe_unused]] char* argv[])
{
#ifdef Q_OS_UNIX
    for (int i = 1; i < argc; ++i) {
        const QByteArray given(argv[i]);
        if (QFile::encodeName(QFile::decodeName(given)) != given) {
            std::fprintf(stderr,
                         "The argument \"%s\" is not valid in this system's encoding of file "
                         "names; nothing was read or written.\n",
                         argv[i]);
            return false;
        }
    }
#endif
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
#ifdef SIGPIPE
    // A closed standard error must not stop a save half-way.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    if (!namesReadAsGiven(argc, argv))
        return ConvertCommand::UsageError;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ZR415Config"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return ConvertCommand::run(arguments);
}
