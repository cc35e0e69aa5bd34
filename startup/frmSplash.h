// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

class QTimer;

namespace Ui {
class frmSplash;
}

namespace kelvane {

class Form1;

// The splash window: loads the main window hidden, then shows it at the fifth tick of a
// 500 ms timer and closes. Closed early, it shows the main window at once.
class frmSplash : public QWidget {
    Q_OBJECT
  public:
    explicit frmSplash(QWidget* parent = nullptr);
    ~frmSplash() override;

    Form1* mainWindow() const { return form1_.get(); }
    // A file for the main window to open as soon as it shows.
    void openOnShow(std::string path) { fileToOpen_ = std::move(path); }

  public slots:
    void Timer1_Timer();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load();
    void showMainWindow();

    std::unique_ptr<Ui::frmSplash> ui_;
    std::unique_ptr<Form1> form1_;
    QTimer* Timer1;
    std::int16_t mTickCount = 0;
    std::string fileToOpen_;
};

}  // namespace kelvane
