#include "Dialogs.h"

#include "ConsoleDialogs.h"

namespace {

Dialogs* installedDialogs = nullptr;

Dialogs& defaultDialogs()
{
    static ConsoleDialogs console(false);
    return console;
}

} // namespace

QString EditorTitle()
{
    return QStringLiteral("ZR415 configuration editor");
}

QString ApplicationTitle()
{
    return QStringLiteral("ZR415Config");
}

Dialogs::~Dialogs() = default;

Dialogs& Dialogs::current()
{
    return installedDialogs ? *installedDialogs : defaultDialogs();
}

Dialogs* Dialogs::install(Dialogs* dialogs)
{
    Dialogs* previous = installedDialogs;
    installedDialogs = dialogs;
    return previous;
}

MessageAnswer AskUser(const QString& text, const QString& title, MessageIcon icon,
                      MessageButtons buttons)
{
    return Dialogs::current().showMessage({text, title, icon, buttons});
}
