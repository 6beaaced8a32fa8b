#include "LabelDatabase.h"

#include <QDir>
#include <QList>
#include <QStandardPaths>
#include <QSysInfo>

namespace {

const QString kOdbcDriver = QStringLiteral("QODBC");
const QString kSqliteDriver = QStringLiteral("QSQLITE");

// The 32-bit Jet driver first; 64-bit Windows only has the newer ACE driver.
const QString kAccessDriver = QStringLiteral("Microsoft Access Driver (*.mdb)");
const QString kAccessFallbackDriver = QStringLiteral("Microsoft Access Driver (*.mdb, *.accdb)");
const QString kAccessFile = QStringLiteral("c:\\t\\db\\loggerlabels.mdb");
const QString kSqliteFileName = QStringLiteral("loggerlabels.db");

// One KEY=value pair of an ODBC connection string, as written.
struct OdbcAttribute
{
    QString text;
    QString key;
    QString value;
};

OdbcAttribute parseAttribute(const QString& text)
{
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return {text, text.trimmed(), QString()};
    return {text, text.left(equals).trimmed(), text.mid(equals + 1).trimmed()};
}

// Splits at the semicolons outside braces: a braced value may hold one.
QList<OdbcAttribute> splitOdbcString(const QString& text)
{
    QList<OdbcAttribute> attributes;
    QString current;
    bool inBraces = false;
    for (const QChar c : text) {
        if (c == u'{')
            inBraces = true;
        else if (c == u'}')
            inBraces = false;
        if (c == u';' && !inBraces) {
            attributes.append(parseAttribute(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.trimmed().isEmpty())
        attributes.append(parseAttribute(current));
    return attributes;
}

QString withoutBraces(const QString& value)
{
    if (value.size() >= 2 && value.startsWith(u'{') && value.endsWith(u'}'))
        return value.mid(1, value.size() - 2);
    return value;
}

bool isKey(const OdbcAttribute& attribute, QLatin1String key)
{
    return attribute.key.compare(key, Qt::CaseInsensitive) == 0;
}

} // namespace

LabelDatabase LabelDatabase::editorDefault()
{
    const bool windows = QSysInfo::productType() == QLatin1String("windows");
    return forPlatform(windows ? Platform::Windows : Platform::Other);
}

LabelDatabase LabelDatabase::forPlatform(Platform platform)
{
    if (platform == Platform::Windows) {
        return {kOdbcDriver, QStringLiteral("DRIVER={%1};DBQ=%2").arg(kAccessDriver, kAccessFile),
                kAccessFallbackDriver};
    }
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    return {kSqliteDriver, folder.filePath(kSqliteFileName), QString()};
}

LabelDatabase LabelDatabase::fromArgument(const QString& text)
{
    const bool odbc = text.startsWith(QLatin1String("DRIVER="), Qt::CaseInsensitive) ||
                      text.startsWith(QLatin1String("DSN="), Qt::CaseInsensitive);
    return {odbc ? kOdbcDriver : kSqliteDriver, text, QString()};
}

bool LabelDatabase::isOdbc() const
{
    return driver == kOdbcDriver;
}

QString LabelDatabase::databaseFile() const
{
    if (!isOdbc())
        return connection;
    for (const OdbcAttribute& attribute : splitOdbcString(connection)) {
        if (isKey(attribute, QLatin1String("DBQ")) || isKey(attribute, QLatin1String("Database")))
            return withoutBraces(attribute.value);
    }
    return QString();
}

QString LabelDatabase::fallbackConnection() const
{
    if (fallbackDriver.isEmpty())
        return QString();
    const QString driverAttribute = QStringLiteral("DRIVER={%1}").arg(fallbackDriver);
    QStringList parts;
    bool replaced = false;
    for (const OdbcAttribute& attribute : splitOdbcString(connection)) {
        const bool isDriver = isKey(attribute, QLatin1String("DRIVER"));
        parts.append(isDriver ? driverAttribute : attribute.text);
        replaced = replaced || isDriver;
    }
    if (!replaced)
        parts.prepend(driverAttribute);
    return parts.join(u';');
}
