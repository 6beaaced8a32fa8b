#pragma once

#include <QDialog>

#include <functional>

class DirectoryTree;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The directory selector: drive, directory and file lists, answering with the directory open
// in the directory list. It never changes the process's current directory.
class FrmFileSelector : public QDialog
{
    Q_OBJECT

public:
    // A drive of the drive list: its root directory and the name the list shows.
    struct Drive
    {
        QString root;
        QString label;
    };

    explicit FrmFileSelector(QWidget* parent = nullptr);

    // Opens the drive and directory of `start` (where they exist) and shows the dialog
    // modally; returns when it was hidden or closed.
    void ShowSelectDirectory(const QString& start);
    // "Open" after Select, "Cancel" after Cancel, Esc or the close box; empty before either.
    QString ButtonPressed() const { return buttonPressed_; }
    // The directory open in the directory list.
    QString Path() const;

    // Replaces the drive-ready check, which gets a drive's root directory.
    void setDriveCheck(std::function<bool(const QString& root)> check);
    // Replaces the drives offered; the drive of the open directory is chosen.
    void setDrives(const QList<Drive>& drives);

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void showDriveInTree(int index);
    int driveIndexOf(const QString& path) const;
    void selectDriveSilently(int index);
    void onDriveChanged(int index);
    void onSelect();
    void listFiles(const QString& directory);

    QLabel* label3_;
    QComboBox* drive1_;
    DirectoryTree* dir1_;
    QListWidget* file1_;
    QPushButton* cmdOk_;
    QPushButton* cmdCancel_;
    QLineEdit* path_;
    QString buttonPressed_;
    QString lastGoodDrive_;
    std::function<bool(const QString&)> driveCheck_;
};
