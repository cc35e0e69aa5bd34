// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Controls.h"

class QWidget;

namespace kelvane {

// How the window asks the operator something: a modal box for people, a script for test and
// benchmark runs.
class MessagePrompt {
  public:
    virtual ~MessagePrompt() = default;
    virtual MessageAnswer ask(std::string_view text, MessageButtons buttons,
                              std::string_view title) = 0;
};

// A modal QMessageBox without an icon; OK is the default button, and Escape or closing the box
// answers Cancel.
class ModalMessagePrompt : public MessagePrompt {
  public:
    explicit ModalMessagePrompt(QWidget* parent) : parent_(parent) {}
    MessageAnswer ask(std::string_view text, MessageButtons buttons,
                      std::string_view title) override;

  private:
    QWidget* parent_;
};

// Answers from a script and keeps what it was asked; with the script used up it answers OK.
class ScriptedMessagePrompt : public MessagePrompt {
  public:
    struct Shown {
        std::string title;
        MessageButtons buttons;
        std::string text;
    };

    void answerNext(MessageAnswer answer) { answers_.push_back(answer); }
    // Runs while each message is "on screen", before it is answered.
    void whileShown(std::function<void(const Shown&)> look) { whileShown_ = std::move(look); }
    const std::vector<Shown>& shown() const { return shown_; }
    void forget() { shown_.clear(); }
    MessageAnswer ask(std::string_view text, MessageButtons buttons,
                      std::string_view title) override;

  private:
    std::deque<MessageAnswer> answers_;
    std::vector<Shown> shown_;
    std::function<void(const Shown&)> whileShown_;
};

}  // namespace kelvane
