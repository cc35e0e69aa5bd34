// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Form1.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QMimeData>

#include "core/Messages.h"
#include "core/Module1.h"
#include "phone/Regions.h"
#include "ui/AboutBox.h"
#include "ui/AppIcon.h"
#include "ui/FileBrowser.h"
#include "ui/FileDialogs.h"
#include "ui/FolderListing.h"
#include "ui/LinesNotReadWindow.h"
#include "ui/ListUndo.h"
#include "ui/MessageBox.h"
#include "ui/RegionDialog.h"
#include "ui/ShortcutsDialog.h"
#include "ui/StatusPanels.h"
#include "ui/TextBytes.h"
#include "ui/WindowControls.h"
#include "ui/WindowFonts.h"
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

// The locale's territory when the telephone-number library knows it, as the batch command takes
// it; empty otherwise.
std::string localeDefaultRegion() {
    try {
        return phone::chooseRegion({});
    } catch (const phone::RegionError&) {
        return {};
    }
}

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent), ui_(std::make_unique<Ui::Form1>()) {
    installFontFallbacks();
    ui_->setupUi(this);
    // The control table's places are below the menu bar: the window grows by the bar's height.
    resize(width(), height() + menuBar()->sizeHint().height());
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

    // Qt on Linux names a drop-down list by its value; a screen reader takes the list's own name
    // from the label it is the buddy of, which needs no place on the form.
    auto* drivesLabel = new QLabel(ui_->Drive1->accessibleName(), ui_->Frame4);
    drivesLabel->setBuddy(ui_->Drive1);
    drivesLabel->hide();

    undo_ =
        new ListUndo(ui_->text2, *controls_, core_->mListRegion, ui_->actionUndo, ui_->actionRedo);
    undo_->takeKeysFrom(ui_->Text5);
    undo_->takeKeysFrom(ui_->Text1);
    auto* formats = new QActionGroup(this);
    for (QAction* format :
         {ui_->actionFormatE164, ui_->actionFormatInternational, ui_->actionFormatNational})
        formats->addAction(format);
    ui_->actionFormatE164->setChecked(true);
    region_ = localeDefaultRegion();
    addAction(ui_->actionStop);
    // F10 opens the menu bar, as in other desktop programs.
    openMenuBar_ = new QAction(QStringLiteral("Open the Menu Bar"), this);
    openMenuBar_->setShortcut(Qt::Key_F10);
    addAction(openMenuBar_);
    connect(openMenuBar_, &QAction::triggered, this,
            [this] { menuBar()->setActiveAction(ui_->menuFile->menuAction()); });
    connect(ui_->actionOpenList, &QAction::triggered, this, &Form1::openList);
    connect(ui_->actionSave, &QAction::triggered, this, &Form1::Command11_Click);
    connect(ui_->actionSaveRemovedLines, &QAction::triggered, this, &Form1::saveRemovedLines);
    connect(ui_->actionQuit, &QAction::triggered, this, &QWidget::close);
    connect(ui_->actionOpenAsNumbers, &QAction::triggered, this, &Form1::openAsTelephoneNumbers);
    connect(ui_->actionRemoveDuplicateNumbers, &QAction::triggered, this,
            &Form1::removeDuplicateNumbers);
    connect(ui_->actionStrikeNumbers, &QAction::triggered, this, &Form1::strikeNumbersListedIn);
    connect(ui_->actionKeepMobileNumbers, &QAction::triggered, this, &Form1::keepOnlyMobileNumbers);
    connect(ui_->actionRegion, &QAction::triggered, this, &Form1::chooseRegion);
    connect(ui_->actionKeyboardShortcuts, &QAction::triggered, this, &Form1::showKeyboardShortcuts);
    connect(ui_->actionAbout, &QAction::triggered, this, [this] { showAbout(this); });
    connect(ui_->actionStop, &QAction::triggered, this, [this] { core_->requestCancel(); });

    Form_Load();
}

Form1::~Form1() {
    // The list's history goes first: the list, closing with the window, would otherwise ask it
    // to keep a run of typing with the controls and the core already gone.
    delete undo_;
}

void Form1::Form_Load() {
    Module1::gNextIndex = 1;
}

void Form1::Command7_Click() {
    runOperation([this] { core_->LoadNumberFile(LoadMode::Plain); }, ui_->Command7);
}

void Form1::Command5_Click() {
    runOperation([this] { core_->RemoveDuplicates(); }, ui_->Command5);
}

void Form1::Command11_Click() {
    runOperation([this] { core_->SaveList(); }, ui_->Command11);
}

void Form1::Command2_Click() {
    runOperation([this] { core_->ReadPlainFile(); }, ui_->Command2);
}

void Form1::File1_Click(const std::string& path) {
    core_->selectFile(path);
}

void Form1::File1_DblClick() {
    runOperation([this] { core_->LoadNumberFile(LoadMode::Live); }, ui_->File1);
}

void Form1::Dir1_Change() {
    core_->forgetSelectedFile();
}

void Form1::openList() {
    const std::string path =
        chooseListToOpen(this, QStringLiteral("Open List"), browser_->folderPath());
    if (path.empty()) return;
    if (const auto whyNot = browser_->revealFile(path))
        status_->setStatusLine(*whyNot);
    else
        Command7_Click();
}

