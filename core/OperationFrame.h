// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <string_view>

#include "core/Form1Core.h"
#include "core/OperationFailure.h"
#include "core/StatusText.h"
#include "core/UpdatePacer.h"

namespace kelvane {

// Marks the core busy for one operation. An operation started while another runs (from inside
// one of its yields) is refused: entered() is false and the status line says why.
class Form1Core::RunScope {
  public:
    explicit RunScope(Form1Core& core) : core_(core), entered_(!core.busy_) {
        if (!entered_) {
            core.controls_.setStatusLine(StatusText::kBusy);
            return;
        }
        core.busy_ = true;
        core.cancelRequested_ = false;
    }
    ~RunScope() {
        if (!entered_) return;
        core_.busy_ = false;
        core_.cancelRequested_ = false;
    }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

    bool entered() const { return entered_; }

  private:
    Form1Core& core_;
    bool entered_;
};

template <typename Steps>
void Form1Core::runOperation(const ErrorPath& errorPath, std::string_view stoppedStatus,
                             Steps steps) {
    lastRunCompleted_ = false;
    RunScope run(*this);
    if (!run.entered()) return;
    UpdatePacer pacer(controls_, yieldInterval_, cancelRequested_);
    try {
        steps(pacer);
        lastRunCompleted_ = true;
    } catch (...) {
        // Whatever was thrown, and from however deep, the run ends here.
        endFailedRun(std::current_exception(), pacer, errorPath, stoppedStatus);
    }
}

}  // namespace kelvane
