// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QListWidget;
class QListWidgetItem;

namespace kelvane {

// The drive list `Drive1`, the folder list `Dir1` and the file list `File1`, kept in step: a
// drive shows the folder last open on it, a folder shows its "*.txt" files. Paths and names are
// the file system's bytes; the lists show them as UTF-8.
class FileBrowser : public QObject {
    Q_OBJECT
  public:
    FileBrowser(QComboBox* drives, QListWidget* folders, QListWidget* files);

    // `Dir1`'s Path and `File1`'s Path; the same folder once a change has gone through.
    const std::string& folderPath() const { return folderPath_; }
    const std::string& fileListPath() const { return fileListPath_; }
    // `File1`'s FileName: the selected entry, or empty when none is selected.
    std::string selectedFileName() const;

    // Moves `Dir1` (and with it `File1`) to `folder`. A folder that cannot be read leaves every
    // list as it was, says why in statusMessage and gives false.
    bool openFolder(const std::string& folder);
    // Shows the folder of `filePath` and selects the file there, as a click would. The path may
    // be relative to the current folder, as a shell hands it over. Returns why it cannot, or
    // nothing once the file is selected.
    std::optional<QString> revealFile(const std::string& filePath);
    void refreshFolders();
    void refreshFiles();
    // Lists the mounted file systems as drives, "/" first.
    void refreshDrives();
    struct Drive {
        std::string root;
        QString name;
    };
    void showDrives(std::vector<Drive> drives);

  signals:
    void folderChanged();                       // `Dir1`'s Path changed
    void fileClicked(const std::string& path);  // a file was selected, by mouse or keyboard
    void fileActivated();                       // double-click or Enter on a file
    void statusMessage(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Drive1_Change(int index);
    void Dir1_Activated(QListWidgetItem* item);
    void File1_Click();
    // Fills the lists from listings already read, so that a failure changes nothing.
    void showFolders(const std::string& folder, const std::vector<std::string>& subfolders);
    void showFiles(const std::vector<std::string>& names);
    std::string driveOf(const std::string& folder) const;
    // Shows the drive that holds `folder` and remembers the folder as that drive's current one.
    void showDriveOf(const std::string& folder);

    QComboBox* drives_;
    QListWidget* folders_;
    QListWidget* files_;
    std::string folderPath_;
    std::string fileListPath_;
    std::vector<std::string> driveRoots_;
    std::map<std::string, std::string> lastFolderOnDrive_;
};

}  // namespace kelvane
