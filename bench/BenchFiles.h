#pragma once

#include <QString>
#include <QTemporaryDir>

#include <map>
#include <string>
#include <vector>

// The benchmark's files, all in one temporary directory that goes with the run: for every
// channel count a saved .dip and .csv of the bench site, a labels database with its table,
// and the targets the saves write to.
class BenchFiles
{
public:
    struct Site
    {
        QString dip;
        QString csv;
        QString labelsDatabase;
        QString corvaneDirectory; // holds the site's DChannel.cfg, made on first use
        QString outputDirectory;  // the saves write here
    };

    // The run's files; fails the run when the temporary directory cannot be made.
    static BenchFiles& instance();

    // The files of the site with this many channels, made on first use.
    const Site& site(int channels);
    // A path in the temporary directory.
    QString path(const QString& name) const;

    static std::string local(const QString& path);
    // The file's bytes, to give the raw write the same amount as the save it stands beside.
    static std::vector<char> contents(const QString& path);

private:
    BenchFiles();
    Site make(int channels);

    QTemporaryDir directory_;
    std::map<int, Site> sites_;
};
