// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ListUndo.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

#include "ui/NumberList.h"
#include "ui/TextBytes.h"
#include "ui/WindowControls.h"

namespace kelvane {
namespace {

constexpr std::string_view kNotKept = "Not enough memory to keep the list as it stands for Undo";

}  // namespace

ListUndo::ListUndo(NumberList* list, WindowControls& controls, std::string& listRegion,
                   QAction* undo, QAction* redo)
    : QObject(list),
      list_(list),
      controls_(controls),
      listRegion_(listRegion),
      undo_(undo),
      redo_(redo),
      history_(list->bytes(), context()) {
    connect(list_, &NumberList::operatorEdited, this, [this] {
        unrecorded_ = true;
        updateActions();
    });
    list_->installEventFilter(this);
    connect(undo_, &QAction::triggered, this, &ListUndo::undo);
    connect(redo_, &QAction::triggered, this, &ListUndo::redo);
    updateActions();
}

void ListUndo::operationStarts() {
    recordChanges();
    running_ = true;
    updateActions();
}

void ListUndo::operationEnded() {
    running_ = false;
    unrecorded_ = true;  // what the operation left, and what it told
    recordChanges();
    updateActions();
}

void ListUndo::takeKeysFrom(QWidget* box) {
    box->installEventFilter(this);
}

bool ListUndo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::FocusOut) {
        recordChanges();
        updateActions();
    }
    if (watched != list_ && event->type() == QEvent::ShortcutOverride) {
        // Declined here, the key goes on to the window's shortcuts.
        const QKeySequence key(static_cast<QKeyEvent*>(event)->keyCombination());
        if (key == undo_->shortcut() || key == redo_->shortcut()) return true;
    }
    return QObject::eventFilter(watched, event);
}

void ListUndo::undo() {
    if (running_) return;
    if (!recordChanges()) {
        // The list as it stands could not be kept: back to the step kept last, without a redo.
        if (show(history_.current(),
                 QStringLiteral("Undone, but for want of memory the list as it stood is lost")))
            unrecorded_ = false;
    } else if (history_.canUndo() &&
               show(history_.before(),
                    QStringLiteral("Undone: the list is as it was before its last change"))) {
        history_.undo();
    }
    updateActions();
}

void ListUndo::redo() {
    if (running_ || unrecorded_ || !history_.canRedo()) return;
    if (show(history_.after(),
             QStringLiteral("Redone: the list is as it was after its next change")))
        history_.redo();
    updateActions();
}

bool ListUndo::recordChanges() {
    if (!unrecorded_) return true;
    try {
        history_.record(list_->bytes(), context());
    } catch (const std::exception&) {
        controls_.setStatusLine(kNotKept);
        return false;
    }
    unrecorded_ = false;
    return true;
}

ListHistory::Context ListUndo::context() const {
    return {listRegion_, controls_.formCaption(), controls_.summaryCaption()};
}

bool ListUndo::show(const ListHistory::Step& step, const QString& status) {
    try {
        std::string region = step.context.region;
        controls_.showOutcome(
            {*step.text, step.context.caption, step.context.summary, toUtf8(status)});
        listRegion_.swap(region);
    } catch (const std::exception&) {
        controls_.setStatusLine("Not enough memory to change the list: it is as it was");
        return false;
    }
    return true;
}

void ListUndo::updateActions() {
    undo_->setEnabled(!running_ && (unrecorded_ || history_.canUndo()));
    redo_->setEnabled(!running_ && !unrecorded_ && history_.canRedo());
}

}  // namespace kelvane