void Form1::saveRemovedLines() {
    const std::string path =
        chooseFileToSave(this, QStringLiteral("Save Removed Lines As"), browser_->folderPath());
    if (path.empty()) return;
    runOperation([&] { core_->SaveBytesAs(path, core_->removedLines()); });
}

void Form1::openAsTelephoneNumbers() {
    const std::string region = regionForNumbers();
    if (region.empty()) return;
    runOperation([&] { core_->OpenAsTelephoneNumbers(region, format()); }, ui_->text2);
    // This run's report, or none: a report left from another file would mislead.
    if (!core_->lastRunCompleted() || core_->linesNotRead().empty()) {
        if (linesNotRead_) linesNotRead_->close();
        return;
    }
    if (!linesNotRead_) {
        linesNotRead_ = new LinesNotReadWindow(this);
        connect(linesNotRead_, &LinesNotReadWindow::saveRequested, this, &Form1::saveLinesNotRead);
        // The menus' keys work from the report too, so that the operator can go on from there;
        // Escape there closes the report.
        for (const QMenu* menu : {ui_->menuFile, ui_->menuEdit, ui_->menuNumbers})
            linesNotRead_->addActions(menu->actions());
    }
    linesNotRead_->showReport(core_->linesNotRead());
}

void Form1::removeDuplicateNumbers() {
    const std::string region = regionForNumbers();
    if (region.empty()) return;
    runOperation([&] { core_->RemoveDuplicateNumbers(region); }, ui_->text2);
}

void Form1::strikeNumbersListedIn() {
    const std::string region = regionForNumbers();
    if (region.empty()) return;
    const std::string list =
        chooseListToOpen(this, QStringLiteral("Strike Numbers Listed In"), browser_->folderPath());
    if (list.empty()) return;
    runOperation([&] { core_->StrikeNumbersListedIn(list, region); }, ui_->text2);
}

void Form1::keepOnlyMobileNumbers() {
    const std::string region = regionForNumbers();
    if (region.empty()) return;
    runOperation([&] { core_->KeepOnlyMobileNumbers(region); }, ui_->text2);
}

void Form1::saveLinesNotRead() {
    const std::string path = chooseFileToSave(linesNotRead_, QStringLiteral("Save Lines Not Read"),
                                              browser_->folderPath());
    if (path.empty()) return;
    runOperation([&] { core_->SaveBytesAs(path, core_->linesNotRead()); });
}

std::string Form1::regionForNumbers() {
    if (region_.empty()) chooseRegion();
    if (region_.empty())
        status_->setStatusLine(QStringLiteral("Choose a region first: Numbers > Region"));
    return region_;
}

void Form1::chooseRegion() {
    const auto chosen = RegionDialog::choose(this, region_);
    if (!chosen) return;
    region_ = *chosen;
    status_->setStatusLine(QStringLiteral("Region of numbers without a country code: %1 (%2)")
                               .arg(regionName(region_), QString::fromStdString(region_)));
}

NumberFormat Form1::format() const {
    if (ui_->actionFormatInternational->isChecked()) return NumberFormat::International;
    if (ui_->actionFormatNational->isChecked()) return NumberFormat::National;
    return NumberFormat::E164;
}

void Form1::showKeyboardShortcuts() {
    QList<QAction*> actions;
    for (const QMenu* menu : {ui_->menuFile, ui_->menuEdit, ui_->menuNumbers, ui_->menuHelp})
        actions << menu->actions();
    actions << ui_->actionStop << openMenuBar_;
    auto* dialog = new ShortcutsDialog(actions, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

template <typename Operation>
void Form1::runOperation(Operation operation, QWidget* ranBy) {
    // An operation started from inside another one's yield is refused by the core; only the
    // outermost run unlocks and makes a step of the list's history.
    const bool outermost = !core_->busy();
    if (outermost) undo_->operationStarts();
    operation();
    if (!outermost) return;
    if (locked_) setRunControlsLocked(false);
    undo_->operationEnded();
    // What the operation told, readable from where it was started.
    if (ranBy) ranBy->setAccessibleDescription(resultText());
}

QString Form1::resultText() const {
    QStringList told{windowTitle()};
    if (ui_->Label4->text() != QLatin1String(Messages::kSummaryStart)) told << ui_->Label4->text();
    if (!status_->statusLine().isEmpty()) told << status_->statusLine();
    return told.join(QStringLiteral(". "));
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
    for (QAction* item : {ui_->actionOpenList, ui_->actionSave, ui_->actionSaveRemovedLines,
                          ui_->actionOpenAsNumbers, ui_->actionRemoveDuplicateNumbers,
                          ui_->actionStrikeNumbers, ui_->actionKeepMobileNumbers}) {
        item->setEnabled(!locked);
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
    if (const auto whyNot = browser_->revealFile(path)) {
        // Named on the command line, the file was not chosen in the window: say so in a box.
        status_->setStatusLine(*whyNot);
        MessageBox::ask(this, toUtf8(*whyNot), MessageButtons::Ok, Messages::kStandardTitle);
        return;
    }
    File1_DblClick();
}

}  // namespace kelvane
