#pragma once

#include <QStringList>

class DocumentCommands;

// Opens the file named on the command line (a file association), as a drop opens it. A
// relative name is taken from the current directory, so that the site and the recent files
// keep where it is. Answers false when no file was named.
bool OpenCommandLineFile(DocumentCommands& commands, const QStringList& files);
