#include "CommandLineOpen.h"

#include "commands/DocumentCommands.h"

#include <QDir>
#include <QFileInfo>

bool OpenCommandLineFile(DocumentCommands& commands, const QStringList& files)
{
    if (files.isEmpty() || files.first().isEmpty())
        return false;
    const QString path = QDir::cleanPath(QFileInfo(files.first()).absoluteFilePath());
    commands.openFromOutside(QDir::toNativeSeparators(path));
    return true;
}
