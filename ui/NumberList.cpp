// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/NumberList.h"

#include <Qsci/qscicommandset.h>
#include <QDropEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>

namespace kelvane {
namespace {

constexpr int kLineNumberMargin = 0;

}  // namespace

NumberList::NumberList(QWidget* parent) : QsciScintilla(parent) {
    // A document of the list's own kind replaces the editor's first one.
    showDocument(newDocument(0));
    setWrapMode(WrapNone);
    // Small enough for a 13-character E.164 number to fit the narrow list whole.
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(7.5);
    setFont(mono);
    // The line numbers are smaller: they tell where a line is, the list is read for its numbers.
    mono.setPointSizeF(5.5);
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
    // The editor's own undo keys must reach the window's Edit menu (see showDocument).
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

void* NumberList::newDocument(std::size_t bytes) {
    // Nothing styles the list, so its text needs no style byte beside each byte: a document
    // without them holds a large list in half the memory.
    auto* document = reinterpret_cast<void*>(
        SendScintilla(SCI_CREATEDOCUMENT, bytes, static_cast<long>(SC_DOCUMENTOPTION_STYLES_NONE)));
    if (!document) throw std::bad_alloc();
    return document;
}

void NumberList::showDocument(void* document) {
    const bool locked = SendScintilla(SCI_GETREADONLY) != 0;
    SendScintilla(SCI_SETDOCPOINTER, 0UL, document);
    SendScintilla(SCI_RELEASEDOCUMENT, 0UL, document);  // the editor holds it now
    // What belongs to the document. It keeps no undo history of its own: the window keeps one
    // history of the whole list, operations and typing alike. Undoing into half a load would make
    // no sense, and a second history would double the memory of a large list.
    SendScintilla(SCI_SETCODEPAGE, static_cast<unsigned long>(SC_CP_UTF8));
    SendScintilla(SCI_SETEOLMODE, static_cast<unsigned long>(SC_EOL_CRLF));
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    SendScintilla(SCI_SETREADONLY, locked ? 1UL : 0UL);
}

template <typename Change>
void NumberList::programChange(Change change) {
    const bool locked = SendScintilla(SCI_GETREADONLY) != 0;
    const auto eventMask = static_cast<unsigned long>(SendScintilla(SCI_GETMODEVENTMASK));
    // Restored however the change ends: the editor may run out of memory in it.
    const auto restore = [&] {
        SendScintilla(SCI_SETMODEVENTMASK, eventMask);
        if (locked) SendScintilla(SCI_SETREADONLY, 1UL);
        fitLineNumberMargin();
    };
    if (locked) SendScintilla(SCI_SETREADONLY, 0UL);
    SendScintilla(SCI_SETMODEVENTMASK, 0UL);
    try {
        change();
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void NumberList::setBytes(std::string_view bytes) {
    // The text goes into a document of its own, which takes the shown one's place only once it
    // is whole: the editor is not safe against running out of memory halfway through an
    // insertion, and the list then stays as it was.
    void* fresh = newDocument(bytes.size());
    auto* shown = reinterpret_cast<void*>(SendScintilla(SCI_GETDOCPOINTER));
    SendScintilla(SCI_ADDREFDOCUMENT, 0UL, shown);
    try {
        showDocument(fresh);
        // Appending takes a length, so bytes after a NUL are kept too.
        if (!bytes.empty())
            programChange([&] { SendScintilla(SCI_APPENDTEXT, bytes.size(), bytes.data()); });
    } catch (...) {
        showDocument(shown);
        fitLineNumberMargin();
        throw;
    }
    SendScintilla(SCI_RELEASEDOCUMENT, 0UL, shown);
    fitLineNumberMargin();
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
    // The margin gives way to the numbers: it shows only while its widest line number leaves
    // room, beside the vertical scroll bar, for a whole E.164 number of 13 characters. At the
    // list's stored width that is up to 999 lines (the empty one after the last CR LF counts);
    // a longer list is scrolled through rather than
    // read by line number, and its lines' numbers in a file differ from those in the list anyway
    // once lines are dropped.
    int digits = 1;
    for (long lines = lineCount(); lines >= 10; lines /= 10) ++digits;
    const QByteArray widest = QByteArray(digits, '9') + ' ';
    const auto textWidth = [this](int style, const char* text) {
        return static_cast<int>(
            SendScintilla(SCI_TEXTWIDTH, static_cast<unsigned long>(style), text));
    };
    const int number = textWidth(STYLE_DEFAULT, "+000000000000") +
                       static_cast<int>(SendScintilla(SCI_GETMARGINLEFT)) +
                       static_cast<int>(SendScintilla(SCI_GETMARGINRIGHT)) + 1;  // the caret
    const int room = width() - 2 * frameWidth() - verticalScrollBar()->sizeHint().width();
    const int margin = textWidth(STYLE_LINENUMBER, widest.constData());
    const int shown = margin + number <= room ? margin : 0;
    if (shown == marginWidth_) return;
    marginWidth_ = shown;
    setMarginWidth(kLineNumberMargin, shown);
}

void NumberList::resizeEvent(QResizeEvent* event) {
    QsciScintilla::resizeEvent(event);
    fitLineNumberMargin();
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
