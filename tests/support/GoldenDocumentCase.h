#pragma once

#include <QString>

// Runs one golden case of the document commands (tests/data/README.md).
void RunDocumentCase(const QString& caseDir);
