#pragma once
// Caret and selection of an editable text, and the edits typing makes.
// Positions are character indices from 0 to the text's size; the selection
// runs between the anchor and the caret (either may be first).
//
// Edits return true when the text changed. Typed text takes the format of the
// character before the caret (the first character's at the start; `typing`
// in an empty text).

#include <cstddef>
#include <string_view>

#include "backend/text/TextContent.h"

namespace limn::sdl {

class TextEditor {
public:
    [[nodiscard]] std::size_t caret() const { return caret_; }
    [[nodiscard]] std::size_t anchor() const { return anchor_; }
    [[nodiscard]] std::size_t selectionBegin() const { return caret_ < anchor_ ? caret_ : anchor_; }
    [[nodiscard]] std::size_t selectionEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
    [[nodiscard]] bool hasSelection() const { return caret_ != anchor_; }

    // Puts the caret at `index`; `extend` keeps the anchor (a shift-selection).
    void moveTo(std::size_t index, bool extend, std::size_t size);
    void select(std::size_t anchor, std::size_t caret, std::size_t size);
    // Keeps both ends within a text of `size` characters.
    void clamp(std::size_t size);

    // One character left or right; without `extend` a selection collapses to
    // its near end instead.
    void left(bool extend);
    void right(bool extend, std::size_t size);

    bool insert(TextContent& text, std::u32string_view typed, const TextStyle& typing);
    bool backspace(TextContent& text);
    bool deleteForward(TextContent& text);
    // Removes the selection; false when there is none.
    bool eraseSelection(TextContent& text);

private:
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
};

}  // namespace limn::sdl
