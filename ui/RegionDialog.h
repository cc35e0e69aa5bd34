// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;

namespace kelvane {

// Numbers > Region…: every region the telephone-number library knows, by name and code, narrowed
// to those whose name or code holds what the operator types. Usable from the keyboard alone: the
// arrow and page keys move in the list while the typing goes on, Enter takes the region.
class RegionDialog : public QDialog {
    Q_OBJECT
  public:
    RegionDialog(const std::vector<std::string>& codes, const std::string& current,
                 QWidget* parent = nullptr);

    // The region chosen, in capitals; nothing when the dialog was cancelled.
    static std::optional<std::string> choose(QWidget* parent, const std::string& current);
    std::string chosen() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void narrow(const QString& typed);

    QLineEdit* filter_;
    QListWidget* regions_;
};

// The region's English name as Qt knows it, or the code where Qt knows no name for it.
QString regionName(const std::string& code);

}  // namespace kelvane
