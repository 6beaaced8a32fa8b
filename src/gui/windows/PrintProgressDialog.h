#pragma once

#include "print/PagedDocument.h"

class QWidget;

// A progress dialog with a Cancel button over `parent` while the pages of `title` are drawn;
// it goes when the last copy of the answer goes.
PrintProgress ShowPrintProgress(QWidget* parent, const QString& title);
