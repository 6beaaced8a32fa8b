// Writes the fuzz seed corpora: real files made by the project's own writers, and broken
// ones built byte by byte. Usage: zr415-fuzz-corpus CORPUSDIR (normally fuzz/corpus).
#include "corvane/ChannelAllocations.h"
#include "corvane/ModCrvFile.h"
#include "document/ChannelRow.h"
#include "document/CsvFile.h"
#include "document/DipFile.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "zr415-fuzz-corpus: %s\n", qPrintable(what));
    std::exit(1);
}

QString folderFor(const QString& corpus, const QString& target)
{
    const QString folder = corpus + QDir::separator() + target;
    if (!QDir().mkpath(folder))
        fail(QStringLiteral("cannot create ") + folder);
    return folder + QDir::separator();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write ") + path);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read ") + path);
    return file.readAll();
}

void appendInt16(QByteArray& out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void appendInt32(QByteArray& out, qint64 value)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

void appendText(QByteArray& out, const QByteArray& text)
{
    appendInt16(out, int(text.size()));
    out.append(text);
}

// A site with a bit of everything the formats carry.
ChannelRows sample(int channels)
{
    ChannelRows rows = DefaultRows(channels);
    const QString names[] = {QStringLiteral("TPR 101"),
                             QStringLiteral("  padded  "),
                             QStringLiteral("A name much longer than sixteen"),
                             QStringLiteral("comma, inside"),
                             QStringLiteral("say \"hi\""),
                             QStringLiteral("Sch\u00E4fer \u20AC"),
                             QString(),
                             QStringLiteral("(spare)")};
    for (int row = 0; row < rows.size(); row += 7) {
        ChannelRow& channel = rows[row];
        channel.relNam = names[(row / 7) % std::size(names)];
        channel.back = (row / 7) % 3 == 1;
        if (row % 5 == 0) {
            channel.stUp = QStringLiteral("ON");
            channel.stDn = QStringLiteral("OFF");
        }
    }
    return rows;
}

void save(const FileResult& result, const QString& what)
{
    if (!result)
        fail(QStringLiteral("cannot write %1: %2").arg(what, result.error));
}

QByteArray dipHeader(quint32 flag, int type, int version, qint64 count)
{
    QByteArray out;
    appendInt32(out, flag);
    appendInt16(out, type);
    appendInt16(out, version);
    appendInt32(out, count);
    appendInt32(out, 0);
    return out;
}

QByteArray dipRecords(const QByteArray& real, int records)
{
    return real.mid(DipHeader::kSize, qsizetype(records) * DipChannelRecord::kSize);
}

void writeDipCorpus(const QString& folder)
{
    const QString defaults = folder + QStringLiteral("defaults-384.dip");
    save(SaveDipFile(DefaultRows(384), defaults), defaults);
    const QString named = folder + QStringLiteral("named-768.dip");
    save(SaveDipFile(sample(768), named), named);
    const QByteArray real = readBytes(named);
    const QByteArray records = dipRecords(real, 3);
    const auto broken = [&](const char* name, const QByteArray& bytes) {
        writeBytes(folder + QLatin1String(name), bytes);
    };
    broken("short-15.dip", real.left(15));
    broken("bad-flag.dip", dipHeader(0x12345678, 3, 3, 3) + records);
    broken("bad-type.dip", dipHeader(DipHeader::kFlag, 2, 3, 3) + records);
    broken("version-2.dip", dipHeader(DipHeader::kFlag, 3, 2, 3) + records);
    broken("version-ffff.dip", dipHeader(DipHeader::kFlag, 3, 0xFFFF, 3) + records);
    broken("count-0.dip", dipHeader(DipHeader::kFlag, 3, 3, 0) + records);
    broken("count-negative.dip", dipHeader(DipHeader::kFlag, 3, 3, -1) + records);
    broken("count-5000-3-records.dip", dipHeader(DipHeader::kFlag, 3, 3, 5000) + records);
    broken("count-max-int.dip", dipHeader(DipHeader::kFlag, 3, 3, 0x7FFFFFFF) + records);
    broken("half-record.dip", dipHeader(DipHeader::kFlag, 3, 3, 2) + records.left(60));
    broken("bytes-after-records.dip", dipHeader(DipHeader::kFlag, 3, 3, 1) + records);
    QByteArray oddFlags = dipHeader(DipHeader::kFlag, 3, 3, 3) + records;
    oddFlags[DipHeader::kSize + DipChannelRecord::kBackOffset] = char(2);
    oddFlags[DipHeader::kSize + DipChannelRecord::kSize + DipChannelRecord::kBackOffset] =
        char(0xFF);
    oddFlags.replace(DipHeader::kSize + 40 * 2, 16, QByteArray(16, '\xE9'));
    broken("odd-flags-high-bytes.dip", oddFlags);
}

void writeCsvCorpus(const QString& folder)
{
    const QString named = folder + QStringLiteral("named-384.csv");
    save(SaveCsvFile(sample(384), named), named);
    const auto hand = [&](const char* name, const QByteArray& bytes) {
        writeBytes(folder + QLatin1String(name), bytes);
    };
    hand("title-line.csv", "Chan,Relay,Contact\r\nAA01,TPR,Back\r\nAA02,spare,Front\r\n");
    hand("numbers.csv", "1,One,B\r\n2,Two,b\r\n3,Three\r\n 4 ,Four,F\r\n");
    hand("jump-to-ba01.csv", "BA01,Far,Back\r\nBA02,Next,Front\r\n");
    hand("beyond-3072.csv", "3072,Last,Back\r\n3073,Too far,Back\r\n");
    hand("spares.csv", "AA01,SP,Front\r\nAA02,(Spare),Back\r\nAA03,Spare relay,F\r\n"
                       "AA04,Sparrow,F\r\n");
    hand("breaks.csv", "AA01,A,B\rAA02,B,B\n\r\nAA03\r\n\r\nAA04,C,F");
    hand("only-commas.csv", ",,,,,,,,\r\n,\r\nAA01,,\r\n");
    const char nul[] = "AA01,N\0L,Back\r\n\0\0\0\r\nAA02,X,\0\r\n";
    hand("nul-bytes.csv", QByteArray(nul, sizeof nul - 1));
    QByteArray high = "AA01,";
    for (int c = 0x80; c <= 0xFF; ++c)
        high.append(char(c));
    high.append(",Back\r\nAA02,\x80\x81\x8D\x8F\x90\x9D,Front\r\n");
    hand("high-bytes.csv", high);
    hand("overflow.csv", "99999999999,Big,Back\r\nAA01,Next,Front\r\n");
    hand("below-one.csv", "AA01,One,F\r\n-3,Minus,F\r\n0,Zero,F\r\n");
    hand("rounding.csv", "1.4,A,F\r\n2.5,B,F\r\n3.5,C,F\r\nAA00,D,F\r\nAA49,E,F\r\naa01,F,F\r\n");
    hand("quotes.csv", "AA01,\"a, b\",Back\r\nAA02,\"say \"\"hi\"\"\",F\r\nAA03,\"open,F\r\n"
                       "AA04,x\"y,B\r\n");
    hand("long-line.csv",
         "AA01," + QByteArray(4000, 'x') + ",Back\r\n" + QByteArray(3000, ',') + "\r\n");
}

QByteArray siteInfo(const QByteArray& name, const QByteArray& dir)
{
    QByteArray out = "K7V2.0 Site Info file";
    appendText(out, name);
    appendText(out, dir);
    appendText(out, "Line 3");
    appendText(out, "");
    appendText(out, "Text five");
    out.append("\x01\x02\x03\x04\x05\x06", 6);
    appendText(out, "seven");
    appendText(out, "eight");
    out.append(QByteArray(8, '\x08'));
    appendText(out, "ten");
    appendText(out, "eleven");
    out.append(QByteArray(8, '\x0C'));
    appendText(out, "thirteen");
    out.append(QByteArray(16, '\x0E'));
    appendText(out, "fifteen");
    return out;
}

void writeSiteInfoCorpus(const QString& folder)
{
    const QByteArray real = siteInfo("North Junction", "C:\\Corvane\\North");
    const auto hand = [&](const char* name, const QByteArray& bytes) {
        writeBytes(folder + QLatin1String(name), bytes);
    };
    hand("north.cfg", real);
    hand("trailing-bytes.cfg", real + "extra bytes never read");
    hand("empty-name.cfg", siteInfo("", "C:\\Corvane\\Empty"));
    hand("blank-name.cfg", siteInfo("   ", "x"));
    hand("high-bytes-name.cfg", siteInfo("\x80\x8D\xE9\xFF", "y"));
    hand("zero-bytes.cfg", QByteArray());
    hand("header-only.cfg", real.left(21));
    hand("cut-in-count.cfg", real.left(22));
    hand("cut-in-name.cfg", real.left(28));
    hand("cut-in-data.cfg", real.left(real.indexOf("seven") - 4));
    QByteArray pastEnd = real.left(21);
    appendInt16(pastEnd, 0xFFFF);
    pastEnd.append("short");
    hand("count-past-end.cfg", pastEnd);
    hand("other-header.cfg", "Something else here!!" + real.mid(21));
}

void writeDChannelCorpus(const QString& folder, const QString& scratch)
{
    const QString scratchFile = scratch + QDir::separator() + QStringLiteral("DChannel.cfg");
    save(SaveCorvaneChannelFile(sample(384), scratch), scratchFile);
    writeBytes(folder + QStringLiteral("named-384.cfg"), readBytes(scratchFile));
    DigitalChannelList many{DigitalChannelRecord{}};
    for (int k = 1; k <= 3100; ++k)
        many.append({QString::number(k), {}, {}, false, 0});
    save(ModCrvFile::SaveDigitalChannels(scratch, many), scratchFile);
    writeBytes(folder + QStringLiteral("numbers-3100.cfg"), readBytes(scratchFile));

    const auto records = [](const QList<QByteArray>& names, int count) {
        QByteArray out = "K7V2.0 DChannels";
        appendInt16(out, count);
        int k = 0;
        for (const QByteArray& name : names) {
            appendText(out, name);
            appendText(out, k % 2 ? "second" : "");
            appendText(out, "");
            appendInt16(out, k % 3 == 0 ? 0xFFFF : k % 3 == 1 ? 0 : 0x0001);
            appendInt16(out, k);
            ++k;
        }
        return out;
    };
    const auto hand = [&](const char* name, const QByteArray& bytes) {
        writeBytes(folder + QLatin1String(name), bytes);
    };
    const QList<QByteArray> names{
        "spare",       "  Spare  ",        "(SPARE)",           "",
        "SPARE 2",     "Exactly16chars!!", "Seventeen chars!!", "Long name     ",
        "\x80\xE9\xFF"};
    hand("names.cfg", records(names, int(names.size())));
    hand("count-past-end.cfg", records(names, 500));
    hand("count-zero.cfg", records(names, 0));
    hand("count-negative.cfg", records(names, -2));
    hand("header-only.cfg", "K7V2.0 DChannels");
    hand("one-count-byte.cfg", "K7V2.0 DChannels\x05");
    QByteArray pastEnd = records({}, 2);
    appendInt16(pastEnd, 0xFFFF);
    pastEnd.append("abc");
    hand("text-past-end.cfg", pastEnd);
    hand("cut-in-record.cfg", records(names, int(names.size())).left(40));
}

void writeChannelNumberCorpus(const QString& folder)
{
    const char* texts[] = {"AA01",         "HH48",        "AB01",        "12",    " 12 ",
                           "2.5",          "3.5",         "-3",          "AA00",  "AA49",
                           "aa01",         "IA01",        "AA1",         "AAx1",  "",
                           "2147483647.5", "-2147483648", "99999999999", "AA.5",  "AA 5",
                           "1e3",          "+7",          ".5",          "\t9\t", "BA-1"};
    int k = 0;
    for (const char* text : texts)
        writeBytes(folder + QStringLiteral("text-%1").arg(k++, 2, 10, QLatin1Char('0')), text);
}

void writeSplitFieldsCorpus(const QString& folder)
{
    const char* lines[] = {",AA01,Relay,Back", "\x01,,",       "\x02a,\"b,c\",d",   "\x03\"open,x",
                           "\x04 a , b ",      "\x05no comma", "\x06\"\"\"\",\"\"", "\x07x\"y\",z"};
    int k = 0;
    for (const char* line : lines)
        writeBytes(folder + QStringLiteral("line-%1").arg(k++), line);
}

void writeSaversCorpus(const QString& folder)
{
    QByteArray mixed;
    for (int i = 0; i < 600; ++i)
        mixed.append(char((i * 37 + 11) & 0xFF));
    writeBytes(folder + QStringLiteral("mixed"), mixed);
    writeBytes(folder + QStringLiteral("two-units"), QByteArray("\x01\x07\x10\x04\x05\x06", 6));
    writeBytes(folder + QStringLiteral("commas-quotes"), QByteArray(64, '\x05'));
    // One name, "ß€", whose Windows-1252 bytes are valid UTF-8: the list reads back as UTF-8.
    writeBytes(folder + QStringLiteral("utf8-lookalike"), QByteArray("\x00\x00\x02\x16\x10", 5));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: zr415-fuzz-corpus CORPUSDIR\n");
        return 2;
    }
    const QString corpus = QString::fromLocal8Bit(argv[1]);
    const QString scratch = corpus + QDir::separator() + QStringLiteral(".scratch");
    if (!QDir().mkpath(scratch))
        fail(QStringLiteral("cannot create ") + scratch);
    writeDipCorpus(folderFor(corpus, QStringLiteral("dipfile")));
    writeCsvCorpus(folderFor(corpus, QStringLiteral("csvfile")));
    writeSiteInfoCorpus(folderFor(corpus, QStringLiteral("siteinfo")));
    writeDChannelCorpus(folderFor(corpus, QStringLiteral("dchannel")), scratch);
    writeChannelNumberCorpus(folderFor(corpus, QStringLiteral("channelnumber")));
    writeSplitFieldsCorpus(folderFor(corpus, QStringLiteral("splitfields")));
    writeSaversCorpus(folderFor(corpus, QStringLiteral("savers")));
    QDir(scratch).removeRecursively();
    return 0;
}
