#include "RtfReader.h"

#include "common/Windows1252.h"

#include <QBuffer>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Parameters of control words are 32-bit in practice; longer digit runs saturate.
constexpr qint64 kParameterLimit = 2'000'000'000;
constexpr qsizetype kMaximumWordLength = 32;
constexpr int kMaximumFonts = 1024;
constexpr qsizetype kMaximumFontNameLength = 128;
constexpr int kMaximumTabStops = 64;
// About 22 inches: more than any page, small enough for any layout.
constexpr int kMaximumTwips = 31680;
constexpr int kMaximumPictureSide = 4096;
// Pictures compress well, so a small input could otherwise ask for gigabytes of pixels.
constexpr qint64 kMaximumPicturePixels = qint64(32) * 1024 * 1024;

enum class Destination { Text, FontTable, Picture, Skip };

enum class PictureFormat { None, Png, Jpeg };

struct CharState
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;

    bool operator==(const CharState&) const = default;
};

struct ParaState
{
    int leftTwips = 0;
    int rightTwips = 0;
    int firstTwips = 0;
    int beforeTwips = 0;
    int afterTwips = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
    QList<int> tabTwips;
};

struct GroupState
{
    Destination destination = Destination::Text;
    CharState chars;
    ParaState para;
    int unicodeFallback = 1;
};

struct Picture
{
    PictureFormat format = PictureFormat::None;
    QByteArray data;
    int nibble = -1; // the high half of a byte whose low half is still to come
    int goalWidth = 0;
    int goalHeight = 0;
    int scaleX = 100;
    int scaleY = 100;
};

enum class Word {
    Par,
    Line,
    Tab,
    Pard,
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Font,
    FontSize,
    Super,
    Sub,
    NoSuperSub,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    AlignLeft,
    AlignCentre,
    AlignRight,
    AlignJustify,
    TabStop,
    Unicode,
    UnicodeFallback,
    DefaultFont,
    Binary,
    Symbol,
    FontTable,
    Picture,
    SkippedDestination,
    ShownDestination,
    PngBlip,
    JpegBlip,
    PictureGoalWidth,
    PictureGoalHeight,
    PictureScaleX,
    PictureScaleY
};

struct WordInfo
{
    Word word;
    char16_t symbol = 0; // for Word::Symbol
};

