#include "FileDialogSettings.h"

namespace FileDialogSettings {

namespace {

// A save dialog for channel files that asks before it overwrites.
FileDialogRequest saveRequest(const QString& title, const QString& filter)
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = title;
    request.filter = filter;
    request.defaultSuffix = QStringLiteral("dip");
    request.confirmOverwrite = true;
    return request;
}

} // namespace

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
    FileDialogRequest request =
        saveRequest(QStringLiteral("Save site as..."),
                    QStringLiteral("ZR415 dip files (*.dip)|*.dip|CSV files (*.csv)|*.csv|"
                                   "Corvane cfg files (*.cfg)|*.cfg"));
    request.filterIndex = 1;
    return request;
}

FileDialogRequest exportToCard()
{
    return saveRequest(QStringLiteral("Save to CompactFlash card"),
                       QStringLiteral("ZR415 dip files (*.dip)|*.dip"));
}

FileDialogRequest compareWith()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Compare with");
    request.filter = QStringLiteral("ZR415 dip files (*.dip)|*.dip|CSV files (*.csv)|*.csv|"
                                    "Corvane channel files (*.cfg)|*.cfg");
    request.fileMustExist = true;
    return request;
}

FileDialogRequest verifyCard()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Verify card");
    request.filter = QStringLiteral("ZR415 dip files (*.dip)|*.dip");
    request.fileMustExist = true;
    return request;
}

FileDialogRequest report()
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = QStringLiteral("Save comparison report");
    request.filter = QStringLiteral("CSV files (*.csv)|*.csv");
    request.defaultSuffix = QStringLiteral("csv");
    request.confirmOverwrite = true;
    return request;
}

FileDialogRequest pdf(const QString& title)
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = title;
    request.filter = QStringLiteral("PDF files (*.pdf)|*.pdf");
    request.defaultSuffix = QStringLiteral("pdf");
    request.confirmOverwrite = true;
    return request;
}

} // namespace FileDialogSettings
