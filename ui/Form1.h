// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>

#include "base/NumberFormat.h"
#include "core/Form1Core.h"

namespace Ui {
class Form1;
}

namespace kelvane {

class FileBrowser;
class LinesNotReadWindow;
class ListUndo;
class StatusPanels;
class WindowControls;

// The main window: the control table and the menus live in Form1.ui; this class wires their
// events to the list operations of Form1Core and keeps the controls still while an operation runs.
class Form1 : public QMainWindow {
    Q_OBJECT
  public:
    // Loads the window without showing it; its load step has run when this returns.
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    Form1Core& core() { return *core_; }
    FileBrowser& browser() { return *browser_; }
    // Shows the file in the browser and loads it live, as a double-click does: for a file dropped
    // on the window or named on the command line ("Open with").
    void openFile(const std::string& path);

    // The Numbers menu's region (a code the library knows, in capitals; empty for none yet, and
    // the first Numbers item then asks) and format.
    const std::string& region() const { return region_; }
    void setRegion(const std::string& region) { region_ = region; }
    NumberFormat format() const;

  protected:
    // Closing during a run stops the run at its next yield; the window closes all the same.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void Form_Load();
    void Command7_Click();
    void Command5_Click();
    void Command11_Click();
    void Command2_Click();
    void File1_Click(const std::string& path);
    void File1_DblClick();
    void Dir1_Change();

    // The menus.
    void openList();
    void saveRemovedLines();
    void openAsTelephoneNumbers();
    void removeDuplicateNumbers();
    void strikeNumbersListedIn();
    void keepOnlyMobileNumbers();
    void chooseRegion();
    void saveLinesNotRead();
    void showKeyboardShortcuts();
    // The region for a Numbers item: asks for one when there is none yet; empty when the operator
    // gave none.
    std::string regionForNumbers();

    // Runs one list operation; the controls it must not see changed are locked at its first
    // yield and unlocked when it ends. The operation throws nothing: the core's frame ends any
    // failure with the operation's own message. `ranBy`, when given, then carries the result for
    // the operator's screen reader.
    template <typename Operation>
    void runOperation(Operation operation, QWidget* ranBy = nullptr);
    void setRunControlsLocked(bool locked);
    // The caption, the summary and the status line as they stand, for a screen reader.
    QString resultText() const;

    std::unique_ptr<Ui::Form1> ui_;
    FileBrowser* browser_;
    StatusPanels* status_;
    std::unique_ptr<WindowControls> controls_;
    std::unique_ptr<Form1Core> core_;
    ListUndo* undo_;
    LinesNotReadWindow* linesNotRead_ = nullptr;
    QAction* openMenuBar_;
    std::string region_;
    bool locked_ = false;
    QPointer<QWidget> focusBeforeLock_;
};

}  // namespace kelvane
