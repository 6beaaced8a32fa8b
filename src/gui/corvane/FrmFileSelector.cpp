#include "FrmFileSelector.h"

#include "DirectoryTree.h"
#include "common/Dialogs.h"
#include "common/DriveOfPath.h"
#include "common/ModFileUtil.h"
#include "help/FrmHelp.h"
#include "windows/Twips.h"
#include "windows/WindowHelpers.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>

#include <algorithm>

namespace {

constexpr double kInnerWidth = 6945;
// Below the lists, a line for a typed or pasted folder.
constexpr double kPathLineTop = 4200;
constexpr double kInnerHeight = 4620;

constexpr int kImportHelp = 101;

bool isDriveLetterRoot(const QString& root)
{
    return root.size() >= 2 && root.size() <= 3 && root[1] == u':';
}

QString driveLabel(const QString& root)
{
    return isDriveLetterRoot(root) ? root.left(2).toLower() : QDir::toNativeSeparators(root);
}

QString cleanAbsolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Drive letters on Windows; elsewhere the file-system root and every mounted volume.
QList<FrmFileSelector::Drive> systemDrives()
{
    QStringList roots;
#ifdef Q_OS_WIN
    for (const QFileInfo& drive : QDir::drives())
        roots.append(drive.absolutePath());
#else
    roots.append(QStringLiteral("/"));
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (volume.isValid() && QFileInfo(root).isDir() && !roots.contains(root))
            roots.append(root);
    }
    std::sort(roots.begin() + 1, roots.end());
#endif
    QList<FrmFileSelector::Drive> drives;
    for (const QString& root : roots)
        drives.append({root, driveLabel(root)});
    return drives;
}

// The top entry of the directory tree names the drive: "c:" as "c:\".
QString treeRootLabel(const QString& label)
{
    return label.endsWith(u':') ? label + u'\\' : label;
}

// Whether `path` lies on the drive whose root is `root`.
bool isOnDrive(const QString& path, const QString& root)
{
    if (isDriveLetterRoot(root))
        return ModFunc::DriveOfPath(path) == root.left(2).toLower();
    const QString clean = cleanAbsolute(path);
    const QString base = QDir::cleanPath(root);
    return base == QLatin1String("/") || clean == base || clean.startsWith(base + u'/');
}

} // namespace

FrmFileSelector::FrmFileSelector(QWidget* parent)
    : QDialog(parent), label3_(new QLabel(this)), drive1_(new QComboBox(this)),
      dir1_(new DirectoryTree(this)), file1_(new QListWidget(this)), cmdOk_(new QPushButton(this)),
      cmdCancel_(new QPushButton(this)), path_(new QLineEdit(this)),
      driveCheck_([](const QString& root) { return ModFileUtil::IsDirectory(root); })
{
    buildControls();
    connect(drive1_, &QComboBox::currentIndexChanged, this, &FrmFileSelector::onDriveChanged);
    connect(dir1_, &DirectoryTree::pathChanged, this, &FrmFileSelector::listFiles);
    connect(dir1_, &DirectoryTree::pathChanged, path_, &QLineEdit::setText);
    path_->installEventFilter(this);
    FrmHelp::AddHelpKey(*this, kImportHelp);
    connect(file1_, &QListWidget::itemDoubleClicked, this, [this] {
        if (cmdOk_->isEnabled())
            onSelect();
    });
    connect(cmdOk_, &QPushButton::clicked, this, &FrmFileSelector::onSelect);
    connect(cmdCancel_, &QPushButton::clicked, this, &FrmFileSelector::reject);
    dir1_->setPath(QDir::currentPath());
    setDrives(systemDrives());
    ModFunc::CentreForm(this);
}

void FrmFileSelector::buildControls()
{
    setFixedSize(Twips::toPixelsX(kInnerWidth, this), Twips::toPixelsY(kInnerHeight, this));
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setText(
        QStringLiteral("Tip: This will usually be \"c:\\program files\\tarnwick\\config\""));
    ModFunc::PlaceInTwips(label3_, 120, 120, 4455, 255);
    // Nothing stands right of the tip, so it may grow to show the whole path.
    const int room = width() - label3_->x() - Twips::toPixelsX(60, this);
    label3_->resize(std::min(std::max(label3_->sizeHint().width(), label3_->width()), room),
                    label3_->height());
    drive1_->setObjectName(QStringLiteral("Drive1"));
    ModFunc::PlaceInTwips(drive1_, 60, 480, 3435, 315);
    dir1_->setObjectName(QStringLiteral("Dir1"));
    ModFunc::PlaceInTwips(dir1_, 60, 840, 3435, 3240);
    file1_->setObjectName(QStringLiteral("File1"));
    file1_->setSelectionMode(QAbstractItemView::SingleSelection);
    ModFunc::PlaceInTwips(file1_, 3600, 480, 2115, 3600);
    cmdOk_->setObjectName(QStringLiteral("CmdOK"));
    cmdOk_->setText(QStringLiteral("&Select"));
    cmdOk_->setDefault(true);
    ModFunc::PlaceInTwips(cmdOk_, 5820, 480, 1035, 315);
    cmdCancel_->setObjectName(QStringLiteral("CmdCancel"));
    cmdCancel_->setText(QStringLiteral("&Cancel"));
    ModFunc::PlaceInTwips(cmdCancel_, 5820, 900, 1035, 315);
    auto* pathLabel = new QLabel(QStringLiteral("&Folder:"), this);
    pathLabel->setBuddy(path_);
    ModFunc::PlaceInTwips(pathLabel, 60, kPathLineTop + 30, 780, 255);
    path_->setObjectName(QStringLiteral("PathText"));
    ModFunc::PlaceInTwips(path_, 840, kPathLineTop, 4875, 315);
    setTabOrder(drive1_, dir1_);
    setTabOrder(dir1_, file1_);
    setTabOrder(file1_, path_);
    setTabOrder(path_, cmdOk_);
    setTabOrder(cmdOk_, cmdCancel_);
}

