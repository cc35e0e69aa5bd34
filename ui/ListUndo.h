// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "core/ListHistory.h"

class QAction;
class QWidget;

namespace kelvane {

class NumberList;

// The Edit menu's undo and redo over the one history of the number list. Every operation that
// changes the list is one step; so is each run of the operator's typing in it, which ends when
// the list loses the focus, an operation starts, or the operator undoes or redoes. The region the
// list was read under goes back and forth with each step.
class ListUndo : public QObject {
    Q_OBJECT
  public:
    ListUndo(NumberList* list, std::string& listRegion, QAction* undo, QAction* redo);

    // Around every operation: the typing before it is a step of its own, and the list it leaves,
    // if changed, is the next step. The keys are off in between.
    void operationStarts();
    void operationEnded();

    // A box whose own undo keys give way to the list's: the keys act on the list everywhere but
    // in the boxes the operator types a width or a name into.
    void takeKeysFrom(QWidget* box);

    const ListHistory& history() const { return history_; }

  signals:
    // What an undo or a redo did, for the status line.
    void told(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void undo();
    void redo();
    void endTypingRun();
    void show(const ListHistory::Step& step, const QString& text);
    void updateActions();

    NumberList* list_;
    std::string& listRegion_;
    QAction* undo_;
    QAction* redo_;
    ListHistory history_;
    bool typing_ = false;
    bool running_ = false;
};

}  // namespace kelvane
