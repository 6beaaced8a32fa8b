#!/usr/bin/env python3
"""Writes the byte-exact files of the golden cases: channel files (.dip), Corvane files
(DChannel.cfg, SiteInfo.cfg), CSV lists that hold bytes an editor would mangle (Windows-1252
letters, lone CR or LF) or run to hundreds of lines, and the labels table an export must leave.

Every file is built here from the byte layouts, independently of the project's code, and is
committed together with this script. Run it after changing a case:

    python3 tests/data/make_binary_cases.py          # write the files
    python3 tests/data/make_binary_cases.py --check  # only say which files differ
"""

import hashlib
import struct
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
FILES = {}


def put(path, data):
    assert path not in FILES, path
    FILES[path] = bytes(data)


def label(channel):
    """AA01 for channel 1 .. HH48 for channel 3072: unit letter, card letter, position."""
    k = channel - 1
    return chr(ord("A") + k // 384) + chr(ord("A") + k % 384 // 48) + "%02d" % (k % 48 + 1)


def spare(channel):
    return b"Spare " + label(channel).encode()


# --- Channel file: a 16-byte header, then one 40-byte record per channel ---------------------

def dip_header(count, flag=0xFFC0FFEE, file_type=3, version=3, reserved=0):
    return struct.pack("<IhhiI", flag, file_type, version, count, reserved)


def dip_record(name, back=0, up=b"UP", down=b"DN", filler=0):
    """`filler` goes into every byte a reader passes over (0 in a file the editor writes)."""
    record = bytearray([filler] * 40)
    record[0:16] = name[:16].ljust(16, b" ")
    record[17] = back
    record[18] = 1 if filler == 0 else filler
    record[19:22] = up[:3].ljust(3, b" ")
    record[23:26] = down[:3].ljust(3, b" ")
    return bytes(record)


def dip_file(rows):
    """A whole file for rows given as {channel: record}; the other channels of the last unit
    are spares, as the editor writes them."""
    count = max(rows)
    count = (count + 383) // 384 * 384
    return dip_header(count) + b"".join(
        rows.get(channel, dip_record(spare(channel))) for channel in range(1, count + 1))


# --- Corvane files: 16-bit little-endian numbers, texts as a byte count and their bytes -----

def text16(data):
    return struct.pack("<H", len(data)) + data


def crv_record(name, back=False, second=b"", third=b"", last=0, back_value=None):
    value = back_value if back_value is not None else (-1 if back else 0)
    return text16(name) + text16(second) + text16(third) + struct.pack("<hH", value, last)


def dchannel(count, records, header=b"K7V2.0 DChannels"):
    assert len(header) == 16
    return header + struct.pack("<h", count) + b"".join(records)


def dchannel_of(names_and_contacts):
    """DChannel.cfg as the editor writes it: one record per (name, back)."""
    return dchannel(len(names_and_contacts),
                    [crv_record(name, back) for name, back in names_and_contacts])


def siteinfo(name, header=b"K7V2.0 Site Info file"):
    assert len(header) == 21
    return (header + text16(name) + text16(b"C:\\Corvane\\stored\\elsewhere") + text16(b"text 3")
            + text16(b"text 4") + text16(b"text 5") + b"\x06" * 6 + text16(b"text 7")
            + text16(b"text 8") + b"\x09" * 8 + text16(b"text 10") + text16(b"text 11")
            + b"\x0c" * 8 + text16(b"text 13") + b"\x0e" * 16 + text16(b"text 15"))


# --- CSV lists --------------------------------------------------------------------------------

def csv_line(channel, name, back):
    return label(channel).encode() + b"," + name + (b",Back\r\n" if back else b",Front\r\n")


def csv_file(count, rows):
    """One line per channel; rows maps a channel to its (name field as written, back)."""
    return b"".join(csv_line(channel, *rows.get(channel, (spare(channel), False)))
                    for channel in range(1, count + 1))


# --- The cases ------------------------------------------------------------------------------

def dip_cases():
    one = dip_record(b"R1")
    put("dip/header-too-short/files/site.dip", dip_header(384)[:15])
    # Type and version are wrong as well: only the flag may be reported.
    put("dip/header-flag/files/site.dip", dip_header(384, flag=0xFEC0FFEE, file_type=9,
                                                     version=9) + one)
    put("dip/header-type/files/site.dip", dip_header(384, file_type=4, version=9) + one)
    put("dip/header-version-2/files/site.dip", dip_header(384, version=2) + one)
    put("dip/header-version-ffff/files/site.dip", dip_header(384, version=-1) + one)
    put("dip/count-0/files/site.dip", dip_header(0) + one)
    put("dip/count-negative/files/site.dip", dip_header(-384) + one)

    # 5000 channels claimed, 3073 there: the table stops at 3072.
    records = [dip_record(b"FIRST", 1)]
    records += [dip_record(spare(channel), 0, b"UP", b"DN") for channel in range(2, 3072)]
    records += [dip_record(b"LAST", 1, b"ON", b"OFF"), dip_record(b"BEYOND", 1)]
    put("dip/count-5000-cut/files/big.dip", dip_header(5000) + b"".join(records))

    put("dip/shorter-than-count/files/SOUTH.DIP",
        dip_header(768) + dip_record(b"R1", 1, b"ON", b"OFF") + dip_record(b"R2"))
    put("dip/contact-bytes/files/site.dip", dip_header(4) + b"".join(
        dip_record(b"C%d" % value, value) for value in (0, 1, 2, 255)))
    # Every byte a reader passes over is 0xFF, the reserved header field too; a third record
    # after the two counted is never read.
    put("dip/ignored-bytes/files/site.dip",
        dip_header(2, reserved=0xFFFFFFFF) + dip_record(b"R1", 1, filler=0xFF)
        + dip_record(b"R2", 0, b"ON", b"OFF", filler=0xFF) + dip_record(b"EXTRA", 1))
    put("dip/windows-1252/files/site.dip", dip_header(2)
        + dip_record(b"Rel\xe9 \x80 \x8a\x9f\xa0\xff", 0, b"\xc0\xb5\xb0", b"\x84")
        + dip_record(b"\x93Z\xfcrich\x94", 1))
    put("dip/spaces/files/site.dip", dip_header(4)
        + dip_record(b"  Relay 1", 0, b"  A", b"A")
        + dip_record(b"", 0, b"", b"DN")
        + dip_record(b"\tX", 1)
        + dip_record(b"ABCDEFGHIJKLMNOP", 0))

    put("dip/write-fields/expected/out.dip", dip_file({
        1: dip_record(b"ABCDEFGHIJKLMNOP", 1, b"HIG", b""),
        2: dip_record(b"", 0),
        3: dip_record(b"Rel\xe9 \x80 \x9f", 0, b"\xc0B", b"x"),
        4: dip_record(b"  padded", 0),
        5: dip_record(b"? and ?", 0, b"?"),
        6: dip_record(spare(6), 1),
    }))
    put("dip/write-over-longer/files/north.dip",
        dip_file({channel: dip_record(b"OLD " + label(channel).encode(), 1)
                  for channel in range(1, 769)}))
    put("dip/write-over-longer/expected/north.dip", dip_file({1: dip_record(b"NEW", 1)}))
    put("dip/export-3072/files/card/NORTH.dip", dip_file({1: dip_record(b"OLD CARD")}))
    put("dip/export-3072/expected/card/NORTH.dip", dip_file({
        1: dip_record(b"FIRST", 1), 3072: dip_record(b"LAST", 0, b"ON", b"OFF")}))


def csv_cases():
    # Hostile lists: a name far past any field's size, lines of only commas, NUL bytes.
    huge = b"x" * 65536
    put("csv/huge-name/files/list.csv", b"AA01," + huge + b",Back\r\nAA02,NEXT,F\r\n")
    put("csv/huge-name/site.txt", b"caption: list - ZR415 configuration editor\nfile: (none)\n"
        b"modified: no\nrows: 384\nAA01 \"" + huge + b"\" Back \"UP\" \"DN\"\n"
        b"AA02 \"NEXT\" Front \"UP\" \"DN\"\n")
    put("csv/only-commas/files/list.csv", b",,,,,,\r\nAA01,TR1,B\r\n")
    put("csv/nul-bytes/files/list.csv", b"AA01,A\0B,B\r\n\0\0\0\r\nAA02,TR2,F\r\n")
    put("csv/line-ends/files/list.csv", b"AA01,a\rAA02,b,Back\nAA03,c\r\nAA04,d")
    put("csv/windows-1252/files/list.csv",
        b"AA01,\x80\x8a\x9f\xa0\xe9\xff,B\r\nAA02,Rel\xe9 \xe0 Z\xfcrich,Front\r\n")
    written = csv_file(384, {
        1: (b"ABCDEFGHIJKLMNOP", True),
        2: (b'"Points, 2A"', False),
        3: (b'"Say ""hi"""', True),
        4: (b'"x""y,z"', False),
        5: (b"Rel\xe9 \x80 Z\xfcrich", False),
        6: (b"", True),
        7: (b"?", False),
        8: (b"  padded  ", False),
        9: (b'"ABCDEFGHIJKLMNO,"', False),
        10: (b"ABCDEFGHIJKLMNOP", False),
        # A spreadsheet that splits on semicolons or tabs keeps these whole; a line break
        # would end the line.
        11: (b'"A;B"', True),
        12: (b'"TAB\tHERE"', False),
        13: (b"TWO LINES", True),
        14: (b"CR LF", False),
        15: (b"CR ", False),
    })
    put("csv/write/expected/out.csv", written)
    # What the writer wrote reads back.
    put("csv/written-list-read/files/list.csv", written)

    # A quote never spans lines: a stray quote quotes nothing, and a quoted name broken over
    # two lines is two lines. A doubled quote at the end of the line is a quote, not the end.
    put("csv/stray-quote/files/list.csv",
        b'AA01,"Relay,Back\r\nAA02,TPR 2,Front\r\nAA03,"TPR 3,Back\nAA04,TPR "4",Back\r'
        b'AA05,"TWO\r\nLINES",Back\r\nAA06,"Points, 2A",Back\r\nAA07,"TPR ""7""\r\n')
    names = "AA01,Café,Back\r\nAA02,Zürich € Ωmega,Front\r\nAA03,ÀÉÎÕÜ,B\r\n"
    put("csv/utf8-mark/files/list.csv", b"\xef\xbb\xbf" + names.encode("utf-8"))
    put("csv/utf8-without-mark/files/list.csv", names.encode("utf-8"))
    put("csv/utf16-little-endian/files/list.csv", b"\xff\xfe" + names.encode("utf-16-le"))
    put("csv/utf16-big-endian/files/list.csv", b"\xfe\xff" + names.encode("utf-16-be"))
    # Not one ASCII byte, not even a line break: still UTF-8, and the refused line says so.
    put("csv/utf8-only-letters/files/list.csv", "ΩÉ€".encode("utf-8"))
    # A mark and nothing after it is an empty list, not a line holding the mark.
    put("csv/only-utf16-mark/files/list.csv", b"\xff\xfe")


def corvane_cases():
    site = "config/kirkby/"
    kirkby = siteinfo(b"Kirkby Jn")

    def corvane(case, channels, info=kirkby, info_name="SiteInfo.cfg",
                channels_name="DChannel.cfg"):
        put("corvane/%s/files/%s%s" % (case, site, info_name), info)
        if channels is not None:
            put("corvane/%s/files/%s%s" % (case, site, channels_name), channels)

    records = [crv_record(b"TPR 1", True)] + [crv_record(b"")] * 498 + [crv_record(b"LAST 500")]
    corvane("allocations-500", dchannel(500, records))
    records = ([crv_record(b"FIRST", True)] + [crv_record(b"")] * 3070
               + [crv_record(b"LAST"), crv_record(b"BEYOND", True)] + [crv_record(b"")] * 27)
    corvane("allocations-3100", dchannel(3100, records))
    corvane("spare-names", dchannel_of([
        (b" spare ", False), (b"(Spare)", False), (b"", False), (b"SPARE", False),
        (b"(SPARE)", True), (b"SPARE 2", False), (b"Spares", False), (b"sp", False),
        (b"Spare relay", False)]))
    corvane("long-names", dchannel_of([
        (b"ABCDEFGHIJKLMNOP", False), (b"ABCDEFGHIJKLMNOPQ", False),
        (b"ABCDEFGHIJKLMNOP    ", False), (b"  ABCDEFGHIJKLMNOPQRST  ", False)]))
    corvane("count-0", dchannel(0, [crv_record(b"NOT READ")]))
    corvane("count-negative", dchannel(-1, [crv_record(b"NOT READ")]))
    # Three records counted; the file ends inside the second, after its second text.
    corvane("ends-in-record", dchannel(3, [crv_record(b"A", True), text16(b"B"), text16(b"2nd")]))
    # A byte count of 300 with four bytes left: the bytes that are there.
    corvane("text-past-end", dchannel(2, [struct.pack("<H", 300) + b"ABCD"]))
    corvane("letter-case", dchannel_of([(b"TPR 1", True)]), info_name="siteinfo.cfg",
            channels_name="DCHANNEL.CFG")
    corvane("other-headers", dchannel(2, [
        crv_record(b"TPR 1", second=b"2nd", third=b"3rd", last=7, back_value=1),
        crv_record(b"TPR 2", last=0xFFFF)], header=b"XXXXXXXXXXXXXXXX"),
        info=siteinfo(b"Kirkby Jn", header=b"K7V3.1 Something else"))
    # An imported site is modified; whatever replaces it after is not.
    corvane("import-then-new", dchannel_of([(b"TPR 1", True)]))
    corvane("import-then-open", dchannel_of([(b"TPR 1", True)]))
    put("corvane/import-then-open/files/north.dip", dip_file({1: dip_record(b"NORTH 1", 1)}))
    corvane("read-fails", None)
    corvane("read-fifo", None)
    put("corvane/read-fails/files/%sDChannel.cfg/keep.txt" % site, b"a folder, not a file\n")

    out = [(spare(channel), False) for channel in range(1, 385)]
    out[0] = (b"A RELAY NAME LON", True)
    out[1] = (b"", False)
    out[2] = (b"B\xe4r \x80 ?", False)
    out[3] = (spare(4), True)
    out[4] = (b"TPR 5", False)
    put("corvane/write/files/out/DChannel.cfg", b"x" * 40000)
    put("corvane/write/expected/out/DChannel.cfg", dchannel_of(out))
    old = dchannel_of([(b"OLD", False)])
    new = [(spare(channel), False) for channel in range(1, 385)]
    new[0] = (b"NEW", True)
    for where in ("files", "expected"):
        put("corvane/write-letter-case/%s/site/siteinfo.cfg" % where, kirkby)
    put("corvane/write-letter-case/files/site/DCHANNEL.CFG", old)
    put("corvane/write-letter-case/expected/site/DCHANNEL.CFG", dchannel_of(new))
    # Answered No, the other site's file stays; without one there is nothing to ask.
    put("corvane/write-replace-no/files/site/siteinfo.cfg", kirkby)
    put("corvane/write-replace-no/files/site/dchannel.Cfg", old)
    put("corvane/write-no-question/files/site/readme.txt", b"a folder without a DChannel.cfg\n")
    put("corvane/write-no-question/expected/site/readme.txt",
        b"a folder without a DChannel.cfg\n")
    put("corvane/write-no-question/expected/site/DChannel.cfg", dchannel_of(new))


def convert_cases():
    site_dip = dip_file({2: dip_record(b"Points 2A", 1)})
    site_csv = csv_file(384, {2: (b"Points 2A", True)})
    for case in ("dip-to-csv", "labels", "to-cfg", "to-cfg-bare-name", "to-directory",
                 "write-fails-missing-folder", "write-fails-keeps-old", "write-fifo",
                 "usage-unknown-ending"):
        put("convert/%s/files/site.dip" % case, site_dip)
    put("convert/dip-to-csv/expected/site.dip", site_dip)
    put("convert/dip-to-csv/expected/site.csv", site_csv)
    put("convert/csv-to-dip/files/site.csv", site_csv)
    put("convert/csv-to-dip/expected/site.csv", site_csv)
    put("convert/csv-to-dip/expected/SITE.DIP", site_dip)

    kirkby = [crv_record(b"TPR 1", True), crv_record(b""), crv_record(b"A NAME OF TWENTY CHR")]
    for case, name in (("corvane-directory", "DChannel.cfg"), ("dchannel-path", "DCHANNEL.CFG")):
        for where in ("files", "expected"):
            put("convert/%s/%s/config/kirkby/SiteInfo.cfg" % (case, where),
                siteinfo(b"Kirkby Jn"))
            put("convert/%s/%s/config/kirkby/%s" % (case, where, name), dchannel(3, kirkby))
    put("convert/corvane-directory/expected/kirkby.csv",
        csv_file(384, {1: (b"TPR 1", True), 3: (b"A NAME OF TWENTY", False)}))
    put("convert/dchannel-path/expected/kirkby.dip",
        dip_file({1: dip_record(b"TPR 1", 1), 3: dip_record(b"A NAME OF TWENTY")}))

    out = dchannel_of([(b"Points 2A" if channel == 2 else spare(channel), channel == 2)
                       for channel in range(1, 385)])
    put("convert/to-cfg/files/out/readme.txt", b"the folder a .cfg name points into\n")
    put("convert/to-cfg/expected/site.dip", site_dip)
    put("convert/to-cfg/expected/out/readme.txt", b"the folder a .cfg name points into\n")
    put("convert/to-cfg/expected/out/DChannel.cfg", out)
    # A bare name is in the current folder, where the converter runs.
    put("convert/to-cfg-bare-name/expected/site.dip", site_dip)
    put("convert/to-cfg-bare-name/expected/DChannel.cfg", out)
    put("convert/to-directory/files/out/DChannel.cfg", b"x" * 40000)
    put("convert/to-directory/expected/site.dip", site_dip)
    put("convert/to-directory/expected/out/DChannel.cfg", out)
    # The file size is limited to less than a channel file: the old one must stay.
    put("convert/write-fails-keeps-old/files/out.dip", dip_file({1: dip_record(b"OLD", 1)}))
    for case in ("write-fails-keeps-old-csv", "write-fails-keeps-old-cfg"):
        put("convert/%s/files/site.dip" % case, site_dip)
    put("convert/write-fails-keeps-old-csv/files/out.csv", b"AA01,OLD,Back\r\n" * 200)
    put("convert/write-fails-keeps-old-cfg/files/out/DChannel.cfg", b"o" * 20000)

    put("convert/sites/files/config/kirkby/SiteInfo.cfg", siteinfo(b"Kirkby Jn"))
    put("convert/sites/files/config/nameless/SiteInfo.cfg", siteinfo(b""))
    put("convert/sites/files/config/noinfo/readme.txt", b"no SiteInfo.cfg here\n")
    put("convert/sites/files/config/notes.txt", b"a file, not a site\n")

    # Four channels to a row; the export writes B for a back contact and leaves F, the
    # table's default, for a front one.
    rows = []
    for first in range(1, 385, 4):
        channels = range(first, first + 4)
        names = ["Points 2A" if c == 2 else "Spare " + label(c) for c in channels]
        sides = ["B" if c == 2 else "F" for c in channels]
        rows.append(" | ".join([label(c) for c in channels] + names + sides) + "\n")
    put("convert/labels/labels.txt", "".join(rows).encode())

    put("convert/yes-answers-question/expected/out.dip",
        dip_file({385: dip_record(b"R385", 1)}))
    big = dip_header(5000) + b"".join(
        [dip_record(b"FIRST", 1)] + [dip_record(spare(c)) for c in range(2, 3072)]
        + [dip_record(b"LAST", 1), dip_record(b"BEYOND", 1)])
    for case in ("cut-without-yes", "cut-with-yes"):
        put("convert/%s/files/big.dip" % case, big)
    put("convert/cut-with-yes/expected/big.dip", big)
    put("convert/cut-with-yes/expected/out.dip",
        dip_file({1: dip_record(b"FIRST", 1), 3072: dip_record(b"LAST", 1)}))
    # A list and a Corvane site past 3072 channels are cut as a channel file is.
    # Every label of 3072 channels read, and written again as the editor writes it.
    for case in ("cut-list-without-yes", "cut-list-with-yes"):
        put("convert/%s/files/big.csv" % case,
            csv_file(3072, {3072: (b"LAST", True)}) + b"3073,BEYOND,Back\r\n")
    put("convert/cut-list-with-yes/expected/big.csv",
        csv_file(3072, {3072: (b"LAST", True)}) + b"3073,BEYOND,Back\r\n")
    put("convert/cut-list-with-yes/expected/out.csv", csv_file(3072, {3072: (b"LAST", True)}))
    put("convert/corvane-no-allocations/files/kirkby/DChannel.cfg",
        dchannel(0, [crv_record(b"NOT READ")]))
    records = [crv_record(b"FIRST", True)] + [crv_record(b"")] * 3071 + [crv_record(b"BEYOND")]
    put("convert/cut-corvane-without-yes/files/big/DChannel.cfg", dchannel(3073, records))
    put("convert/read-fails/files/in.dip", dip_header(384, flag=0x12345678))
    put("convert/double-dash/expected/out.dip", dip_file({1: dip_record(b"R1", 1)}))

    # Names longer than the channel file's 16 characters, told once after the write.
    long_names = (b"AA01,ABCDEFGHIJKLMNOPQ,Back\r\nAA02,SIXTEEN CHARS OK,Front\r\n"
                  b"AA03,A NAME OF TWENTY CHR,Front\r\n")
    put("convert/names-cut/files/list.csv", long_names)
    put("convert/names-cut/expected/list.csv", long_names)
    put("convert/names-cut/expected/out.dip", dip_file({
        1: dip_record(b"ABCDEFGHIJKLMNOP", 1), 2: dip_record(b"SIXTEEN CHARS OK"),
        3: dip_record(b"A NAME OF TWENTY")}))
    one_long = b"AA01,TPR 1,Back\r\nAA02,A NAME OF TWENTY CHR,Front\r\n"
    put("convert/name-cut/files/list.csv", one_long)
    put("convert/name-cut/expected/list.csv", one_long)
    put("convert/name-cut/expected/out.csv", csv_file(384, {
        1: (b"TPR 1", True), 2: (b"A NAME OF TWENTY", False)}))


def check_cases():
    """--check INPUT: one case per kind of problem, a site with none, each input format."""
    # Nothing a checker would flag: a relay on both its contacts, a formula sign inside a name,
    # spares of the same name, sixteen characters, a Windows-1252 letter, other state texts on
    # a channel in use.
    put("convert/check-none/files/site.dip", dip_file({
        1: dip_record(b"TPR 1", 1), 2: dip_record(b"TPR 1", 0),
        3: dip_record(b"A=B+C-D@E", 0), 4: dip_record(b"Spare", 0), 5: dip_record(b"Spare", 0),
        6: dip_record(b"ABCDEFGHIJKLMNOP", 1, b"ON", b"OFF"), 7: dip_record(b"\x80 FEED \xe9", 0)}))
    # The same relay and contact three times, one in another letter case and another unit;
    # the same name on the other contact and spares of one name are no duplicate.
    put("convert/check-duplicate-relay/files/site.dip", dip_file({
        1: dip_record(b"TPR 1", 1), 2: dip_record(b"TPR 1", 0), 3: dip_record(b"TPR 2"),
        4: dip_record(b"TPR 2"), 5: dip_record(b"TPR 2", 1), 6: dip_record(b"SPARE X"),
        7: dip_record(b"SPARE X"), 50: dip_record(b"tpr 1", 1), 400: dip_record(b"TPR 1", 1)}))
    # A relay on five and on six channels: each names three of the others and counts the rest.
    put("convert/check-duplicate-relay-many/files/site.dip", dip_file(dict(
        [(c, dip_record(b"WJR 1")) for c in range(1, 6)]
        + [(c, dip_record(b"HR 2", 1)) for c in range(11, 17)])))
    # Only a list holds a name longer than the channel file's sixteen characters.
    put("convert/check-long-name/files/list.csv",
        b"AA01,ABCDEFGHIJKLMNOPQ,Back\r\nAA02,ABCDEFGHIJKLMNOP,Front\r\n"
        b'AA03,"LONG, WITH A COMMA",Front\r\n')
    put("convert/check-empty-texts/files/site.dip", dip_file({
        1: dip_record(b""), 2: dip_record(b"TPR 2", 0, b""), 3: dip_record(b"TPR 3", 0, b"UP", b""),
        4: dip_record(b"", 0, b"", b"DN")}))
    # A list is what a spreadsheet opens.
    put("convert/check-formula-names/files/list.csv",
        b"AA01,=A1+B1,Front\r\nAA02,+44 TPR,Front\r\nAA03,-50V FEED,Back\r\nAA04,@HOME,Front\r\n"
        b'AA05,TPR=1,Front\r\nAA06,"=SUM(A1,B1)",Front\r\n')
    put("convert/check-spare-states/files/site.dip", dip_file({
        1: dip_record(spare(1), 0, b"ON", b"OFF"), 2: dip_record(b"SPARE", 0, b"DN", b"UP"),
        3: dip_record(b"Spare", 0, b"UP", b"DN"), 4: dip_record(b"", 0, b"ON", b"DN"),
        5: dip_record(b"TPR 5", 0, b"ON", b"OFF")}))
    # A Corvane site's record is headed with the name its SiteInfo.cfg gives.
    for case in ("check-corvane", "print-corvane-site-record"):
        put("convert/%s/files/config/kirkby/SiteInfo.cfg" % case, siteinfo(b"Kirkby Jn"))
        put("convert/%s/files/config/kirkby/DChannel.cfg" % case, dchannel_of([
            (b"TPR 1", True), (b"TPR 1", True), (b"@TPR", False), (b"", False),
            (b"TPR 1", False)]))
    # Cut to its first 3072 channels and checked: the first and the last share a relay.
    put("convert/check-cut-site/files/big.dip", dip_header(5000) + b"".join(
        [dip_record(b"FIRST", 1)] + [dip_record(spare(c)) for c in range(2, 3072)]
        + [dip_record(b"FIRST", 1), dip_record(b"=BEYOND", 1)]))
    put("convert/check-unreadable/files/site.dip", dip_header(384, flag=0x12345678))
    # A list writes a line break in a name as a space.
    put("convert/check-line-break/files/site.dip", dip_file({
        1: dip_record(b"TWO\nLINES"), 2: dip_record(b"CR\rONLY", 1), 3: dip_record(b"CR\r\nLF"),
        4: dip_record(b"ONE LINE")}))


def compare_cases():
    """--compare A B: sites of each format, of different sizes, the same site, an unreadable
    one."""
    north = {1: dip_record(b"TPR 1", 1), 2: dip_record(b"TPR 2"),
             3: dip_record(b"TPR 3", 0, b"ON", b"OFF"), 4: dip_record(b"TPR 4")}
    altered = dict(north)
    altered.update({1: dip_record(b"TPR 1", 0), 2: dip_record(b"TPR 2X"),
                    3: dip_record(b"TPR 3", 0, b"ON", b"OF"), 4: dip_record(b"TPR 4", 0, b"NO"),
                    384: dip_record(b"LAST")})
    put("convert/compare-dip-dip/files/north.dip", dip_file(north))
    put("convert/compare-dip-dip/files/altered.dip", dip_file(altered))
    put("convert/compare-same-dip/files/north.dip", dip_file(north))
    put("convert/compare-same-dip/files/copy.dip", dip_file(north))

    # A list holds no state texts: channel 3's ON and OFF are not compared.
    put("convert/compare-dip-csv/files/north.dip", dip_file(north))
    put("convert/compare-dip-csv/files/north.csv", csv_file(384, {
        1: (b"TPR 1", True), 2: (b"TPR 2", True), 3: (b"TPR 3", False), 4: (b"TPR 4X", False)}))
    put("convert/compare-same-dip-csv/files/north.dip", dip_file(north))
    put("convert/compare-same-dip-csv/files/north.csv", csv_file(384, {
        1: (b"TPR 1", True), 2: (b"TPR 2", False), 3: (b"TPR 3", False), 4: (b"TPR 4", False)}))

    kirkby = [(b"TPR 1", True), (b"", False), (b"TPR 3", False)]
    put("convert/compare-csv-corvane/files/kirkby.csv",
        b"AA01,TPR 1,Back\r\nAA02,Spare AA02,Front\r\nAA03,TPR 3,Back\r\n")
    put("convert/compare-csv-corvane/files/config/kirkby/SiteInfo.cfg", siteinfo(b"Kirkby Jn"))
    put("convert/compare-csv-corvane/files/config/kirkby/DChannel.cfg", dchannel_of(kirkby))
    put("convert/compare-corvane-dip/files/config/kirkby/SiteInfo.cfg", siteinfo(b"Kirkby Jn"))
    put("convert/compare-corvane-dip/files/config/kirkby/DChannel.cfg", dchannel_of(kirkby))
    put("convert/compare-corvane-dip/files/kirkby.dip",
        dip_file({1: dip_record(b"TPR 1", 1, b"ON", b"OFF"), 3: dip_record(b"TPR 3")}))

    # One unit against two: the second unit is one range, after the cells that differ.
    small = dip_file({1: dip_record(b"TPR 1", 1)})
    large = dip_file({1: dip_record(b"TPR 1X", 1), 768: dip_record(b"LAST")})
    put("convert/compare-smaller-larger/files/small.dip", small)
    put("convert/compare-smaller-larger/files/large.dip", large)
    put("convert/compare-larger-smaller/files/small.dip", small)
    put("convert/compare-larger-smaller/files/large.dip", large)
    # A list of 400 lines makes two units.
    put("convert/compare-csv-larger/files/long.csv", csv_file(400, {}))
    put("convert/compare-csv-larger/files/site.dip", dip_file({1: dip_record(spare(1))}))

    bad = dip_header(384, flag=0x12345678)
    put("convert/compare-second-unreadable/files/north.dip", dip_file(north))
    put("convert/compare-second-unreadable/files/bad.dip", bad)
    put("convert/compare-first-unreadable/files/north.dip", dip_file(north))
    put("convert/compare-first-unreadable/files/bad.dip", bad)


def fingerprint(data, full=False):
    """The whole SHA-256 as sha256sum prints it, or its first 16 digits grouped by four."""
    digest = hashlib.sha256(data).hexdigest()
    return digest if full else "-".join(digest[i:i + 4].upper() for i in range(0, 16, 4))


def fingerprint_cases():
    """--fingerprint: a channel file, a list and a Corvane site of the same content share the
    channel file's fingerprint; one character more changes it; a channel file is taken by its
    bytes, even one that does not read as a site."""
    names = [(b"TPR 1", True), (b"TPR 2", False), (b"TPR 3", True)]
    north = dip_file({k + 1: dip_record(name, int(back)) for k, (name, back) in enumerate(names)})
    changed = dip_file({1: dip_record(b"TPR 1", 1), 2: dip_record(b"TPR 2", 0),
                        3: dip_record(b"TPR 4", 1)})
    case = "convert/fingerprint-sites/"
    put(case + "files/north.dip", north)
    put(case + "files/north.csv", csv_file(384, {k + 1: row for k, row in enumerate(names)}))
    put(case + "files/config/north/SiteInfo.cfg", siteinfo(b"North"))
    put(case + "files/config/north/DChannel.cfg", dchannel_of(names))
    put(case + "files/changed.dip", changed)
    put(case + "stdout.txt", "".join(
        "%s\t%s\n" % (fingerprint(data), name) for data, name in
        ((north, "north.dip"), (north, "north.csv"), (north, "config/north"),
         (changed, "changed.dip"))).encode())
    bad = dip_header(384, flag=0x12345678) + dip_record(b"NOT READ")
    case = "convert/fingerprint-full/"
    put(case + "files/north.dip", north)
    put(case + "files/bad.dip", bad)
    put(case + "stdout.txt", "".join(
        "%s\t%s\n" % (fingerprint(data, True), name)
        for data, name in ((north, "north.dip"), (bad, "bad.dip"))).encode())


def verify_cases():
    """--verify SITE CARDFILE: the card's file against what Save writes for the site, byte for
    byte: each way a card can differ that reading it as a site would miss."""
    put("convert/verify-csv-site/files/site.csv", csv_file(384, {2: (b"Points 2A", True)}))
    put("convert/verify-csv-site/files/card.dip", dip_file({2: dip_record(b"Points 2A", 1)}))
    site = dip_file({1: dip_record(b"R1"), 2: dip_record(b"R2", 1), 768: dip_record(b"LAST")})
    half = 16 + 384 * 40
    flag = bytearray(site)
    flag[16 + 40 + 17] = 2
    cards = {
        "verify-cut-half": site[:half],
        "verify-cut-20": site[:-20],
        "verify-flag-02": bytes(flag),
        "verify-reserved": site[:12] + b"\x1f" + site[13:],
        "verify-cut-in-header": site[:10],
        # A card of exactly a header is compared as one; a record cut short counts as missing,
        # whatever of it the card holds.
        "verify-cut-at-header": site[:12] + b"\x1f" + site[13:16],
        "verify-header-only": site[:16],
        "verify-cut-changed-record": site[:-30] + b"X" + site[-29:-20],
        "verify-file-type": site[:4] + b"\x04" + site[5:],
        "verify-file-flag": b"\xef" + site[1:],
        "verify-channel-count": site[:11] + b"\x01" + site[12:],
        "verify-reserved-record": site[:16 + 2 * 40 + 30] + b"\x07" + site[16 + 2 * 40 + 31:],
        "verify-longer": site + dip_record(b"EXTRA"),
        "verify-card-missing": None,
        "verify-card-fifo": None,
    }
    for case, card in cards.items():
        put("convert/%s/files/site.dip" % case, site)
        if card is not None:
            put("convert/%s/files/card.dip" % case, card)
    put("convert/verify-site-unreadable/files/site.dip", dip_header(384, flag=0x12345678))
    put("convert/verify-site-unreadable/files/card.dip", site)


def label_export_cases():
    """--labels DB into an SQLite file, named with what a file: URI would read as its syntax,
    directly or through ODBC's SQLite driver: names with quotes, a comma and a letter beyond
    ASCII; contacts that differ between rows of one column set, so a reused statement must take
    new values. A failure half way leaves the file as it was, byte for byte."""
    names = [b"Home HR", b"O'Brien, \"Z\"", b"Weiche \xdc 12"] + [b"R%d" % c for c in range(4, 17)]
    contacts = "FBFBBFBFFBFBBBBB"
    site = dip_file({c: dip_record(names[c - 1], int(contacts[c - 1] == "B"))
                     for c in range(1, 17)})
    rows = []
    for first in range(1, 385, 4):
        channels = range(first, first + 4)
        shown = [names[c - 1].decode("cp1252") if c <= 16 else "Spare " + label(c)
                 for c in channels]
        sides = [contacts[c - 1] if c <= 16 else "F" for c in channels]
        rows.append(" | ".join([label(c) for c in channels] + shown + sides) + "\n")
    for case in ("labels-uri-name-over-old-rows", "labels-odbc"):
        put("convert/%s/files/site.dip" % case, site)
        put("convert/%s/labels.txt" % case, "".join(rows).encode())
    # The third name of the 49th row: AE03.
    refused = dip_file({195: dip_record(b"REFUSED")})
    for case in ("labels-missing-file", "labels-missing-table", "labels-refused-half-way",
                 "labels-odbc-refused-half-way"):
        put("convert/%s/files/site.dip" % case, refused)


def scenario_cases():
    """Open north.dip, fail to read another file, Save: north.dip must get the site's own
    channels. The file opened holds 0xFF in every byte a reader passes over, so that the
    saved file, with zeros there, shows that Save wrote it."""
    opened = (dip_header(384, reserved=0xFFFFFFFF) + dip_record(b"NORTH 1", 1, filler=0xFF)
              + b"".join(dip_record(spare(channel), filler=0xFF) for channel in range(2, 385)))
    saved = dip_file({1: dip_record(b"NORTH 1", 1)})
    for case in ("csv/failed-read-then-save", "dip/failed-read-then-save",
                 "corvane/failed-read-then-save"):
        put("%s/files/north.dip" % case, opened)
        put("%s/expected/north.dip" % case, saved)
    bad = dip_header(384, flag=0xFEC0FFEE) + dip_record(b"NOT READ", 1)
    for where in ("files", "expected"):
        put("dip/failed-read-then-save/%s/other.dip" % where, bad)
        put("corvane/failed-read-then-save/%s/config/kirkby/SiteInfo.cfg" % where,
            siteinfo(b"Kirkby Jn"))
        put("corvane/failed-read-then-save/%s/config/kirkby/DChannel.cfg/keep.txt" % where,
            b"a folder, not a file\n")


def cp1252(byte):
    """The character of a Windows-1252 byte; the five bytes it leaves unassigned keep their
    code point, as Windows reads them."""
    try:
        return bytes([byte]).decode("cp1252")
    except UnicodeDecodeError:
        return chr(byte)


def dumped(text):
    """A text as a site dump writes it (README.md): quoted, escapes for what one cannot see."""
    out = ""
    for c in text:
        u = ord(c)
        if c in '"\\':
            out += "\\" + c
        elif u < 0x20 or 0x7F <= u <= 0xA0 or u == 0xAD:
            out += "\\u%04X" % u
        else:
            out += c
    return '"' + out + '"'


def every_byte_case():
    """Every byte between two letters, written as a list and read back: commas, quotes,
    semicolons and tabs quoted, a line break written as a space."""
    case = "csv/every-byte-round-trip/"
    head = "caption: %s\nfile: (none)\nmodified: no\nrows: 384\n"
    before, after, written = [], [], {}
    for byte in range(256):
        contact = " Back " if byte % 2 else " Front "
        name = "A" + cp1252(byte) + "B"
        read = name.replace("\r", " ").replace("\n", " ")
        before.append(label(byte + 1) + " " + dumped(name) + contact + '"UP" "DN"')
        after.append(label(byte + 1) + " " + dumped(read) + contact + '"UP" "DN"')
        raw = (b"A" + bytes([byte]) + b"B").replace(b"\r", b" ").replace(b"\n", b" ")
        if any(c in raw for c in b',";\t'):
            raw = b'"' + raw.replace(b'"', b'""') + b'"'
        written[byte + 1] = (raw, byte % 2 == 1)
    put(case + "before.txt", (head % "ZR415 configuration editor" + "\n".join(before) + "\n").encode())
    put(case + "site.txt", (head % "all - ZR415 configuration editor" + "\n".join(after) + "\n").encode())
    put(case + "expected/all.csv", csv_file(384, written))


def windows_folder_cases():
    """A site saved into a folder whose name holds a space, then read back: on Windows the
    paths the dialogs hand over have a drive letter and backslashes."""
    site = {1: dip_record(b"K101", 1), 2: dip_record(b"Home HR")}
    put("dip/windows-folder-round-trip/expected/Site Files/North/north.dip", dip_file(site))
    put("dip/windows-folder-round-trip/expected/Site Files/Card/NORTH.DIP", dip_file(site))
    put("csv/windows-folder-round-trip/expected/Site Files/North/NORTH.CSV",
        csv_file(384, {1: (b"K101", True), 2: (b"Home HR", False)}))
    channels = [(b"K101", True), (b"Home HR", False)] + [(spare(c), False) for c in range(3, 385)]
    for where in ("files", "expected"):
        put("corvane/windows-folder-round-trip/%s/Sites/north/SiteInfo.cfg" % where,
            siteinfo(b"North"))
    put("corvane/windows-folder-round-trip/expected/Sites/north/DChannel.cfg",
        dchannel_of(channels))
    for case in ("dip", "csv"):
        for where in ("files", "expected"):
            for folder in ("North", "Card") if case == "dip" else ("North",):
                put("%s/windows-folder-round-trip/%s/Site Files/%s/folder.txt"
                    % (case, where, folder), b"the folder the dialog chose\n")


def site_scan_cases():
    """Which folders below a Corvane configuration directory are sites, as --sites lists them."""
    case = "convert/sites-%s/files/config/"
    put(case % "not-every-folder" + "north/SiteInfo.cfg", siteinfo(b"North Jn"))
    put(case % "not-every-folder" + "nameless/SiteInfo.cfg", siteinfo(b""))
    put(case % "not-every-folder" + "noinfo/keep.txt", b"a folder without SiteInfo.cfg\n")
    put(case % "not-every-folder" + "notes.txt", b"not a site\n")
    put(case % "blank-name" + "blank/SiteInfo.cfg", siteinfo(b" "))
    # A file cut inside the name: the name as far as it goes.
    put(case % "name-cut-short" + "short/SiteInfo.cfg", b"K7V2.0 Site Info file\x05\x00Le")
    put(case % "unreadable-info" + "good/SiteInfo.cfg", siteinfo(b"Good"))
    put(case % "unreadable-info" + "broken/SiteInfo.cfg/keep.txt", b"a folder, not a file\n")
    put("gui/import-from-a-file/files/good/SiteInfo.cfg", siteinfo(b"Good"))


def printed_site(units, rename_every=0, flip_every=0):
    """Relays numbered after the channel, one in eight spare, back contacts at every third and
    every seventh channel; every n-th renamed or on the other contact, when asked."""
    kinds = [b"TPR", b"HR", b"DR", b"NWKR", b"ECR"]
    rows = {}
    for c in range(1, units * 384 + 1):
        name = spare(c) if c % 8 == 0 else b"%s %d" % (kinds[c % 5], c * 7 % 1000)
        back = c % 3 == 0 or c % 7 == 0
        if rename_every and c % rename_every == 0:
            name = b"NEW %d" % c
        if flip_every and c % flip_every == 0:
            back = not back
        rows[c] = dip_record(name, int(back))
    return rows


def print_cases():
    """Sites zr415-convert prints: the site record, label sheets, alteration records."""
    north = dip_file(printed_site(1))
    for case in ("site-record", "label-sheet", "labels-from-5", "labels-from-21",
                 "label-sheet-two-modes", "labels-from-22", "to-a-missing-folder"):
        for where in ("files", "expected"):
            put("convert/print-%s/%s/north.dip" % (case, where), north)
    altered = {
        "alteration-few-names": (dip_file(printed_site(1)), dip_file(printed_site(1, 50, 1000))),
        "alteration-unit-added": (dip_file(printed_site(1)), dip_file(printed_site(2, 100, 7))),
    }
    changed = printed_site(1)
    changed[6] = dip_record(b"NEW 6", changed[6][17])
    changed[200] = dip_record(changed[200][:16].rstrip(), 1 - changed[200][17])
    changed[300] = dip_record(changed[300][:16].rstrip(), changed[300][17], up=b"ON")
    altered["labels-of-changes"] = (north, dip_file(changed))
    for case, (old, new) in altered.items():
        for where in ("files", "expected"):
            put("convert/print-%s/%s/old.dip" % (case, where), old)
            put("convert/print-%s/%s/new.dip" % (case, where), new)


def gui_cases():
    """The starting files of GUI scenarios, and what Save must leave."""
    north = {1: dip_record(b"NORTH 1", 1)}
    for case in ("save-clears-modified-and-copy", "new-after-restore", "open-after-restore",
                 "open-after-import", "close-without-saving", "compare-last-channel"):
        put("gui/%s/files/north.dip" % case, dip_file(north))
    put("gui/save-clears-modified-and-copy/expected/north.dip",
        dip_file({**north, 2: dip_record(b"TPR 2")}))
    put("gui/compare-last-channel/files/other.dip",
        dip_file({**north, 384: dip_record(b"LAST", 1)}))
    put("gui/close-yes-saves/expected/site.dip", dip_file({4: dip_record(b"TPR 12")}))
    ours = {**north, 2: dip_record(b"MINE")}
    theirs = {**north, 1: dip_record(b"THEIRS", 1)}
    for case in ("save-over-a-changed-file-no", "save-over-a-changed-file-yes",
                 "save-after-a-touch", "undo-back-to-saved"):
        put("gui/%s/files/north.dip" % case, dip_file(north))
    for case in ("save-over-a-changed-file-no", "save-over-a-changed-file-yes"):
        for where in ("files", "expected"):
            put("gui/%s/%s/theirs.dip" % (case, where), dip_file(theirs))
    put("gui/save-over-a-changed-file-no/expected/north.dip", dip_file(theirs))
    put("gui/save-over-a-changed-file-yes/expected/north.dip", dip_file(ours))
    put("gui/save-after-a-touch/expected/north.dip", dip_file({**ours, 3: dip_record(b"AGAIN")}))
    put("gui/undo-back-to-saved/expected/north.dip", dip_file({**north, 2: dip_record(b"EDITED")}))
    put("gui/save-names-the-untitled-site/expected/east.dip",
        dip_file({1: dip_record(b"SECOND")}))
    put("gui/recent-files/expected/north.dip", dip_file({1: dip_record(b"SAVED")}))
    for case in ("export-to-card", "export-card-reads-back-name", "export-card-reads-back-header",
                 "export-card-reads-back-longer", "export-card-reads-back-unreadable"):
        put("gui/%s/expected/NORTH.dip" % case, dip_file({1: dip_record(spare(1))}))
    card = bytearray(dip_file({1: dip_record(spare(1))}))
    card[16 + 52 * 40] = ord("X")  # AB05's name
    put("gui/verify-card-finds-a-byte/files/NORTH.dip", card)
    # A site and another that differs from it in six cells, for the comparing scenarios.
    north = {1: dip_record(b"TPR 1", 1), 2: dip_record(b"TPR 2"),
             3: dip_record(b"TPR 3", up=b"ON", down=b"OFF")}
    other = {1: dip_record(b"TPR 1"), 2: dip_record(b"TPR 2X"),
             3: dip_record(b"TPR 3", up=b"ON", down=b"OF"), 48: dip_record(b"LAST"),
             101: dip_record(b"TPR 101", 1)}
    for case in ("compare-marks-and-lists", "compare-f8-keys", "compare-ends",
                 "compare-list-and-corvane"):
        put("gui/%s/files/north.dip" % case, dip_file(north))
    put("gui/compare-list-and-corvane/expected/north.dip", dip_file(north))
    put("gui/compare-only-a-unit/files/north.dip", dip_file(north))
    put("gui/compare-padded-texts/files/other.dip", dip_file({1: dip_record(b"TPR 1")}))
    for name in ("north.dip", "other.dip"):
        put("gui/compare-ends/expected/%s" % name, dip_file(north))
        put("gui/print-changed-labels-none/files/%s" % name,
            dip_file({**north, 3: dip_record(b"TPR 3", up=b"UP", down=b"OFF")}
                     if name == "other.dip" else north))
    for case in ("compare-marks-and-lists", "compare-f8-keys", "compare-ends",
                 "compare-follows-the-other-file"):
        put("gui/%s/files/other.dip" % case, dip_file(other))
    report_other = {**other, 6: dip_record(b'TPR "6",X')}
    for where in ("files", "expected"):
        put("gui/compare-report/%s/north.dip" % where, dip_file(north))
        put("gui/compare-report/%s/other.dip" % where, dip_file(report_other))
    put("gui/compare-report/expected/report.csv", (
        "This site,{dir}/north.dip\r\nThis site modified,{date} {time}\r\n"
        "This site fingerprint,%s\r\nThis site unsaved changes,Yes\r\n"
        "Other site,{dir}/other.dip\r\nOther site modified,{date} {time}\r\n"
        "Other site fingerprint,%s\r\nDate,{date} {time}\r\n"
        "Differences,9\r\nChannels differing,7\r\nChannels only in one site,384\r\n"
        "Channel,Column,This site,Other site\r\n"
        "AA01,Back contact,Back,Front\r\nAA02,Relay name,TPR 2,TPR 2X\r\n"
        "AA03,State down,OFF,OF \r\nAA06,Relay name,Spare AA06,\"TPR \"\"6\"\",X\"\r\n"
        "AA48,Relay name,Spare AA48,LAST\r\nAC05,Relay name,Spare AC05,TPR 101\r\n"
        "AC05,Back contact,Front,Back\r\nAH48,Relay name,EDITED,Spare AH48\r\n"
        "BA01-BH48,Channels,present,absent\r\n"
        % (fingerprint(dip_file({**north, 384: dip_record(b"EDITED"),
                                 768: dip_record(spare(768))})),
           fingerprint(dip_file(report_other)))).encode())
    # Printing: names TPR 1 to TPR N, every fourth channel on a back contact.
    def printed(units, rename=None):
        return dip_file({c: dip_record(rename.get(c, b"TPR %d" % c) if rename else b"TPR %d" % c,
                                       int(c % 4 == 0)) for c in range(1, units * 384 + 1)})
    for case in ("print-record-by-ctrl-p", "print-record-to-pdf", "print-cancel-by-ctrl-p",
                 "print-cancel-to-pdf", "print-alterations-while-comparing",
                 "print-labels-sheet-set-up", "print-labels-pdf-sheet-set-up"):
        put("gui/%s/files/site.dip" % case, printed(1))
    put("gui/print-preview-every-page/files/site.dip", printed(2))
    for case in ("print-record-by-ctrl-p", "print-record-to-pdf",
                 "print-alterations-while-comparing", "print-labels-sheet-set-up",
                 "print-labels-pdf-sheet-set-up"):
        put("gui/%s/expected/site.dip" % case, printed(1))
    older = bytearray(printed(1, {2: b"TPR 2X"}))
    older[16 + 7 * 40 + 17] = 0  # AA08 on a front contact
    for where in ("files", "expected"):
        put("gui/print-alterations-while-comparing/%s/older.dip" % where, bytes(older))
    bad = dip_header(384, flag=0x12345678)
    for where in ("files", "expected"):
        put("gui/compare-follows-the-other-file/%s/north.dip" % where, dip_file(north))
        put("gui/compare-follows-the-other-file/%s/changed.dip" % where,
            dip_file({**north, 2: dip_record(b"TPR 2Y")}))
        put("gui/compare-follows-the-other-file/%s/bad.dip" % where, bad)
    put("gui/compare-follows-the-other-file/expected/other.dip", bad)
    listed = b"AA01,TPR 1,Back\r\nAA02,TPR 2X,Front\r\nAA03,TPR 3,Back\r\n"
    wider = listed + b"AA04,Spare AA04,Front\r\n"
    for where in ("files", "expected"):
        put("gui/compare-list-and-corvane/%s/north.csv" % where,
            listed if where == "files" else wider)
        put("gui/compare-list-and-corvane/%s/wider.csv" % where, wider)
        put("gui/compare-list-and-corvane/%s/kirkby/DChannel.cfg" % where,
            dchannel_of([(b"TPR 1", True), (b"TPR 2X", False), (b"TPR 3", True)]))
    # Two sites of one name.
    for where in ("files", "expected"):
        for folder, relay in (("north", b"TPR NORTH"), ("south", b"TPR SOUTH")):
            put("gui/import-picks-the-highlighted-site/%s/config/%s/SiteInfo.cfg" % (where, folder),
                siteinfo(b"Tarnwick"))
            put("gui/import-picks-the-highlighted-site/%s/config/%s/DChannel.cfg" % (where, folder),
                dchannel_of([(relay, True)]))
    for case in ("new-after-import", "open-after-import"):
        put("gui/%s/files/config/kirkby/SiteInfo.cfg" % case, siteinfo(b"Kirkby Jn"))
        put("gui/%s/files/config/kirkby/DChannel.cfg" % case, dchannel_of([(b"TPR 1", True)]))
    put("gui/texts-the-file-cannot-hold/files/site.csv",
        "AA01,ABCDEFGHIJKLMNOP,Front\r\nAA02,ABCDEFGHIJKLMNOPQ,Front\r\nAA03,\u03a9mega,Front\r\n"
        .encode("utf-8"))


def main():
    every_byte_case()
    print_cases()
    site_scan_cases()
    windows_folder_cases()
    gui_cases()
    dip_cases()
    csv_cases()
    corvane_cases()
    convert_cases()
    check_cases()
    compare_cases()
    fingerprint_cases()
    verify_cases()
    label_export_cases()
    scenario_cases()
    check = "--check" in sys.argv[1:]
    stale = []
    for relative, data in sorted(FILES.items()):
        path = HERE / relative
        if path.exists() and path.read_bytes() == data:
            continue
        stale.append(relative)
        if not check:
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
    for relative in stale:
        print(("differs: " if check else "wrote: ") + relative)
    return 1 if check and stale else 0


if __name__ == "__main__":
    sys.exit(main())
