#include "CommandLineOpen.h"

#include "commands/DocumentCommands.h"
#include "common/Dialogs.h"
#include "common/ShowMessage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool OpenCommandLineFile(DocumentCommands& commands, const QStringList& files)
{
    if (files.isEmpty() || files.first().isEmpty())
        return false;
    const QString path = QDir::cleanPath(QFileInfo(files.first()).absoluteFilePath());
    // The system's reason alone would not say which name was mistyped.
    QFile file(path);
    if (!file.exists()) {
        file.open(QIODevice::ReadOnly);
        Dialogs::current().showMessage(ModFunc::FileFailureBox(
            QStringLiteral("Error occurred while opening."), QDir::toNativeSeparators(path),
            file.errorString(), MessageIcon::Information));
        return true;
    }
    commands.openFromOutside(QDir::toNativeSeparators(path));
    return true;
}
