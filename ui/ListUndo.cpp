// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListUndo.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

#include "ui/NumberList.h"

namespace kelvane {

ListUndo::ListUndo(NumberList* list, std::string& listRegion, QAction* undo, QAction* redo)
    : QObject(list),
      list_(list),
      listRegion_(listRegion),
      undo_(undo),
      redo_(redo),
      history_(list->bytes(), listRegion) {
    connect(list_, &NumberList::operatorEdited, this, [this] {
        typing_ = true;
        updateActions();
    });
    list_->installEventFilter(this);
    connect(undo_, &QAction::triggered, this, &ListUndo::undo);
    connect(redo_, &QAction::triggered, this, &ListUndo::redo);
    updateActions();
}

void ListUndo::operationStarts() {
    endTypingRun();
    running_ = true;
    updateActions();
}

void ListUndo::operationEnded() {
    running_ = false;
    history_.record(list_->bytes(), listRegion_);
    updateActions();
}

void ListUndo::takeKeysFrom(QWidget* box) {
    box->installEventFilter(this);
}

bool ListUndo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::FocusOut) endTypingRun();
    if (watched != list_ && event->type() == QEvent::ShortcutOverride) {
        // Declined here, the key goes on to the window's shortcuts.
        const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
        if (key == undo_->shortcut() || key == redo_->shortcut()) return true;
    }
    return QObject::eventFilter(watched, event);
}

void ListUndo::undo() {
    if (running_) return;
    endTypingRun();
    if (history_.canUndo())
        show(history_.undo(),
             QStringLiteral("Undone: the list is as it was before its last change"));
}

void ListUndo::redo() {
    if (running_) return;
    endTypingRun();
    if (history_.canRedo())
        show(history_.redo(),
             QStringLiteral("Redone: the list is as it was after its next change"));
}

void ListUndo::endTypingRun() {
    if (!std::exchange(typing_, false)) return;
    history_.record(list_->bytes(), listRegion_);
    updateActions();
}

void ListUndo::show(const ListHistory::Step& step, const QString& text) {
    list_->setBytes(*step.text);
    listRegion_ = step.region;
    updateActions();
    emit told(text);
}

void ListUndo::updateActions() {
    undo_->setEnabled(!running_ && (typing_ || history_.canUndo()));
    redo_->setEnabled(!running_ && !typing_ && history_.canRedo());
}

}  // namespace kelvane
