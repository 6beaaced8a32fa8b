#include "ConvertCommand.h"

#include <QFile>
#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <memory>

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

// A PDF page needs fonts, which only a QGuiApplication brings; the other modes start without
// one, so that they need no platform plugin and print nothing of it.
bool writesPdf(const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        if (argument.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) ||
            argument.startsWith(QLatin1String("--label-sheet")))
            return true;
    }
    return false;
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
    QStringList given;
    for (int i = 1; i < argc; ++i)
        given.append(QFile::decodeName(argv[i]));
    std::unique_ptr<QCoreApplication> app;
    if (writesPdf(given)) {
#ifndef Q_OS_WIN
        // No display is needed for a PDF; Windows's own platform needs none either.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("ZR415Config"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return ConvertCommand::run(arguments);
}
