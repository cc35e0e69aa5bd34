// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/RegionDialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "phone/Regions.h"

namespace kelvane {

QString regionName(const std::string& code) {
    const QLocale::Territory territory = QLocale::codeToTerritory(QString::fromStdString(code));
    if (territory == QLocale::AnyTerritory) return QString::fromStdString(code);
    return QLocale::territoryToString(territory);
}

RegionDialog::RegionDialog(const std::vector<std::string>& codes, const std::string& current,
                           QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Region"));
    auto* label = new QLabel(QStringLiteral("Region of numbers written without a country code:"));
    filter_ = new QLineEdit;
    filter_->setObjectName(QStringLiteral("RegionFilter"));
    filter_->setPlaceholderText(QStringLiteral("Type a name or a code"));
    label->setBuddy(filter_);
    regions_ = new QListWidget;
    regions_->setObjectName(QStringLiteral("RegionList"));
    regions_->setAccessibleName(QStringLiteral("Regions"));
    for (const std::string& code : codes) {
        auto* item = new QListWidgetItem(
            QStringLiteral("%1 (%2)").arg(regionName(code), QString::fromStdString(code)));
        item->setData(Qt::UserRole, QString::fromStdString(code));
        regions_->addItem(item);
        if (code == current) regions_->setCurrentItem(item);
    }
    regions_->sortItems();
    if (!regions_->currentItem()) regions_->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(filter_);
    layout->addWidget(regions_);
    layout->addWidget(buttons);
    resize(360, 420);

    filter_->installEventFilter(this);
    connect(filter_, &QLineEdit::textChanged, this, &RegionDialog::narrow);
    connect(regions_, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(regions_, &QListWidget::currentItemChanged, this, [buttons](QListWidgetItem* item) {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(item != nullptr);
    });
    regions_->scrollToItem(regions_->currentItem());
    filter_->setFocus();
}

std::optional<std::string> RegionDialog::choose(QWidget* parent, const std::string& current) {
    RegionDialog dialog(phone::supportedRegions(), current, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.chosen().empty()) return std::nullopt;
    return dialog.chosen();
}

std::string RegionDialog::chosen() const {
    const QListWidgetItem* item = regions_->currentItem();
    return item && !item->isHidden() ? item->data(Qt::UserRole).toString().toStdString()
                                     : std::string();
}

void RegionDialog::narrow(const QString& typed) {
    const QString wanted = typed.trimmed();
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < regions_->count(); ++row) {
        QListWidgetItem* item = regions_->item(row);
        const bool shown = item->text().contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && !first) first = item;
    }
    // A code typed whole goes first: "IL" means Israel, not Brazil.
    for (int row = 0; row < regions_->count(); ++row) {
        QListWidgetItem* item = regions_->item(row);
        if (item->data(Qt::UserRole).toString().compare(wanted, Qt::CaseInsensitive) == 0)
            first = item;
    }
    regions_->setCurrentItem(first);
    if (first) regions_->scrollToItem(first);
}

bool RegionDialog::eventFilter(QObject* watched, QEvent* event) {
    // The keys that move in a list move in it while the focus stays in the box being typed in.
    if (watched == filter_ && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                QCoreApplication::sendEvent(regions_, event);
                return true;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kelvane
