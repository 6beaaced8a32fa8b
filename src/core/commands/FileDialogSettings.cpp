#include "FileDialogSettings.h"

#include "SiteFormats.h"

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
    request.filter = SiteFormats::openFilter();
    request.fileMustExist = true;
    return request;
}

FileDialogRequest saveAs()
{
    FileDialogRequest request =
        saveRequest(QStringLiteral("Save site as..."), SiteFormats::saveFilter());
    request.filterIndex = 1;
    return request;
}

FileDialogRequest exportToCard()
{
    return saveRequest(QStringLiteral("Save to CompactFlash card"), SiteFormats::dip().filter);
}

FileDialogRequest compareWith()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Compare with");
    request.filter = SiteFormats::inputFilter();
    request.fileMustExist = true;
    return request;
}

FileDialogRequest verifyCard()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Verify card");
    request.filter = SiteFormats::dip().filter;
    request.fileMustExist = true;
    return request;
}

FileDialogRequest report()
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = QStringLiteral("Save comparison report");
    request.filter = SiteFormats::csv().filter;
    request.defaultSuffix = QStringLiteral("csv");
    request.confirmOverwrite = true;
    return request;
}

FileDialogRequest pdf(const QString& title)
{
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = title;
    request.filter = SiteFormats::siteRecord().filter;
    request.defaultSuffix = QStringLiteral("pdf");
    request.confirmOverwrite = true;
    return request;
}

} // namespace FileDialogSettings
