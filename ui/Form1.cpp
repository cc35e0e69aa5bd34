// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include <QCloseEvent>
#include <QMimeData>

#include "AppIcon.h"
#include "FileBrowser.h"
#include "FolderListing.h"
#include "Module1.h"
#include "StatusPanels.h"
#include "TextBytes.h"
#include "WindowControls.h"
#include "WindowFonts.h"
#include "ui_Form1.h"

namespace kelvane {
namespace {

// The one local "*.txt" file being dragged, or empty.
std::string droppedTxtFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1) return {};
    const QUrl& url = mime->urls().front();
    if (!url.isLocalFile()) return {};
    const std::string path = pathBytes(url.toLocalFile());
    return matchesTxtPattern(path) ? path : std::string();
}

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent), ui_(std::make_unique<Ui::Form1>()) {
    installFontFallbacks();
    ui_->setupUi(this);
    snapFontsToPixels(this);
    setWindowIcon(appIcon());
    setAcceptDrops(true);

    browser_ = new FileBrowser(ui_->Drive1, ui_->Dir1, ui_->File1);
    status_ = new StatusPanels(ui_->StatusBar1, ui_->ProgressBar1);
    ui_->ProgressBar1->raise();  // it lies over the first panel
    controls_ = std::make_unique<WindowControls>(
        WindowWidgets{this, ui_->text2, ui_->Label4, ui_->Text3, ui_->Text4, ui_->Text5,
                      ui_->ProgressBar1, browser_, status_});
    core_ = std::make_unique<Form1Core>(*controls_);
    controls_->setBeforeYield([this] {
        if (!locked_) setRunControlsLocked(true);
    });

    connect(ui_->Command7, &QPushButton::clicked, this, &Form1::Command7_Click);
    connect(ui_->Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(ui_->Command11, &QPushButton::clicked, this, &Form1::Command11_Click);
    connect(ui_->Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(browser_, &FileBrowser::fileClicked, this, &Form1::File1_Click);
    connect(browser_, &FileBrowser::fileActivated, this, &Form1::File1_DblClick);
    connect(browser_, &FileBrowser::folderChanged, this, &Form1::Dir1_Change);
    connect(browser_, &FileBrowser::statusMessage, status_, &StatusPanels::setStatusLine);

    Form_Load();
}

Form1::~Form1() = default;

void Form1::Form_Load() {
    Module1::gNextIndex = 1;
}

void Form1::Command7_Click() {
    runOperation([this] { core_->LoadNumberFile(LoadMode::Plain); });
}

void Form1::Command5_Click() {
    runOperation([this] { core_->RemoveDuplicates(); });
}

void Form1::Command11_Click() {
    runOperation([this] { core_->SaveList(); });
}

void Form1::Command2_Click() {
    runOperation([this] { core_->ReadPlainFile(); });
}

void Form1::File1_Click(const std::string& path) {
    core_->selectFile(path);
}

void Form1::File1_DblClick() {
    runOperation([this] { core_->LoadNumberFile(LoadMode::Live); });
}

void Form1::Dir1_Change() {
    core_->forgetSelectedFile();
}

template <typename Operation>
void Form1::runOperation(Operation operation) {
    // An operation started from inside another one's yield is refused by the core; only the
    // outermost run unlocks.
    const bool outermost = !core_->busy();
    operation();
    if (outermost && locked_) setRunControlsLocked(false);
}

void Form1::setRunControlsLocked(bool locked) {
    if (locked) focusBeforeLock_ = focusWidget();
    locked_ = locked;
    for (QWidget* control :
         {static_cast<QWidget*>(ui_->Command7), static_cast<QWidget*>(ui_->Command5),
          static_cast<QWidget*>(ui_->Command11), static_cast<QWidget*>(ui_->Command2),
          static_cast<QWidget*>(ui_->File1), static_cast<QWidget*>(ui_->Text3),
          static_cast<QWidget*>(ui_->Text4)}) {
        control->setEnabled(!locked);
    }
    // The list can still be scrolled and read, not edited, while lines go into it.
    ui_->text2->setLocked(locked);
    if (!locked && focusBeforeLock_) focusBeforeLock_->setFocus();
}

void Form1::closeEvent(QCloseEvent* event) {
    if (core_->busy()) core_->requestCancel();
    event->accept();
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedTxtFile(event->mimeData()).empty()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const std::string path = droppedTxtFile(event->mimeData());
    if (path.empty()) return;
    event->acceptProposedAction();
    if (core_->busy()) {
        status_->setStatusLine(
            QStringLiteral("Wait until the running operation ends, then drop the file again"));
        return;
    }
    openFile(path);
}

void Form1::openFile(const std::string& path) {
    if (browser_->revealFile(path)) File1_DblClick();
}

}  // namespace kelvane
