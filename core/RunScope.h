// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Form1Core.h"

namespace kelvane {

// Marks the core busy for one operation. An operation started while another runs (from inside
// one of its yields) is refused: entered() is false and the status line says why.
class Form1Core::RunScope {
public:
    RunScope(Form1Core& core) : core_(core), entered_(!core.busy_) {
        if (!entered_) {
            core.controls_.setStatusLine("Busy: wait until the running operation ends");
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

}  // namespace kelvane
