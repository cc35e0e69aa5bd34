// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>

#include "Form1Core.h"

namespace Ui {
class Form1;
}

namespace kelvane {

class FileBrowser;
class StatusPanels;
class WindowControls;

// The main window: the control table lives in Form1.ui; this class wires its events to the list
// operations of Form1Core and keeps the controls still while an operation runs.
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

    // Runs one list operation; the controls it must not see changed are locked at its first
    // yield and unlocked when it ends. The operation throws nothing: the core's frame ends any
    // failure with the operation's own message.
    template <typename Operation>
    void runOperation(Operation operation);
    void setRunControlsLocked(bool locked);

    std::unique_ptr<Ui::Form1> ui_;
    FileBrowser* browser_;
    StatusPanels* status_;
    std::unique_ptr<WindowControls> controls_;
    std::unique_ptr<Form1Core> core_;
    bool locked_ = false;
    QPointer<QWidget> focusBeforeLock_;
};

}  // namespace kelvane
