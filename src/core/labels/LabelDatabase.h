#pragma once

#include <QString>

// Where the label export writes: a Qt SQL driver and what that driver opens. The editor always
// uses editorDefault(); zr415-convert and the tests point the export elsewhere.
struct LabelDatabase
{
    enum class Platform { Windows, Other };

    QString driver;         // Qt SQL driver: "QODBC" or "QSQLITE"
    QString connection;     // QODBC: the connection string; QSQLITE: the database file
    QString fallbackDriver; // QODBC: ODBC driver tried when the first cannot open; empty for none

    // The fixed labels database of the editor on the platform it runs on.
    static LabelDatabase editorDefault();
    // Windows: the Access file through ODBC; other platforms: loggerlabels.db in the
    // application data folder.
    static LabelDatabase forPlatform(Platform platform);
    // An ODBC connection string when the text begins with "DRIVER=" or "DSN=", else an SQLite file.
    static LabelDatabase fromArgument(const QString& text);

    bool isOdbc() const;
    // The file the connection opens: the SQLite file, or the DBQ= or Database= value of an ODBC
    // string. Empty when the string names no file (a DSN keeps it in its own settings).
    QString databaseFile() const;
    // The connection string with its DRIVER= value replaced by fallbackDriver; empty when there
    // is no fallback.
    QString fallbackConnection() const;
};
