// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NumberList.h"

#include <Qsci/qscicommandset.h>
#include <QDropEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>

namespace kelvane {
namespace {

constexpr int kLineNumberMargin = 0;

}  // namespace

NumberList::NumberList(QWidget* parent) : QsciScintilla(parent) {
    // Nothing styles the list, so its text needs no style byte beside each byte: a document
    // without them holds a large list in half the memory. It replaces the editor's first
    // document before any of the settings below, which belong to the document.
    auto* document = reinterpret_cast<void*>(
        SendScintilla(SCI_CREATEDOCUMENT, 0UL, static_cast<long>(SC_DOCUMENTOPTION_STYLES_NONE)));
    SendScintilla(SCI_SETDOCPOINTER, 0UL, document);
    SendScintilla(SCI_RELEASEDOCUMENT, 0UL, document);
    setUtf8(true);
    setEolMode(EolWindows);
    setWrapMode(WrapNone);
    // Small enough for a twelve-digit number and its line number to fit the narrow list.
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(7.5);
    setFont(mono);
    setMarginsFont(mono);
    setMarginType(kLineNumberMargin, NumberMargin);
    setMarginLineNumbers(kLineNumberMargin, true);
    for (int margin = 1; margin < 5; ++margin) setMarginWidth(margin, 0);
    // The horizontal scroll bar follows the longest line shown instead of a fixed page width.
    setScrollWidth(1);
    setScrollWidthTracking(true);
    fitLineNumberMargin();
    connect(this, &QsciScintilla::linesChanged, this, &NumberList::fitLineNumberMargin);
    connect(this, &QsciScintilla::textChanged, this, &NumberList::operatorEdited);
    // The editor keeps no undo history of its own: the window keeps one history of the whole list,
    // operations and typing alike, and its undo keys must reach the window's Edit menu. Undoing
    // into half a load would make no sense, and a second history would double the memory of a
    // large list.
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    for (const auto command : {QsciCommand::Undo, QsciCommand::Redo}) {
        QsciCommand* bound = standardCommands()->find(command);
        bound->setKey(0);
        bound->setAlternateKey(0);
    }
}

std::string NumberList::bytes() const {
    // The editor hands out its whole text as one contiguous block.
    const auto length = static_cast<std::size_t>(SendScintilla(SCI_GETLENGTH));
    const auto* text = static_cast<const char*>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
    return text ? std::string(text, length) : std::string();
}

template <typename Change>
void NumberList::programChange(Change change) {
    const bool locked = SendScintilla(SCI_GETREADONLY) != 0;
    if (locked) SendScintilla(SCI_SETREADONLY, 0UL);
    const auto eventMask = static_cast<unsigned long>(SendScintilla(SCI_GETMODEVENTMASK));
    SendScintilla(SCI_SETMODEVENTMASK, 0UL);
    change();
    SendScintilla(SCI_SETMODEVENTMASK, eventMask);
    if (locked) SendScintilla(SCI_SETREADONLY, 1UL);
    fitLineNumberMargin();
}

void NumberList::setBytes(std::string_view bytes) {
    programChange([&] {
        SendScintilla(SCI_CLEARALL);
        // Appending takes a length, so bytes after a NUL are kept too.
        if (!bytes.empty()) SendScintilla(SCI_APPENDTEXT, bytes.size(), bytes.data());
    });
}

void NumberList::appendBytes(std::string_view bytes) {
    if (bytes.empty()) return;
    programChange([&] { SendScintilla(SCI_APPENDTEXT, bytes.size(), bytes.data()); });
}

void NumberList::reserveBytes(std::size_t bytes) {
    // The editor moves its text when an insertion fills the room left exactly: one byte more.
    SendScintilla(SCI_ALLOCATE, bytes + 1);
}

long NumberList::lineCount() const {
    return SendScintilla(SCI_GETLINECOUNT);
}

void NumberList::setLocked(bool locked) {
    SendScintilla(SCI_SETREADONLY, locked ? 1UL : 0UL);
}

void NumberList::fitLineNumberMargin() {
    int digits = 1;
    for (long lines = lineCount(); lines >= 10; lines /= 10) ++digits;
    if (digits == marginDigits_) return;
    marginDigits_ = digits;
    setMarginWidth(kLineNumberMargin, QString(digits, QLatin1Char('9')) + QLatin1Char(' '));
}

bool NumberList::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            const bool forward =
                key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
            QWidget::focusNextPrevChild(forward);
            return true;
        }
    }
    return QsciScintilla::event(event);
}

void NumberList::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) return event->ignore();
    QsciScintilla::dragEnterEvent(event);
}

void NumberList::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls()) return event->ignore();
    QsciScintilla::dragMoveEvent(event);
}

void NumberList::dropEvent(QDropEvent* event) {
    if (event->mimeData()->hasUrls()) return event->ignore();
    QsciScintilla::dropEvent(event);
}

}  // namespace kelvane
