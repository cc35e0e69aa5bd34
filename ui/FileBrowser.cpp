// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileBrowser.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>
#include <filesystem>

#include "base/TextFile.h"
#include "ui/FolderListing.h"
#include "ui/TextBytes.h"

namespace kelvane {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndentPixels = 10;

// Indents each folder by its depth, so the list reads as the path down to the open folder with
// its subfolders beneath.
class FolderDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented = option;
        indented.rect.adjust(index.data(kDepthRole).toInt() * kIndentPixels, 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }
};

std::string bytesOf(const QVariant& data) {
    return data.toByteArray().toStdString();
}

bool isWithin(const std::string& folder, const std::string& root) {
    if (root == "/") return true;
    return folder == root ||
           (folder.size() > root.size() && folder.compare(0, root.size(), root) == 0 &&
            folder[root.size()] == '/');
}

int keyPressed(QEvent* event) {
    return event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event)->key() : 0;
}

std::string startFolder() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string("/") : current.string();
}

}  // namespace

FileBrowser::FileBrowser(QComboBox* drives, QListWidget* folders, QListWidget* files)
    : QObject(folders), drives_(drives), folders_(folders), files_(files) {
    folders_->setItemDelegate(new FolderDelegate(folders_));
    folders_->installEventFilter(this);
    files_->installEventFilter(this);
    connect(drives_, &QComboBox::activated, this, &FileBrowser::Drive1_Change);
    connect(folders_, &QListWidget::itemDoubleClicked, this, &FileBrowser::Dir1_Activated);
    connect(files_, &QListWidget::itemClicked, this, &FileBrowser::File1_Click);
    // Selecting with the keyboard chooses a file just as a click does: the arrows, and Space or
    // Home on the entry that took the focus without being selected.
    connect(files_, &QListWidget::itemSelectionChanged, this, &FileBrowser::File1_Click);
    connect(files_, &QListWidget::itemDoubleClicked, this, [this] { emit fileActivated(); });

    refreshDrives();
    if (!openFolder(startFolder())) openFolder("/");
}

std::string FileBrowser::selectedFileName() const {
    const QListWidgetItem* item = files_->currentItem();
    return item && item->isSelected() ? bytesOf(item->data(kPathRole)) : std::string();
}

bool FileBrowser::openFolder(const std::string& folder) {
    const std::string path = normalFolderPath(folder);
    FolderListing listing;
    try {
        listing = listFolder(path);
    } catch (const FileError& error) {
        emit statusMessage(QStringLiteral("Cannot open folder %1: %2")
                               .arg(fromUtf8(path), fromUtf8(error.what())));
        return false;
    }
    folderPath_ = path;
    showFolders(path, listing.folders);
    showDriveOf(path);
    // Dir1_Change: the file list follows the folder, and the chosen file is forgotten.
    fileListPath_ = path;
    showFiles(listing.txtFiles);
    emit folderChanged();
    return true;
}

std::optional<QString> FileBrowser::revealFile(const std::string& filePath) {
    namespace fs = std::filesystem;
    const auto cannotOpen = [&filePath](const std::string& why) {
        return QStringLiteral("Cannot open %1: %2").arg(fromUtf8(filePath), fromUtf8(why));
    };
    const fs::path path(filePath);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) return cannotOpen(error.message());
    if (fs::is_directory(status)) return cannotOpen("Is a directory");
    // The folder as the system reaches it, so that ".." after a link goes where the link leads;
    // a bare name lies in the current folder.
    const fs::path parent = path.parent_path();
    const fs::path folder = fs::canonical(parent.empty() ? fs::path(".") : parent, error);
    if (error) return cannotOpen(error.message());
    if (!openFolder(folder.string())) return cannotOpen("its folder cannot be read");
    const std::string name = path.filename().string();
    for (int row = 0; row < files_->count(); ++row) {
        if (bytesOf(files_->item(row)->data(kPathRole)) == name) {
            files_->setCurrentRow(row);
            return std::nullopt;
        }
    }
    return QStringLiteral("%1 is not a listed .txt file").arg(fromUtf8(filePath));
}

void FileBrowser::refreshFolders() {
    try {
        showFolders(folderPath_, listFolder(folderPath_).folders);
    } catch (const FileError& error) {
        emit statusMessage(QStringLiteral("Cannot read folder %1: %2")
                               .arg(fromUtf8(folderPath_), fromUtf8(error.what())));
    }
}

void FileBrowser::refreshFiles() {
    try {
        showFiles(listFolder(fileListPath_).txtFiles);
    } catch (const FileError& error) {
        emit statusMessage(QStringLiteral("Cannot read folder %1: %2")
                               .arg(fromUtf8(fileListPath_), fromUtf8(error.what())));
    }
}

