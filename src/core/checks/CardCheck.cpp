#include "CardCheck.h"

#include "CardDifference.h"
#include "Fingerprint.h"
#include "common/FileReader.h"
#include "common/SystemError.h"

#include <QDir>

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

CardCheck CheckCard(const QString& path, const QByteArray& site, const CardReader& read)
{
    CardCheck check;
    const QByteArray card = read(path, check.readError);
    if (check.readError.isEmpty()) {
        check.difference = DescribeCardDifference(site, card);
        check.fingerprint = Fingerprint::ofBytes(card);
    }
    return check;
}

MessageRequest VerifyCardBox(const CardCheck& check, const QString& path, int channels)
{
    const QString card = QDir::toNativeSeparators(path);
    if (check.verified())
        return {QStringLiteral("Card verified: %1 channels in %2 match the site.\r\n"
                               "Fingerprint %3.")
                    .arg(channels)
                    .arg(card, check.fingerprint),
                EditorTitle(), MessageIcon::Information, MessageButtons::Ok};
    const QString text =
        check.readError.isEmpty()
            ? QStringLiteral("%1 differs from the site.\r\n%2").arg(card, check.difference)
            : QStringLiteral("The card's file could not be read to verify it:\r\n%1\r\n%2")
                  .arg(card, check.readError);
    return {text, EditorTitle(), MessageIcon::Exclamation, MessageButtons::Ok};
}
