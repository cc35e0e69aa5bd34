// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <string>

#include "core/ListHistory.h"

class QAction;
class QString;
class QWidget;

namespace kelvane {

class NumberList;
class WindowControls;

// The Edit menu's undo and redo over the one history of the number list. Every operation that
// changes the list is one step; so is each run of the operator's typing in it, which ends when
// the list loses the focus, an operation starts, or the operator undoes or redoes. The region the
// list was read under, the caption and the summary go back and forth with each step. Should
// memory run short, a list that cannot be kept is said so on the status line, and an undo then
// goes back to the step kept last.
class ListUndo : public QObject {
    Q_OBJECT
  public:
    ListUndo(NumberList* list, WindowControls& controls, std::string& listRegion, QAction* undo,
             QAction* redo);

    // Around every operation: the typing before it is a step of its own, and the list it leaves,
    // if changed, is the next step. The keys are off in between.
    void operationStarts();
    void operationEnded();

    // A box whose own undo keys give way to the list's: the keys act on the list everywhere but
    // in the boxes the operator types a width or a name into.
    void takeKeysFrom(QWidget* box);

    const ListHistory& history() const { return history_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void undo();
    void redo();
    // Records the list as it stands when it has changes the history lacks; false when there was
    // no memory for it.
    bool recordChanges();
    ListHistory::Context context() const;
    // Puts the step on screen, all of it or, when memory runs short, none; false then.
    bool show(const ListHistory::Step& step, const QString& status);
    void updateActions();

    NumberList* list_;
    WindowControls& controls_;
    std::string& listRegion_;
    QAction* undo_;
    QAction* redo_;
    ListHistory history_;
    bool unrecorded_ = false;  // the list has changes the history lacks: typing, or no memory
    bool running_ = false;
};

}  // namespace kelvane
