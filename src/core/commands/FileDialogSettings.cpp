#include "FileDialogSettings.h"

namespace FileDialogSettings {

FileDialogRequest open()
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Open;
    request.title = QStringLiteral("Open config file");
    request.filter = QStringLiteral("ZR415 dip files (*.dip)|*.dip|CSV files (*.csv)|*.csv");
    request.fileMustExist = true;
    return request;
}

FileDialogRequest saveAs()
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = QStringLiteral("Save site as...");
    request.filter = QStringLiteral("ZR415 dip files (*.dip)|*.dip|CSV files (*.csv)|*.csv|"
                                    "Corvane cfg files (*.cfg)|*.cfg");
    request.filterIndex = 1;
    request.defaultSuffix = QStringLiteral("dip");
    request.confirmOverwrite = true;
    return request;
}

FileDialogRequest exportToCard()
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = QStringLiteral("Save to CompactFlash card");
    request.filter = QStringLiteral("ZR415 dip files (*.dip)|*.dip");
    request.defaultSuffix = QStringLiteral("dip");
    request.confirmOverwrite = true;
    return request;
}

} // namespace FileDialogSettings
