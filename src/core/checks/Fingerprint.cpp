#include "Fingerprint.h"

#include "Sha256.h"

#include "common/RegularFile.h"
#include "document/DipFile.h"

#include <QCryptographicHash>
#include <QFile>

namespace Fingerprint {

namespace {

constexpr int kDigits = 16;
constexpr int kGroup = 4;

} // namespace

QString shortened(const QString& full)
{
    QString grouped;
    const QString digits = full.left(kDigits).toUpper();
    for (int at = 0; at < digits.size(); at += kGroup) {
        if (at > 0)
            grouped += u'-';
        grouped += digits.mid(at, kGroup);
    }
    return grouped;
}

QString fullOfBytes(const QByteArray& bytes)
{
    return QString::fromLatin1(Sha256::hash(bytes).toHex());
}

QString ofBytes(const QByteArray& bytes)
{
    return shortened(fullOfBytes(bytes));
}

QString ofSite(const ChannelRows& rows)
{
    return ofBytes(EncodeDipFile(rows));
}

// Read in pieces: a file given by mistake may be far larger than a channel file.
QString fullOfFile(const QString& path, QString& error)
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
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file) || file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return {};
    }
    return QString::fromLatin1(hash.result().toHex());
}

QString ofProgram(const QString& path)
{
    QString error;
    const QString sha = fullOfFile(path, error);
    return sha.isEmpty() ? QStringLiteral("(not read: %1)").arg(error) : sha;
}

} // namespace Fingerprint
