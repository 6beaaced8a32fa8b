#include "FrmHelp.h"

#include "windows/Twips.h"

#include <QFile>
#include <QShortcut>
#include <QTextBrowser>

// The help documents live in a static library, so their resource must be pulled in by name.
static void initHelpResource()
{
    Q_INIT_RESOURCE(help);
}

namespace {

constexpr double kInnerWidth = 9075;
constexpr double kInnerHeight = 7515;
constexpr double kMargin = 60;

QString documentPath(int number)
{
    return QStringLiteral(":/help/%1.html").arg(number);
}

} // namespace

FrmHelp::FrmHelp(QWidget* parent) : QDialog(parent), rtb1_(new QTextBrowser(this))
{
    initHelpResource();
    setWindowTitle(QStringLiteral("Help"));
    setFixedSize(Twips::toPixelsX(kInnerWidth, this), Twips::toPixelsY(kInnerHeight, this));
    rtb1_->setObjectName(QStringLiteral("Rtb1"));
    rtb1_->setReadOnly(true);
    rtb1_->setOpenLinks(false);
    // A document names its pictures relative to its own resource folder.
    rtb1_->setSearchPaths({QStringLiteral(":/help")});
    rtb1_->setGeometry(Twips::toPixelsX(kMargin, this), Twips::toPixelsY(kMargin, this),
                       Twips::toPixelsX(kInnerWidth - 2 * kMargin, this),
                       Twips::toPixelsY(kInnerHeight - 2 * kMargin, this));
}

bool FrmHelp::LoadDocument(int number)
{
    QFile file(documentPath(number));
    if (!file.open(QIODevice::ReadOnly)) {
        rtb1_->setPlainText(QStringLiteral("Help document %1 is not available.").arg(number));
        return false;
    }
    // Qt's HTML reader would add the white space after the closing tag to the last paragraph.
    rtb1_->setHtml(QString::fromUtf8(file.readAll()).trimmed());
    return true;
}

void FrmHelp::AddHelpKey(QWidget& window, int number)
{
    auto* key = new QShortcut(QKeySequence::HelpContents, &window);
    QObject::connect(key, &QShortcut::activated, &window, [&window, number] {
        FrmHelp help(&window);
        help.ShowHelp(number);
    });
}

void FrmHelp::ShowHelp(int number)
{
    // A new document puts the box's cursor and scroll bars back at its top.
    LoadDocument(number);
    exec();
}
