#include "CommandLineOpen.h"

#include "commands/DocumentCommands.h"

#include <QDir>
#include <QFileInfo>

bool OpenCommandLineFile(DocumentCommands& commands, const QStringList& arguments)
{
    if (arguments.size() < 2 || arguments[1].isEmpty())
        return false;
    const QString path = QDir::cleanPath(QFileInfo(arguments[1]).absoluteFilePath());
    commands.openFromOutside(QDir::toNativeSeparators(path));
    return true;
}
