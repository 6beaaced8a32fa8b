// The help window's RTF reader on any bytes: no crash, the document is laid out, reading
// replaces what the document held, and plain text escaped as RTF reads back as that text.
#include "FuzzChecks.h"

#include "common/Windows1252.h"
#include "help/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

namespace {

constexpr double kPageWidth = 600;
constexpr QChar kParagraphBreak = QChar::ParagraphSeparator;

// The bytes as body text: braces and backslashes escaped, line feeds as paragraphs, other
// control bytes (which the reader drops) left out; with the text they must give.
struct EscapedText
{
    QByteArray rtf = "{\\rtf1\\ansi ";
    QString text;
};

EscapedText escape(const std::uint8_t* data, std::size_t size)
{
    EscapedText escaped;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char byte = data[i];
        if (byte == '\n') {
            escaped.rtf += "\\par ";
            escaped.text += kParagraphBreak;
            continue;
        }
        if (byte < 0x20 && byte != '\t')
            continue;
        if (byte == '\\' || byte == '{' || byte == '}')
            escaped.rtf += '\\';
        if (byte >= 0x80)
            escaped.rtf += "\\'" + QByteArray::number(byte, 16);
        else
            escaped.rtf += char(byte);
        escaped.text += QChar(char16_t(Windows1252::decodeByte(byte)));
    }
    escaped.rtf += '}';
    return escaped;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Broken pictures make the image plugins warn on every input.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "zr415-fuzz-rtf";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const RtfReader reader;
    const QByteArrayView rtf(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    document.setTextWidth(kPageWidth);
    reader.read(rtf, document);
    const QString firstText = document.toRawText();
    FUZZ_CHECK(document.size().isValid());

    reader.read(rtf, document);
    FUZZ_CHECK(document.toRawText() == firstText);

    const EscapedText escaped = escape(data, size);
    reader.read(escaped.rtf, document);
    FUZZ_CHECK(document.toRawText() == escaped.text);
    return 0;
}
