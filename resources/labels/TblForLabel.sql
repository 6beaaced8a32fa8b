-- The labels database table: one row per four consecutive channels of a site, in channel order.
-- The editor's Labels export empties it and fills it; it never creates the file or the table.
--
-- SQLite (Linux and other platforms), for example:
--   sqlite3 ~/.local/share/ZR415Config/loggerlabels.db < resources/labels/TblForLabel.sql
--
-- Access (c:\t\db\loggerlabels.mdb on Windows): build the same table in the table designer,
-- or run this statement in a query's SQL view with TEXT(255) in place of TEXT and COUNTER (an
-- AutoNumber) in place of INTEGER, then set the Default Value of fOrB1 to fOrB4 to "F" in the
-- designer (Access SQL takes no DEFAULT clause).
-- The export writes "B" into fOrB1..fOrB4 for a back contact and leaves a front contact at the
-- default, so a label report can tell the two apart. id keeps the order of insertion for reports;
-- the export never writes it. Further columns a report needs may be added with defaults.
CREATE TABLE TblForLabel (
    id INTEGER PRIMARY KEY,
    chNo1 TEXT,
    chNo2 TEXT,
    chNo3 TEXT,
    chNo4 TEXT,
    relNam1 TEXT,
    relNam2 TEXT,
    relNam3 TEXT,
    relNam4 TEXT,
    fOrB1 TEXT DEFAULT 'F',
    fOrB2 TEXT DEFAULT 'F',
    fOrB3 TEXT DEFAULT 'F',
    fOrB4 TEXT DEFAULT 'F'
);
