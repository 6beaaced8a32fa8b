#include "DirectoryTree.h"

#include "common/ModFileUtil.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

namespace {

QString defaultRootLabel(const QString& root)
{
    // A drive root reads "c:\" as the drive list names it.
    if (root.size() >= 2 && root[1] == u':')
        return QDir::toNativeSeparators(root).toLower();
    return QDir::toNativeSeparators(root);
}

bool isWithin(const QString& path, const QString& root)
{
    return !root.isEmpty() &&
           (path == root || path.startsWith(root.endsWith(u'/') ? root : root + u'/'));
}

} // namespace

DirectoryTree::DirectoryTree(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    header()->hide();
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(12);
    // Entries open by a double-click; arrows would promise folding that the list does not do.
    setStyleSheet(QStringLiteral("QTreeView::branch { image: none; border-image: none; }"));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item)
            setPath(item->data(0, Qt::UserRole).toString());
    });
}

void DirectoryTree::setRoot(const QString& root, const QString& label)
{
    root_ = root.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(root).absoluteFilePath());
    rootLabel_ = label;
}

bool DirectoryTree::setPath(const QString& directory)
{
    if (directory.isEmpty() || !ModFileUtil::IsDirectory(directory))
        return false;
    path_ = QDir::cleanPath(QFileInfo(directory).absoluteFilePath());
    rebuild();
    emit pathChanged(path());
    return true;
}

QString DirectoryTree::path() const
{
    return QDir::toNativeSeparators(path_);
}

void DirectoryTree::keyPressEvent(QKeyEvent* event)
{
    // Enter is the dialog's: it answers with the open directory, whatever is highlighted.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    // Right and Space open the highlighted directory, as a double-click does.
    if ((event->key() == Qt::Key_Right || event->key() == Qt::Key_Space) && currentItem() &&
        event->modifiers() == Qt::NoModifier) {
        setPath(currentItem()->data(0, Qt::UserRole).toString());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

// The open directory and each of its ancestors up to the root, the root first.
QStringList DirectoryTree::ancestry() const
{
    QStringList chain{path_};
    const bool belowRoot = isWithin(path_, root_);
    QDir dir(path_);
    while (!(belowRoot && dir.absolutePath() == root_) && !dir.isRoot() && dir.cdUp())
        chain.prepend(dir.absolutePath());
    return chain;
}

QTreeWidgetItem* DirectoryTree::addEntry(QTreeWidgetItem* parent, const QString& path, bool open)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    if (parent)
        item->setText(0, QDir(path).dirName());
    else
        item->setText(0,
                      path == root_ && !rootLabel_.isEmpty() ? rootLabel_ : defaultRootLabel(path));
    item->setData(0, Qt::UserRole, path);
    item->setIcon(0,
                  style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon));
    return item;
}

void DirectoryTree::rebuild()
{
    clear();
    QTreeWidgetItem* open = nullptr;
    for (const QString& directory : ancestry())
        open = addEntry(open, directory, true);
    const QDir dir(path_);
    const QStringList children =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : children)
        addEntry(open, dir.filePath(name), false);
    expandAll();
    setCurrentItem(open);
    scrollToItem(open);
}