const QHash<QByteArray, WordInfo>& wordTable()
{
    static const QHash<QByteArray, WordInfo> table = [] {
        QHash<QByteArray, WordInfo> words{
            {"par", {Word::Par}},
            {"sect", {Word::Par}},
            {"page", {Word::Par}},
            {"row", {Word::Par}},
            {"line", {Word::Line}},
            {"tab", {Word::Tab}},
            {"cell", {Word::Tab}},
            {"pard", {Word::Pard}},
            {"plain", {Word::Plain}},
            {"b", {Word::Bold}},
            {"i", {Word::Italic}},
            {"ul", {Word::Underline}},
            {"ulnone", {Word::UnderlineNone}},
            {"f", {Word::Font}},
            {"fs", {Word::FontSize}},
            {"super", {Word::Super}},
            {"sub", {Word::Sub}},
            {"nosupersub", {Word::NoSuperSub}},
            {"li", {Word::LeftIndent}},
            {"ri", {Word::RightIndent}},
            {"fi", {Word::FirstIndent}},
            {"sb", {Word::SpaceBefore}},
            {"sa", {Word::SpaceAfter}},
            {"ql", {Word::AlignLeft}},
            {"qc", {Word::AlignCentre}},
            {"qr", {Word::AlignRight}},
            {"qj", {Word::AlignJustify}},
            {"tx", {Word::TabStop}},
            {"u", {Word::Unicode}},
            {"uc", {Word::UnicodeFallback}},
            {"deff", {Word::DefaultFont}},
            {"bin", {Word::Binary}},
            {"lquote", {Word::Symbol, u'\u2018'}},
            {"rquote", {Word::Symbol, u'\u2019'}},
            {"ldblquote", {Word::Symbol, u'\u201C'}},
            {"rdblquote", {Word::Symbol, u'\u201D'}},
            {"endash", {Word::Symbol, u'\u2013'}},
            {"emdash", {Word::Symbol, u'\u2014'}},
            {"bullet", {Word::Symbol, u'\u2022'}},
            {"enspace", {Word::Symbol, u'\u2002'}},
            {"emspace", {Word::Symbol, u'\u2003'}},
            {"fonttbl", {Word::FontTable}},
            {"pict", {Word::Picture}},
            {"shppict", {Word::ShownDestination}},
            {"pntext", {Word::ShownDestination}},
            {"fldrslt", {Word::ShownDestination}},
            {"pngblip", {Word::PngBlip}},
            {"jpegblip", {Word::JpegBlip}},
            {"picwgoal", {Word::PictureGoalWidth}},
            {"pichgoal", {Word::PictureGoalHeight}},
            {"picscalex", {Word::PictureScaleX}},
            {"picscaley", {Word::PictureScaleY}},
        };
        // Destinations whose text is not part of the document.
        for (const char* name :
             {"colortbl",  "stylesheet", "info",       "header",    "headerl",
              "headerr",   "headerf",    "footer",     "footerl",   "footerr",
              "footerf",   "footnote",   "pn",         "pntxta",    "pntxtb",
              "fldinst",   "object",     "nonshppict", "listtable", "listoverridetable",
              "revtbl",    "rsidtbl",    "filetbl",    "falt",      "panose",
              "themedata", "xe",         "tc",         "private"})
            words.insert(name, {Word::SkippedDestination});
        return words;
    }();
    return table;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int clampTwips(int twips)
{
    return std::clamp(twips, -kMaximumTwips, kMaximumTwips);
}

quint32 bigEndian32(QByteArrayView bytes, qsizetype at)
{
    quint32 value = 0;
    for (qsizetype i = at; i < at + 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

// Whether the chunks of a PNG run whole up to its end chunk, so that the decoder gets no
// truncated or foreign data.
bool isCompletePng(QByteArrayView data)
{
    static constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
    if (!data.startsWith(QByteArrayView(kSignature, 8)))
        return false;
    qsizetype at = 8;
    while (at + 12 <= data.size()) {
        const quint32 length = bigEndian32(data, at);
        if (length > quint32(data.size() - at - 12))
            return false;
        if (data.sliced(at + 4, 4) == "IEND")
            return true;
        at += 12 + qsizetype(length);
    }
    return false;
}

bool isCompleteJpeg(QByteArrayView data)
{
    return data.size() >= 4 && data.startsWith("\xff\xd8") && data.endsWith("\xff\xd9");
}

class RtfParser
{
public:
    RtfParser(QByteArrayView rtf, QTextDocument& document, double dotsPerInch)
        : in_(rtf), document_(document), cursor_(&document), dotsPerInch_(dotsPerInch)
    {
        stack_.emplace_back();
    }

    void run()
    {
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{')
                openGroup();
            else if (c == '}')
                closeGroup();
            else if (c == '\\')
                readControl();
            else if (c != '\r' && c != '\n')
                readByte(static_cast<unsigned char>(c));
        }
        endDocument();
    }

private:
    GroupState& state() { return stack_.back(); }
    bool ignoring() const
    {
        return overflowDepth_ > 0 || stack_.back().destination == Destination::Skip;
    }

    void openGroup()
    {
        fallbackToSkip_ = 0;
        starPending_ = false;
        if (overflowDepth_ > 0 || int(stack_.size()) > RtfReader::kMaximumGroupDepth) {
            ++overflowDepth_;
            return;
        }
        stack_.push_back(stack_.back());
    }

    void closeGroup()
    {
        fallbackToSkip_ = 0;
        starPending_ = false;
        if (overflowDepth_ > 0) {
            --overflowDepth_;
            return;
        }
        if (stack_.size() <= 1)
            return;
        const Destination closing = stack_.back().destination;
        stack_.pop_back();
        if (closing == Destination::FontTable)
            storeFontName();
        if (closing == Destination::Picture && state().destination != Destination::Picture)
            insertPicture();
    }

    void readByte(unsigned char byte)
    {
        starPending_ = false;
        if (ignoring())
            return;
        if (fallbackToSkip_ > 0) {
            --fallbackToSkip_;
            return;
        }
        switch (state().destination) {
        case Destination::Picture:
            appendPictureHex(byte);
            break;
        case Destination::FontTable:
            appendFontNameByte(byte);
            break;
        default:
            if (byte >= 0x20 || byte == '\t')
                appendChar(char32_t(Windows1252::decodeByte(byte)));
            break;
        }
    }

    void readControl()
    {
        if (pos_ >= in_.size())
            return;
        if (!isLetter(in_[pos_])) {
            readSymbol(in_[pos_++]);
            return;
        }
        const qsizetype start = pos_;
        while (pos_ < in_.size() && isLetter(in_[pos_]))
            ++pos_;
        const QByteArray word =
            in_.sliced(start, std::min(pos_ - start, kMaximumWordLength)).toByteArray();
        const std::optional<int> parameter = readParameter();
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        handleWord(word, parameter);
    }

    std::optional<int> readParameter()
    {
        bool negative = false;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' && isDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        if (pos_ >= in_.size() || !isDigit(in_[pos_]))
            return std::nullopt;
        qint64 value = 0;
        while (pos_ < in_.size() && isDigit(in_[pos_])) {
            value = std::min(value * 10 + (in_[pos_] - '0'), kParameterLimit);
            ++pos_;
        }
        return int(negative ? -value : value);
    }

    void readSymbol(char symbol)
    {
        starPending_ = symbol == '*';
        if (starPending_)
            return;
        if (symbol == '\'') {
            readHexByte();
            return;
        }
        if (ignoring() || consumeFallback())
            return;
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            readLiteral(static_cast<unsigned char>(symbol));
            break;
        case '~':
            appendChar(U'\u00A0');
            break;
        case '_':
            appendChar(U'\u2011');
            break;
        case '\r':
        case '\n':
            if (state().destination == Destination::Text)
                endParagraph();
            break;
        default:
            break;
        }
    }

    // An escaped brace or backslash is text wherever text goes.
    void readLiteral(unsigned char byte)
    {
        if (state().destination == Destination::FontTable)
            appendFontNameByte(byte);
        else if (state().destination == Destination::Text)
            appendChar(byte);
    }

    void readHexByte()
    {
        const int high = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
        const int low = pos_ + 1 < in_.size() ? hexValue(in_[pos_ + 1]) : -1;
        if (high < 0 || low < 0)
            return;
        pos_ += 2;
        if (ignoring() || consumeFallback())
            return;
        const auto byte = static_cast<unsigned char>(high * 16 + low);
        if (state().destination == Destination::FontTable)
            appendFontNameByte(byte);
        else if (state().destination == Destination::Text && (byte >= 0x20 || byte == '\t'))
            appendChar(Windows1252::decodeByte(byte));
    }

    bool consumeFallback()
    {
        if (fallbackToSkip_ <= 0)
            return false;
        --fallbackToSkip_;
        return true;
    }

    void handleWord(const QByteArray& word, std::optional<int> parameter)
    {
        const bool star = std::exchange(starPending_, false);
        const auto found = wordTable().constFind(word);
        if (found != wordTable().constEnd() && found->word == Word::Binary) {
            readBinary(parameter.value_or(0));
            return;
        }
        if (ignoring())
            return;
        if (consumeFallback())
            return;
        if (found == wordTable().constEnd()) {
            if (star)
                state().destination = Destination::Skip;
            return;
        }
        if (star && found->word != Word::ShownDestination && found->word != Word::Picture &&
            found->word != Word::FontTable)
            state().destination = Destination::Skip;
        else
            apply(*found, parameter);
    }

    void readBinary(int length)
    {
        const qsizetype count = std::clamp<qsizetype>(length, 0, in_.size() - pos_);
        if (!ignoring() && state().destination == Destination::Picture)
            picture_.data.append(in_.sliced(pos_, count));
        pos_ += count;
    }

    void apply(const WordInfo& info, std::optional<int> parameter)
    {
        switch (state().destination) {
        case Destination::FontTable:
            applyFontTableWord(info.word, parameter);
            break;
        case Destination::Picture:
            applyPictureWord(info.word, parameter);
            break;
        default:
            applyTextWord(info, parameter);
            break;
        }
    }

    void applyFontTableWord(Word word, std::optional<int> parameter)
    {
        if (word == Word::Font) {
            storeFontName();
            definingFont_ = parameter.value_or(0);
        } else if (word == Word::SkippedDestination) {
            state().destination = Destination::Skip;
        }
    }

    void applyPictureWord(Word word, std::optional<int> parameter)
    {
        const int value = parameter.value_or(0);
        switch (word) {
        case Word::PngBlip:
            picture_.format = PictureFormat::Png;
            break;
        case Word::JpegBlip:
            picture_.format = PictureFormat::Jpeg;
            break;
        case Word::PictureGoalWidth:
            picture_.goalWidth = std::clamp(value, 0, kMaximumTwips);
            break;
        case Word::PictureGoalHeight:
            picture_.goalHeight = std::clamp(value, 0, kMaximumTwips);
            break;
        case Word::PictureScaleX:
            picture_.scaleX = std::clamp(value, 1, 1000);
            break;
        case Word::PictureScaleY:
            picture_.scaleY = std::clamp(value, 1, 1000);
            break;
        case Word::SkippedDestination:
            state().destination = Destination::Skip;
            break;
        default:
            break;
        }
    }

    void applyTextWord(const WordInfo& info, std::optional<int> parameter)
    {
        if (applyCharWord(info.word, parameter) || applyParaWord(info.word, parameter))
            return;
        switch (info.word) {
        case Word::Par:
            endParagraph();
            break;
        case Word::Line:
            appendChar(U'\u2028');
            break;
        case Word::Tab:
            appendChar(U'\t');
            break;
        case Word::Symbol:
            appendChar(info.symbol);
            break;
        case Word::Unicode:
            if (parameter) {
                appendUnicode(*parameter);
                fallbackToSkip_ = state().unicodeFallback;
            }
            break;
        case Word::UnicodeFallback:
            state().unicodeFallback = std::clamp(parameter.value_or(1), 0, 16);
            break;
        case Word::DefaultFont:
            defaultFont_ = parameter.value_or(0);
            break;
        case Word::FontTable:
            state().destination = Destination::FontTable;
            break;
        case Word::Picture:
            flushText();
            picture_ = Picture{};
            state().destination = Destination::Picture;
            break;
        case Word::SkippedDestination:
            state().destination = Destination::Skip;
            break;
        default:
            break;
        }
    }

    // Answers whether the word was a character property.
    bool applyCharWord(Word word, std::optional<int> parameter)
    {
        CharState& chars = state().chars;
        const bool on = parameter.value_or(1) != 0;
        switch (word) {
        case Word::Plain:
            chars = CharState{};
            return true;
        case Word::Bold:
            chars.bold = on;
            return true;
        case Word::Italic:
            chars.italic = on;
            return true;
        case Word::Underline:
            chars.underline = on;
            return true;
        case Word::UnderlineNone:
            chars.underline = false;
            return true;
        case Word::Font:
            chars.font = parameter.value_or(0);
            return true;
        case Word::FontSize:
            chars.halfPoints = std::clamp(parameter.value_or(24), 2, 400);
            return true;
        case Word::Super:
            chars.vertical = QTextCharFormat::AlignSuperScript;
            return true;
        case Word::Sub:
            chars.vertical = QTextCharFormat::AlignSubScript;
            return true;
        case Word::NoSuperSub:
            chars.vertical = QTextCharFormat::AlignNormal;
            return true;
        default:
            return false;
        }
    }

    // Answers whether the word was a paragraph property.
    bool applyParaWord(Word word, std::optional<int> parameter)
    {
        ParaState& para = state().para;
        const int twips = clampTwips(parameter.value_or(0));
        switch (word) {
        case Word::Pard:
            para = ParaState{};
            return true;
        case Word::LeftIndent:
            para.leftTwips = twips;
            return true;
        case Word::RightIndent:
            para.rightTwips = twips;
            return true;
        case Word::FirstIndent:
            para.firstTwips = twips;
            return true;
        case Word::SpaceBefore:
            para.beforeTwips = std::max(twips, 0);
            return true;
        case Word::SpaceAfter:
            para.afterTwips = std::max(twips, 0);
            return true;
        case Word::AlignLeft:
            para.alignment = Qt::AlignLeft;
            return true;
        case Word::AlignCentre:
            para.alignment = Qt::AlignHCenter;
            return true;
        case Word::AlignRight:
            para.alignment = Qt::AlignRight;
            return true;
        case Word::AlignJustify:
            para.alignment = Qt::AlignJustify;
            return true;
        case Word::TabStop:
            if (para.tabTwips.size() < kMaximumTabStops)
                para.tabTwips.append(std::max(twips, 0));
            return true;
        default:
            return false;
        }
    }

    void appendUnicode(int parameter)
    {
        // Code units above 32767 are written as negative numbers.
        const int unit = parameter < 0 ? parameter + 65536 : parameter;
        if (unit < 0 || unit > 0x10FFFF) {
            appendChar(U'\uFFFD');
            return;
        }
        const auto code = char32_t(unit);
        if (code < 0x20 && code != U'\t')
            return;
        if (QChar::isHighSurrogate(code)) {
            dropPendingSurrogate();
            highSurrogate_ = char16_t(code);
            return;
        }
        if (QChar::isLowSurrogate(code)) {
            if (highSurrogate_ != 0)
                appendChar(QChar::surrogateToUcs4(std::exchange(highSurrogate_, 0), code));
            else
                appendChar(U'\uFFFD');
            return;
        }
        appendChar(code);
    }

    void dropPendingSurrogate()
    {
        if (highSurrogate_ == 0)
            return;
        highSurrogate_ = 0;
        appendChar(U'\uFFFD');
    }

    void appendChar(char32_t code)
    {
        if (state().destination != Destination::Text || ignoring())
            return;
        if (highSurrogate_ != 0 && !QChar::isLowSurrogate(code))
            dropPendingSurrogate();
        if (state().chars != runChars_) {
            flushText();
            runChars_ = state().chars;
        }
        if (QChar::requiresSurrogates(code)) {
            run_.append(QChar(QChar::highSurrogate(code)));
            run_.append(QChar(QChar::lowSurrogate(code)));
        } else {
            run_.append(QChar(char16_t(code)));
        }
    }

    void flushText()
    {
        if (run_.isEmpty())
            return;
        cursor_.insertText(run_, charFormat(runChars_));
        run_.clear();
    }

    QTextCharFormat charFormat(const CharState& chars) const
    {
        QTextCharFormat format;
        format.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(chars.italic);
        format.setFontUnderline(chars.underline);
        format.setFontPointSize(chars.halfPoints / 2.0);
        format.setVerticalAlignment(chars.vertical);
        const QString family = fonts_.value(chars.font >= 0 ? chars.font : defaultFont_);
        if (!family.isEmpty())
            format.setFontFamilies({family});
        return format;
    }

    double toPixels(int twips) const { return twips * dotsPerInch_ / 1440.0; }

    QTextBlockFormat blockFormat(const ParaState& para) const
    {
        QTextBlockFormat format;
        format.setLeftMargin(toPixels(std::max(para.leftTwips, 0)));
        format.setRightMargin(toPixels(std::max(para.rightTwips, 0)));
        format.setTextIndent(toPixels(para.firstTwips));
        format.setTopMargin(toPixels(para.beforeTwips));
        format.setBottomMargin(toPixels(para.afterTwips));
        format.setAlignment(para.alignment);
        // RTF measures tab stops from the margin, Qt from where the first line starts.
        const int lineStart = std::max(para.leftTwips, 0) + para.firstTwips;
        QList<QTextOption::Tab> tabs;
        for (const int twips : para.tabTwips) {
            if (twips > lineStart)
                tabs.append(QTextOption::Tab(toPixels(twips - lineStart), QTextOption::LeftTab));
        }
        format.setTabPositions(tabs);
        return format;
    }

    void endParagraph()
    {
        dropPendingSurrogate();
        flushText();
        cursor_.setBlockFormat(blockFormat(state().para));
        cursor_.insertBlock();
        cursor_.setCharFormat(charFormat(state().chars));
    }

    void endDocument()
    {
        dropPendingSurrogate();
        flushText();
        cursor_.setBlockFormat(blockFormat(state().para));
    }

    void appendFontNameByte(unsigned char byte)
    {
        if (byte == ';') {
            storeFontName();
            return;
        }
        if (byte >= 0x20 && fontName_.size() < kMaximumFontNameLength)
            fontName_.append(QChar(char16_t(Windows1252::decodeByte(byte))));
    }

    void storeFontName()
    {
        const QString name = std::exchange(fontName_, QString()).trimmed();
        if (!name.isEmpty() && (fonts_.size() < kMaximumFonts || fonts_.contains(definingFont_)))
            fonts_.insert(definingFont_, name);
    }

    void appendPictureHex(unsigned char byte)
    {
        const int value = hexValue(char(byte));
        if (value < 0)
            return;
        if (picture_.nibble < 0) {
            picture_.nibble = value;
            return;
        }
        picture_.data.append(char(picture_.nibble * 16 + value));
        picture_.nibble = -1;
    }

    QImage decodePicture(const Picture& picture)
    {
        const bool complete = picture.format == PictureFormat::Png ? isCompletePng(picture.data)
                                                                   : isCompleteJpeg(picture.data);
        if (picture.format == PictureFormat::None || !complete)
            return {};
        QBuffer buffer;
        buffer.setData(picture.data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, picture.format == PictureFormat::Png ? "png" : "jpeg");
        const QSize size = reader.size();
        if (!size.isValid() || size.width() > kMaximumPictureSide ||
            size.height() > kMaximumPictureSide)
            return {};
        const qint64 pixels = qint64(size.width()) * size.height();
        if (picturePixels_ + pixels > kMaximumPicturePixels)
            return {};
        picturePixels_ += pixels;
        return reader.read();
    }

    void insertPicture()
    {
        const Picture picture = std::exchange(picture_, Picture{});
        if (state().destination != Destination::Text || ignoring())
            return;
        const QImage image = decodePicture(picture);
        if (image.isNull())
            return;
        flushText();
        const QString name = QStringLiteral("rtf-picture:%1").arg(++pictureCount_);
        document_.addResource(QTextDocument::ImageResource, QUrl(name), image);
        QTextImageFormat format;
        format.setName(name);
        format.setWidth(pictureSide(picture.goalWidth, image.width(), picture.scaleX));
        format.setHeight(pictureSide(picture.goalHeight, image.height(), picture.scaleY));
        cursor_.insertImage(format);
    }

    double pictureSide(int goalTwips, int imagePixels, int scale) const
    {
        const double pixels = goalTwips > 0 ? toPixels(goalTwips) : double(imagePixels);
        return std::max(1.0, std::round(pixels * scale / 100.0));
    }

    QByteArrayView in_;
    qsizetype pos_ = 0;
    QTextDocument& document_;
    QTextCursor cursor_;
    double dotsPerInch_;
    std::vector<GroupState> stack_;
    int overflowDepth_ = 0;
    bool starPending_ = false;
    int fallbackToSkip_ = 0;
    char16_t highSurrogate_ = 0;
    QString run_;
    CharState runChars_;
    QHash<int, QString> fonts_;
    int defaultFont_ = 0;
    int definingFont_ = 0;
    QString fontName_;
    Picture picture_;
    int pictureCount_ = 0;
    qint64 picturePixels_ = 0;
};

} // namespace

RtfReader::RtfReader(double dotsPerInch)
    : dotsPerInch_(dotsPerInch > 0 && std::isfinite(dotsPerInch) ? dotsPerInch : 96.0)
{}

void RtfReader::read(QByteArrayView rtf, QTextDocument& document) const
{
    document.clear();
    RtfParser parser(rtf, document, dotsPerInch_);
    parser.run();
}