void FileBrowser::refreshDrives() {
    std::vector<Drive> drives;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        const std::string root = pathBytes(volume.rootPath());
        std::error_code error;
        // Containers mount single files too; only folders can be browsed.
        if (std::filesystem::is_directory(root, error)) drives.push_back({root, volume.name()});
    }
    showDrives(std::move(drives));
}

void FileBrowser::showDrives(std::vector<Drive> drives) {
    std::sort(drives.begin(), drives.end(), [](const Drive& a, const Drive& b) {
        if ((a.root == "/") != (b.root == "/")) return a.root == "/";
        return listsBefore(a.root, b.root);
    });
    drives.erase(std::unique(drives.begin(), drives.end(),
                             [](const Drive& a, const Drive& b) { return a.root == b.root; }),
                 drives.end());
    if (drives.empty() || drives.front().root != "/") drives.insert(drives.begin(), Drive{"/", {}});

    const QSignalBlocker quiet(drives_);
    drives_->clear();
    driveRoots_.clear();
    for (const Drive& drive : drives) {
        driveRoots_.push_back(drive.root);
        drives_->addItem(drive.name.isEmpty()
                             ? fromUtf8(drive.root)
                             : QStringLiteral("%1  [%2]").arg(fromUtf8(drive.root), drive.name));
    }
    if (!folderPath_.empty()) showDriveOf(folderPath_);
}

void FileBrowser::Drive1_Change(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= driveRoots_.size()) return;
    const std::string root = driveRoots_[static_cast<std::size_t>(index)];
    if (root == driveOf(folderPath_)) return;  // the drive the folder list is on already
    const auto last = lastFolderOnDrive_.find(root);
    const std::string target = last != lastFolderOnDrive_.end() ? last->second : root;
    if (openFolder(target)) return;
    if (target != root && openFolder(root)) return;
    showDriveOf(folderPath_);  // the drive list goes back to where the folder list still is
}

void FileBrowser::Dir1_Activated(QListWidgetItem* item) {
    if (item) openFolder(bytesOf(item->data(kPathRole)));
}

void FileBrowser::File1_Click() {
    const std::string name = selectedFileName();
    if (!name.empty()) emit fileClicked(FileSystemObject::chosenFilePath(fileListPath_, name));
}

void FileBrowser::showFolders(const std::string& folder,
                              const std::vector<std::string>& subfolders) {
    const QSignalBlocker quiet(folders_);
    folders_->clear();
    const QIcon openIcon = folders_->style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = folders_->style()->standardIcon(QStyle::SP_DirClosedIcon);
    const std::vector<std::string> chain = folderChain(folder);
    int depth = 0;
    for (const std::string& ancestor : chain) {
        auto* item = new QListWidgetItem(openIcon, fromUtf8(folderDisplayName(ancestor)), folders_);
        item->setData(kPathRole, QByteArray::fromStdString(ancestor));
        item->setData(kDepthRole, depth++);
    }
    for (const std::string& name : subfolders) {
        auto* item = new QListWidgetItem(closedIcon, fromUtf8(name), folders_);
        item->setData(kPathRole,
                      QByteArray::fromStdString(FileSystemObject::buildPath(folder, name)));
        item->setData(kDepthRole, depth);
    }
    folders_->setCurrentRow(static_cast<int>(chain.size()) - 1);
}

void FileBrowser::showFiles(const std::vector<std::string>& names) {
    const QSignalBlocker quiet(files_);
    files_->clear();
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(fromUtf8(name), files_);
        item->setData(kPathRole, QByteArray::fromStdString(name));
    }
    files_->setCurrentRow(-1);
}

std::string FileBrowser::driveOf(const std::string& folder) const {
    std::string best = "/";
    for (const std::string& root : driveRoots_) {
        if (isWithin(folder, root) && root.size() > best.size()) best = root;
    }
    return best;
}

void FileBrowser::showDriveOf(const std::string& folder) {
    const std::string root = driveOf(folder);
    lastFolderOnDrive_[root] = folder;
    const auto at = std::find(driveRoots_.begin(), driveRoots_.end(), root);
    const QSignalBlocker quiet(drives_);
    drives_->setCurrentIndex(at == driveRoots_.end() ? -1
                                                     : static_cast<int>(at - driveRoots_.begin()));
}

bool FileBrowser::eventFilter(QObject* watched, QEvent* event) {
    const int key = keyPressed(event);
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == folders_ && enter) {
        Dir1_Activated(folders_->currentItem());
        return true;
    }
    if (watched == files_ && enter && !selectedFileName().empty()) {
        emit fileActivated();
        return true;
    }
    // Home and End select the first and the last file, also the one that has the focus
    // without being selected, as when the list was entered with Tab.
    if (watched == files_ && (key == Qt::Key_Home || key == Qt::Key_End) && files_->count() > 0 &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        files_->setCurrentRow(key == Qt::Key_Home ? 0 : files_->count() - 1);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kelvane
