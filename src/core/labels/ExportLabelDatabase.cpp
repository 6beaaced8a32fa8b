#include "ExportLabelDatabase.h"

#include "LabelDatabase.h"
#include "LabelRows.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>
#include <QUuid>

#include <map>

namespace {

QString describe(const QSqlError& error)
{
    const QString text = error.text().trimmed();
    return text.isEmpty() ? QStringLiteral("The database reported an unknown error.") : text;
}

FileResult failure(const QSqlError& error)
{
    return FileResult::failure(describe(error));
}

// QSQLITE and most ODBC drivers create a missing file on open; the export must not.
FileResult checkDatabaseFile(const LabelDatabase& database)
{
    const QString file = database.databaseFile();
    if (file.isEmpty() && database.isOdbc())
        return FileResult::success(); // a DSN keeps its file in its own settings
    if (!QFileInfo(file).isFile()) {
        return FileResult::failure(
            QStringLiteral("The labels database %1 does not exist. Create it with its table "
                           "TblForLabel before exporting.")
                .arg(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath())));
    }
    return FileResult::success();
}

// Read-write without create, in case the file goes between the check and the open.
void openSqliteWithoutCreate(QSqlDatabase& db, const QString& file)
{
    const QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
}

FileResult openDatabase(QSqlDatabase& db, const LabelDatabase& database)
{
    if (!db.isValid()) {
        return FileResult::failure(
            QStringLiteral("The database driver %1 is not available.").arg(database.driver));
    }
    if (database.isOdbc())
        db.setDatabaseName(database.connection);
    else
        openSqliteWithoutCreate(db, database.connection);
    if (db.open(QString(), QString()))
        return FileResult::success();
    QSqlError error = db.lastError();
    const QString fallback = database.fallbackConnection();
    if (database.isOdbc() && !fallback.isEmpty()) {
        db.setDatabaseName(fallback);
        if (db.open(QString(), QString()))
            return FileResult::success();
        error = db.lastError();
    }
    return failure(error);
}

// Names only the columns it sets, so an unset fOrB keeps the table's default.
QString insertStatement(int channels, int backMask)
{
    QStringList columns;
    for (int k = 1; k <= channels; ++k) {
        columns << QStringLiteral("chNo%1").arg(k) << QStringLiteral("relNam%1").arg(k);
        if (backMask & (1 << (k - 1)))
            columns << QStringLiteral("fOrB%1").arg(k);
    }
    QStringList markers(columns.size(), QStringLiteral("?"));
    return QStringLiteral("INSERT INTO TblForLabel (%1) VALUES (%2)")
        .arg(columns.join(QStringLiteral(", ")), markers.join(QStringLiteral(", ")));
}

// A null QString would bind as NULL; an empty relay name is still a text.
QString textValue(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

FileResult writeGroups(QSqlDatabase& db, const ChannelRows& rows)
{
    QSqlQuery clear(db);
    if (!clear.exec(QStringLiteral("DELETE FROM TblForLabel")))
        return failure(clear.lastError());

    // At most sixteen column sets for full rows; each is prepared once, when first needed.
    std::map<int, QSqlQuery> inserts;
    for (const LabelRow& row : LabelRows(rows)) {
        int backMask = 0;
        for (int k = 0; k < row.size(); ++k) {
            if (row[k].back)
                backMask |= 1 << k;
        }
        const int channels = int(row.size());
        const auto [entry, added] = inserts.try_emplace(channels * 16 + backMask, db);
        QSqlQuery& insert = entry->second;
        if (added && !insert.prepare(insertStatement(channels, backMask)))
            return failure(insert.lastError());
        int position = 0;
        for (const LabelChannel& channel : row) {
            insert.bindValue(position++, channel.chNo);
            insert.bindValue(position++, textValue(channel.relNam));
            if (channel.back)
                insert.bindValue(position++, channel.contactMark());
        }
        if (!insert.exec())
            return failure(insert.lastError());
    }
    return FileResult::success();
}

FileResult replaceRows(QSqlDatabase& db, const ChannelRows& rows)
{
    if (!db.transaction())
        return failure(db.lastError());
    FileResult result = writeGroups(db, rows);
    if (result && !db.commit())
        result = failure(db.lastError());
    if (!result)
        db.rollback();
    return result;
}

FileResult exportThroughOwnConnection(const ChannelRows& rows, const LabelDatabase& database)
{
    const QString name =
        QStringLiteral("zr415-labels-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    FileResult result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(database.driver, name);
        result = openDatabase(db, database);
        if (result)
            result = replaceRows(db, rows);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

} // namespace

FileResult ExportLabelDatabase(const ChannelRows& rows, const LabelDatabase& database)
{
    const FileResult checked = checkDatabaseFile(database);
    return checked ? exportThroughOwnConnection(rows, database) : checked;
}

QString LabelExportReport(const FileResult& result, int channels)
{
    if (!result)
        return QStringLiteral("Error exporting to labels database\r\n") + result.error;
    return QStringLiteral("%1 channels exported to label database").arg(channels);
}
