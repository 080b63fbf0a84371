#include "backend/text/TextPatch.h"

#include <algorithm>
#include <cmath>

#include "runtime/Object.h"

namespace limn::sdl {

namespace {

std::optional<double> number(const rt::Dynamic& v, double low, double high) {
    if (v.isNull()) return std::nullopt;
    const double d = v.asFloat();
    if (!std::isfinite(d)) return std::nullopt;
    return std::clamp(d, low, high);
}

std::optional<bool> flag(const rt::Dynamic& v) {
    if (v.isNull()) return std::nullopt;
    return v.asBool();
}

std::optional<std::string> text(const rt::Dynamic& v) {
    if (v.isNull()) return std::nullopt;
    return v.asString();
}

}  // namespace

std::optional<std::uint32_t> TextPatch::rgbOf(const rt::Dynamic& v) {
    if (v.isNull()) return std::nullopt;
    const double d = v.asFloat();
    if (!std::isfinite(d) || std::fabs(d) > 1e15) return std::nullopt;
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(d)) & 0xFFFFFF;
}

TextPatch TextPatch::fromRecord(const rt::Dynamic& record) {
    TextPatch p;
    rt::ObjectPtr o = record.asObject();
    if (!o) return p;
    static const rt::Name kFont("font"), kSize("size"), kColor("color"), kBold("bold"),
        kItalic("italic"), kUnderline("underline"), kUrl("url"), kTarget("target"), kAlign("align"),
        kLeftMargin("leftMargin"), kRightMargin("rightMargin"), kIndent("indent"),
        kLeading("leading"), kBlockIndent("blockIndent"), kBullet("bullet"), kKerning("kerning"),
        kLetterSpacing("letterSpacing");
    p.font = text(o->get(kFont));
    p.size = number(o->get(kSize), 1, 2000);
    p.color = rgbOf(o->get(kColor));
    p.bold = flag(o->get(kBold));
    p.italic = flag(o->get(kItalic));
    p.underline = flag(o->get(kUnderline));
    p.url = text(o->get(kUrl));
    p.target = text(o->get(kTarget));
    if (rt::Dynamic a = o->get(kAlign); !a.isNull())
        p.align = TextStyle::alignFromName(a.asString());
    p.leftMargin = number(o->get(kLeftMargin), -10000, 10000);
    p.rightMargin = number(o->get(kRightMargin), -10000, 10000);
    p.indent = number(o->get(kIndent), -10000, 10000);
    p.leading = number(o->get(kLeading), -10000, 10000);
    p.blockIndent = number(o->get(kBlockIndent), -10000, 10000);
    p.bullet = flag(o->get(kBullet));
    p.kerning = flag(o->get(kKerning));
    p.letterSpacing = number(o->get(kLetterSpacing), -1000, 1000);
    return p;
}

void TextPatch::toRecord(const TextStyle& s, const rt::Dynamic& record) {
    rt::ObjectPtr o = record.asObject();
    if (!o) return;
    o->set("font", s.font);
    o->set("size", s.size);
    o->set("color", static_cast<int>(s.color));
    o->set("bold", s.bold);
    o->set("italic", s.italic);
    o->set("underline", s.underline);
    o->set("url", s.url);
    o->set("target", s.target);
    o->set("align", TextStyle::alignName(s.align));
    o->set("leftMargin", s.leftMargin);
    o->set("rightMargin", s.rightMargin);
    o->set("indent", s.indent);
    o->set("leading", s.leading);
    o->set("blockIndent", s.blockIndent);
    o->set("bullet", s.bullet);
    o->set("kerning", s.kerning);
    o->set("letterSpacing", s.letterSpacing);
}

void TextPatch::applyCharacterFormat(TextStyle& s) const {
    if (font) s.font = *font;
    if (size) s.size = *size;
    if (color) s.color = *color;
    if (bold) s.bold = *bold;
    if (italic) s.italic = *italic;
    if (underline) s.underline = *underline;
    if (url) s.url = *url;
    if (target) s.target = *target;
    if (kerning) s.kerning = *kerning;
    if (letterSpacing) s.letterSpacing = *letterSpacing;
}

void TextPatch::applyParagraphFormat(TextStyle& s) const {
    if (align) s.align = *align;
    if (leftMargin) s.leftMargin = *leftMargin;
    if (rightMargin) s.rightMargin = *rightMargin;
    if (indent) s.indent = *indent;
    if (blockIndent) s.blockIndent = *blockIndent;
    if (leading) s.leading = *leading;
    if (bullet) s.bullet = *bullet;
}

bool TextPatch::hasParagraphFormat() const {
    return align || leftMargin || rightMargin || indent || blockIndent || leading || bullet;
}

}  // namespace limn::sdl
