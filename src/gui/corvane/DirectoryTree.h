#pragma once

#include <QTreeWidget>

// A directory list: the open directory under its ancestors, with its subdirectories below
// it. A click only highlights an entry; a double-click, Right or Space opens it. Enter is left to
// the dialog.
class DirectoryTree : public QTreeWidget
{
    Q_OBJECT

public:
    explicit DirectoryTree(QWidget* parent = nullptr);

    // Shows directories below `root` from it, under `label`, as a drive's tree starts at the
    // drive. Takes effect when a directory is opened next.
    void setRoot(const QString& root, const QString& label);
    // Opens a directory. Answers false, and changes nothing, when it cannot be entered.
    bool setPath(const QString& directory);
    // The open directory with native separators, a trailing one only for a root.
    QString path() const;

signals:
    void pathChanged(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rebuild();
    QStringList ancestry() const;
    QTreeWidgetItem* addEntry(QTreeWidgetItem* parent, const QString& path, bool open);

    QString path_; // clean, with '/' separators
    QString root_;
    QString rootLabel_;
};
