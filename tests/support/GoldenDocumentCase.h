#pragma once

#include <QString>

// Runs one golden case of the document commands (tests/data/README.md): the open site from
// before.txt, the case's files/ in a temporary folder, the commands of command.txt with the
// answers of messages.txt; then compares the boxes with messages.txt, the open site with
// site.txt and the folder with expected/ (or, without it, with files/ as it was).
void RunDocumentCase(const QString& caseDir);
