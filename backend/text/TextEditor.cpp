#include "backend/text/TextEditor.h"

#include <algorithm>

namespace limn::sdl {

void TextEditor::moveTo(std::size_t index, bool extend, std::size_t size) {
    caret_ = std::min(index, size);
    if (!extend) anchor_ = caret_;
    anchor_ = std::min(anchor_, size);
}

void TextEditor::select(std::size_t anchor, std::size_t caret, std::size_t size) {
    anchor_ = std::min(anchor, size);
    caret_ = std::min(caret, size);
}

void TextEditor::clamp(std::size_t size) {
    select(anchor_, caret_, size);
}

void TextEditor::left(bool extend) {
    if (!extend && hasSelection()) {
        caret_ = anchor_ = selectionBegin();
        return;
    }
    if (caret_ > 0) --caret_;
    if (!extend) anchor_ = caret_;
}

void TextEditor::right(bool extend, std::size_t size) {
    if (!extend && hasSelection()) {
        caret_ = anchor_ = selectionEnd();
        return;
    }
    if (caret_ < size) ++caret_;
    if (!extend) anchor_ = caret_;
}

bool TextEditor::eraseSelection(TextContent& text) {
    if (!hasSelection()) return false;
    const std::size_t begin = selectionBegin();
    const TextStyle keep = text.styleAt(begin, TextStyle{});
    text.replace(begin, selectionEnd(), {}, keep);
    caret_ = anchor_ = begin;
    return true;
}

bool TextEditor::insert(TextContent& text, std::u32string_view typed, const TextStyle& typing) {
    clamp(text.size());
    const std::size_t at = selectionBegin();
    const TextStyle style = text.empty() ? typing : text.styleAt(at > 0 ? at - 1 : 0, typing);
    const bool erased = eraseSelection(text);
    if (typed.empty()) return erased;
    const std::size_t before = text.size();
    text.replace(at, at, typed, style);
    caret_ = anchor_ = at + (text.size() - before);
    return true;
}

bool TextEditor::backspace(TextContent& text) {
    clamp(text.size());
    if (eraseSelection(text)) return true;
    if (caret_ == 0) return false;
    text.replace(caret_ - 1, caret_, {}, text.styleAt(caret_ - 1, TextStyle{}));
    caret_ = anchor_ = caret_ - 1;
    return true;
}

bool TextEditor::deleteForward(TextContent& text) {
    clamp(text.size());
    if (eraseSelection(text)) return true;
    if (caret_ >= text.size()) return false;
    text.replace(caret_, caret_ + 1, {}, text.styleAt(caret_, TextStyle{}));
    return true;
}

}  // namespace limn::sdl
