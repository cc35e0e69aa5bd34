// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ShortcutsDialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <utility>
#include <vector>

namespace kelvane {
namespace {

// The keys no menu item carries.
const std::pair<const char*, const char*> kOtherKeys[] = {
    {"Alt+F, Alt+E, Alt+N, Alt+H", "Open the File, Edit, Numbers or Help menu"},
    {"Tab, Shift+Tab", "Move to the next or the previous control"},
    {"Enter (in the file list)", "Open the selected file, as a double-click does"},
    {"Space (on a button)", "Press the button"},
};

}  // namespace

ShortcutsDialog::ShortcutsDialog(const QList<QAction*>& actions, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
    std::vector<std::pair<QString, QString>> rows;
    for (const QAction* action : actions) {
        if (action->shortcut().isEmpty()) continue;
        rows.emplace_back(action->shortcut().toString(QKeySequence::NativeText),
                          action->text().remove(QLatin1Char('&')));
    }
    for (const auto& [keys, does] : kOtherKeys)
        rows.emplace_back(QString::fromLatin1(keys), QString::fromLatin1(does));

    auto* table = new QTableWidget(static_cast<int>(rows.size()), 2);
    table->setObjectName(QStringLiteral("ShortcutTable"));
    table->setAccessibleName(QStringLiteral("Keyboard shortcuts"));
    table->setHorizontalHeaderLabels({QStringLiteral("Keys"), QStringLiteral("Does")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setTabKeyNavigation(false);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(rows[row].first));
        table->setItem(row, 1, new QTableWidgetItem(rows[row].second));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setCurrentCell(0, 0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(520, 440);
    table->setFocus();
}

}  // namespace kelvane
