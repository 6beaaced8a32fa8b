#include "FuzzDialogs.h"

#include "FuzzChecks.h"

#include <cstdio>

FuzzDialogs::FuzzDialogs() : previous_(Dialogs::install(this)) {}

FuzzDialogs::~FuzzDialogs()
{
    Dialogs::install(previous_);
}

MessageAnswer FuzzDialogs::showMessage(const MessageRequest& request)
{
    std::fprintf(stderr, "box shown: %s\n", qPrintable(request.text));
    FuzzChecks::fail("no box is shown", __FILE__, __LINE__);
}

std::optional<QString> FuzzDialogs::chooseFile(const FileDialogRequest& request)
{
    std::fprintf(stderr, "file dialog shown: %s\n", qPrintable(request.title));
    FuzzChecks::fail("no file dialog is shown", __FILE__, __LINE__);
}
