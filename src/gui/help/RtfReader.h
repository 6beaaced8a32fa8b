#pragma once

#include <QByteArrayView>

class QTextDocument;

// Turns Windows-1252 RTF into a QTextDocument: groups, the font table, bold, italic,
// underline, font size, super- and subscript, paragraphs with indents, alignment and tab
// stops, bullets, \'hh and \uN characters, the named quote and dash symbols and PNG or JPEG
// pictures at their goal size. Other destinations are not shown. Any input is safe: the
// reader never fails, it shows what it could read.
class RtfReader
{
public:
    // Pictures and indents are converted from twips at this many pixels per inch.
    explicit RtfReader(double dotsPerInch = 96.0);

    // Replaces the document's content with the RTF's.
    void read(QByteArrayView rtf, QTextDocument& document) const;

    // The content of groups nested deeper than this is not shown.
    static constexpr int kMaximumGroupDepth = 100;

private:
    double dotsPerInch_;
};
