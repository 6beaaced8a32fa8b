#include "CardCheck.h"

#include "common/ChannelLabel.h"
#include "common/FileReader.h"
#include "common/SystemError.h"
#include "document/DipFile.h"

#include <cerrno>

namespace {

constexpr qint64 kLargestCardFile = 64 * 1024 * 1024;

} // namespace

QByteArray ReadBackFromDevice(const QString& path, QString& error)
{
    FileReader file(path);
    // What the system still holds in memory of the file would hide what the card holds.
    file.bypassCache();
    // A file far larger than any site is no copy of one; it is not read.
    QByteArray bytes = file.size() > kLargestCardFile ? QByteArray() : file.read(file.size() + 1);
    if (file.failed())
        error = file.error();
    else if (file.size() > kLargestCardFile)
        error = SystemError::text(EFBIG);
    return bytes;
}

QString CardCheck::whereText() const
{
    if (firstChannel == 0)
        return QStringLiteral("the header");
    if (longer)
        return QStringLiteral("the length of the file");
    return QStringLiteral("channel %1").arg(ModFunc::ChannelLabel(firstChannel));
}

CardCheck CheckCard(const QString& path, const QByteArray& written, const CardReader& read)
{
    CardCheck check;
    const QByteArray held = read(path, check.readError);
    if (!check.readError.isEmpty() || held == written)
        return check;
    qsizetype at = 0;
    while (at < held.size() && at < written.size() && held[at] == written[at])
        ++at;
    // Past the last record written no channel of the site differs.
    if (at == written.size()) {
        check.longer = true;
        return check;
    }
    check.firstChannel =
        at < DipHeader::kSize ? 0 : int((at - DipHeader::kSize) / DipChannelRecord::kSize) + 1;
    return check;
}
