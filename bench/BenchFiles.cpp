#include "BenchFiles.h"

#include "BenchSite.h"
#include "document/CsvFile.h"
#include "document/DipFile.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "bench setup failed: %s\n", qPrintable(what));
    std::exit(2);
}

// An empty labels database with the table the editor's label export fills.
void createLabelsDatabase(const QString& file)
{
    QFile script(QStringLiteral(ZR415_SOURCE_DIR "/resources/labels/TblForLabel.sql"));
    if (!script.open(QIODevice::ReadOnly))
        fail(script.fileName() + QStringLiteral(": ") + script.errorString());
    const QString statement = QString::fromUtf8(script.readAll());
    const QString connection = QStringLiteral("bench-setup-") + file;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(file);
        if (!db.open())
            fail(db.lastError().text());
        QSqlQuery create(db);
        if (!create.exec(statement))
            fail(create.lastError().text());
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

} // namespace

BenchFiles& BenchFiles::instance()
{
    static BenchFiles files;
    return files;
}

BenchFiles::BenchFiles() : directory_(QDir::temp().filePath(QStringLiteral("zr415-bench-XXXXXX")))
{
    if (!directory_.isValid())
        fail(directory_.errorString());
}

QString BenchFiles::path(const QString& name) const
{
    return directory_.filePath(name);
}

std::string BenchFiles::local(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

std::vector<char> BenchFiles::contents(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(path + QStringLiteral(": ") + file.errorString());
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

const BenchFiles::Site& BenchFiles::site(int channels)
{
    auto found = sites_.find(channels);
    if (found == sites_.end())
        found = sites_.emplace(channels, make(channels)).first;
    return found->second;
}

BenchFiles::Site BenchFiles::make(int channels)
{
    const QString prefix = QStringLiteral("site%1").arg(channels);
    Site site;
    site.dip = path(prefix + QStringLiteral(".dip"));
    site.csv = path(prefix + QStringLiteral(".csv"));
    site.labelsDatabase = path(prefix + QStringLiteral("-labels.db"));
    site.corvaneDirectory = path(prefix + QStringLiteral("-corvane"));
    site.outputDirectory = path(prefix + QStringLiteral("-out"));
    if (!QDir().mkpath(site.corvaneDirectory) || !QDir().mkpath(site.outputDirectory))
        fail(QStringLiteral("cannot make the directories of ") + prefix);

    const ChannelRows rows = BenchSite::Rows(channels);
    if (const FileResult saved = SaveDipFile(rows, site.dip); !saved)
        fail(site.dip + QStringLiteral(": ") + saved.error);
    if (const FileResult saved = SaveCsvFile(rows, site.csv); !saved)
        fail(site.csv + QStringLiteral(": ") + saved.error);
    createLabelsDatabase(site.labelsDatabase);
    return site;
}
