#include "CardCheck.h"

#include "CardDifference.h"
#include "common/RegularFile.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

QByteArray ReadBackFromDevice(const QString& path, QString& error)
{
    if (const QString refusal = RegularFile::refusal(path); !refusal.isEmpty()) {
        error = refusal;
        return {};
    }
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

CardCheck CheckCard(const QString& path, const QByteArray& site, const CardReader& read)
{
    CardCheck check;
    const QByteArray card = read(path, check.readError);
    if (check.readError.isEmpty())
        check.difference = DescribeCardDifference(site, card);
    return check;
}

MessageRequest VerifyCardBox(const CardCheck& check, const QString& path, int channels)
{
    const QString card = QDir::toNativeSeparators(path);
    if (check.verified())
        return {QStringLiteral("Card verified: %1 channels in %2 match the site.")
                    .arg(channels)
                    .arg(card),
                EditorTitle(), MessageIcon::Information, MessageButtons::Ok};
    const QString text =
        check.readError.isEmpty()
            ? QStringLiteral("%1 differs from the site.\r\n%2").arg(card, check.difference)
            : QStringLiteral("The card's file could not be read to verify it:\r\n%1\r\n%2")
                  .arg(card, check.readError);
    return {text, EditorTitle(), MessageIcon::Exclamation, MessageButtons::Ok};
}
