#include "CardCheck.h"

#include "common/ChannelLabel.h"
#include "document/DipFile.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

QByteArray ReadBackFromDevice(const QString& path, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return {};
    }
#if defined(Q_OS_UNIX) && defined(POSIX_FADV_DONTNEED)
    // What the system still holds in memory of the file would hide what the card holds.
    ::posix_fadvise(file.handle(), 0, 0, POSIX_FADV_DONTNEED);
#endif
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        error = file.errorString();
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
