// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string_view>

#include "core/Controls.h"

class QWidget;

namespace kelvane {

// How the window asks the operator something: a modal QMessageBox without an icon; OK is the
// default button, and Escape or closing the box answers Cancel.
class MessageBox {
  public:
    static MessageAnswer ask(QWidget* parent, std::string_view text, MessageButtons buttons,
                             std::string_view title);

    // Test and benchmark runs answer in the operator's place: while a stand-in is set, it gets
    // every question and no box is shown. An empty one brings the box back.
    using StandIn = std::function<MessageAnswer(std::string_view text, MessageButtons buttons,
                                                std::string_view title)>;
    static void setStandIn(StandIn standIn);
};

}  // namespace kelvane
