// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qsci/qsciscintilla.h>
#include <string>
#include <string_view>

namespace kelvane {

// The number list `text2`: a plain-text editor that takes and gives raw bytes, so that any file
// round-trips byte for byte and a million lines go in at once. The rest of the window talks to
// the editor only through this class.
class NumberList : public QsciScintilla {
    Q_OBJECT
  public:
    explicit NumberList(QWidget* parent = nullptr);

    std::string bytes() const;
    void setBytes(std::string_view bytes);
    void appendBytes(std::string_view bytes);
    // Makes room for a text of `bytes` bytes in one piece, so that appending up to there never
    // moves the text.
    void reserveBytes(std::size_t bytes);
    long lineCount() const;
    // While locked the operator can scroll and select but not edit.
    void setLocked(bool locked);

  signals:
    // The operator changed the text; the program's own changes say nothing.
    void operatorEdited();

  protected:
    // Tab and Shift+Tab move the focus on, as in every other box of the window: a list of
    // numbers has no use for a tab character.
    bool event(QEvent* event) override;
    // A dropped file is for the window to open, not text to paste into the list.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Runs a change of the program's own. It sends no change notifications: the editor's handling
    // of them costs time in proportion to the whole text on every append, which made a list built
    // in pieces slow to fill.
    template <typename Change>
    void programChange(Change change);
    // A new, empty document with room for `bytes`, and putting one in place of the shown one,
    // with the settings that belong to a document. The editor takes over the caller's hold.
    void* newDocument(std::size_t bytes);
    void showDocument(void* document);
    // Shows the line numbers' margin, or hides it where it would crowd the numbers out.
    void fitLineNumberMargin();

    int marginWidth_ = -1;
};

}  // namespace kelvane