// Enter in the folder line opens the folder typed there; once it is open, Enter selects it.
bool FrmFileSelector::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == path_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const QString typed = path_->text().trimmed();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            QDir::cleanPath(QDir::fromNativeSeparators(typed)) !=
                QDir::cleanPath(QDir::fromNativeSeparators(Path()))) {
            if (!dir1_->setPath(typed))
                path_->selectAll();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmFileSelector::ShowSelectDirectory(const QString& start)
{
    cmdOk_->setText(QStringLiteral("&Select"));
    cmdOk_->setEnabled(true);
    cmdOk_->setDefault(true);
    // A drive that is not ready is passed over here without a message.
    const int drive = start.isEmpty() ? -1 : driveIndexOf(start);
    if (drive >= 0 && driveCheck_(drive1_->itemData(drive).toString()))
        drive1_->setCurrentIndex(drive);
    lastGoodDrive_ = drive1_->currentData().toString();
    dir1_->setPath(start);
    listFiles(dir1_->path());
    setWindowTitle(QStringLiteral("Select directory"));
    exec();
}

QString FrmFileSelector::Path() const
{
    return dir1_->path();
}

void FrmFileSelector::setDriveCheck(std::function<bool(const QString& root)> check)
{
    driveCheck_ = std::move(check);
}

void FrmFileSelector::reject()
{
    buttonPressed_ = QStringLiteral("Cancel");
    QDialog::reject();
}

void FrmFileSelector::setDrives(const QList<Drive>& drives)
{
    const QSignalBlocker blocker(drive1_);
    drive1_->clear();
    for (const Drive& drive : drives)
        drive1_->addItem(drive.label, drive.root);
    const int current = driveIndexOf(dir1_->path());
    drive1_->setCurrentIndex(current);
    lastGoodDrive_ = drive1_->currentData().toString();
    showDriveInTree(current);
    dir1_->setPath(dir1_->path());
}

void FrmFileSelector::showDriveInTree(int index)
{
    dir1_->setRoot(drive1_->itemData(index).toString(), treeRootLabel(drive1_->itemText(index)));
}

// The drive holding `path`: the one with the longest root, as volumes mount inside others.
int FrmFileSelector::driveIndexOf(const QString& path) const
{
    int best = -1;
    for (int i = 0; i < drive1_->count(); ++i) {
        const QString root = drive1_->itemData(i).toString();
        if (isOnDrive(path, root) &&
            (best < 0 || root.size() > drive1_->itemData(best).toString().size()))
            best = i;
    }
    return best;
}

void FrmFileSelector::selectDriveSilently(int index)
{
    const QSignalBlocker blocker(drive1_);
    drive1_->setCurrentIndex(index);
}

void FrmFileSelector::onDriveChanged(int index)
{
    const QString root = drive1_->itemData(index).toString();
    if (root.isEmpty())
        return;
    if (!driveCheck_(root)) {
        AskUser(QStringLiteral("Drive not ready"), ApplicationTitle(), MessageIcon::Exclamation,
                MessageButtons::Ok);
        selectDriveSilently(drive1_->findData(lastGoodDrive_));
        return;
    }
    lastGoodDrive_ = root;
    showDriveInTree(index);
    if (driveIndexOf(dir1_->path()) == index) {
        dir1_->setPath(dir1_->path());
        return;
    }
    // The drive's own directory: the working one when it lies there, else its root.
    const QString current = QDir::currentPath();
    dir1_->setPath(driveIndexOf(current) == index ? current : root);
}

void FrmFileSelector::onSelect()
{
    buttonPressed_ = QStringLiteral("Open");
    accept();
}

void FrmFileSelector::listFiles(const QString& directory)
{
    file1_->clear();
    file1_->addItems(QDir(directory).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
}
