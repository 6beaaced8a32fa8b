#pragma once

#include <QByteArray>
#include <QString>

// A Corvane site's SiteInfo.cfg in memory: eleven texts and four opaque data blocks, in
// file order. Only SiteName and SiteDir are used; the rest is carried.
struct SiteInfoRecord
{
    QString SiteName;
    QString SiteDir; // after LoadSiteInfo: the directory the file was read from
    QString text3;
    QString text4;
    QString text5;
    QByteArray data6; // 6 bytes
    QString text7;
    QString text8;
    QByteArray data9; // 8 bytes
    QString text10;
    QString text11;
    QByteArray data12; // 8 bytes
    QString text13;
    QByteArray data14; // 16 bytes
    QString text15;
};
