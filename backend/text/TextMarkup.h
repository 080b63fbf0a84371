#pragma once
// The small markup of htmlText.
//
// Read: <b>, <i>, <u>, <font face= size= color=>, <p align=>, <br>,
// <a href= target=>, <li> (a bulleted paragraph) and <textformat leftmargin=
// rightmargin= indent= blockindent= leading=>; tag and attribute names in any
// case. Sizes may be relative ("+2"); colours are "#RRGGBB" or "0xRRGGBB".
// Entities: &lt; &gt; &amp; &quot; &apos; &nbsp; and numeric ones, in text
// and in attribute values. Any other tag is dropped with its content kept; a
// "<" that opens no tag stays text.
//
// Bounded: tags nested more than 100 deep are dropped (their content kept,
// their closing tags matched and dropped too); a face name, link or target
// longer than 1,024 bytes is ignored. Reading costs time and memory in
// proportion to the markup.
//
// Written: one <P ALIGN="..."> per paragraph holding <FONT> runs with <B>,
// <I>, <U> and <A> inside, with <, >, & and " escaped.

#include <string>
#include <string_view>

#include "backend/text/TextContent.h"

namespace limn::sdl {

class TextMarkup {
public:
    // Replaces `out`'s text with the markup's, formatted from `base`.
    static void read(std::string_view html, const TextStyle& base, TextContent& out);
    [[nodiscard]] static std::string write(const TextContent& content, const TextStyle& fallback);
    [[nodiscard]] static std::string escape(std::string_view text);
};

}  // namespace limn::sdl
