#include "backend/text/TextMarkup.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <vector>

namespace limn::sdl {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// What markup may make the reader hold: tags nested deeper are dropped with
// their closing tags, longer face names, links and targets are ignored.
constexpr std::size_t kMaxDepth = 100;
constexpr std::size_t kMaxName = 1024;
// An entity and its ";" are looked for this many bytes after the "&".
constexpr std::size_t kMaxEntity = 10;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The character an entity names (text after '&' up to ';'), or 0.
char32_t entity(std::string_view name) {
    if (name == "lt") return U'<';
    if (name == "gt") return U'>';
    if (name == "amp") return U'&';
    if (name == "quot") return U'"';
    if (name == "apos") return U'\'';
    if (name == "nbsp") return 0xA0;
    if (name.size() >= 2 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        std::string_view digits = name.substr(hex ? 2 : 1);
        unsigned long value = 0;
        auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
        if (error != std::errc() || end != digits.data() + digits.size() || value == 0 ||
            value > 0x10FFFF || (value >= 0xD800 && value < 0xE000)) {
            return 0;
        }
        return static_cast<char32_t>(value);
    }
    return 0;
}

// Attribute values with their entities replaced, as the writer escapes them.
std::string unescaped(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '&') {
            const std::size_t semi = value.substr(i + 1, kMaxEntity).find(';');
            if (semi != std::string_view::npos) {
                if (char32_t ch = entity(value.substr(i + 1, semi))) {
                    out += TextContent::toUtf8(std::u32string_view(&ch, 1));
                    i += semi + 1;
                    continue;
                }
            }
        }
        out += value[i];
    }
    return out;
}

struct Tag {
    std::string name;  // lower case
    bool closing = false;
    std::map<std::string, std::string> attributes;  // names lower case
};

// Parses the inside of "<...>"; false when it isn't a tag.
bool parseTag(std::string_view inside, Tag& tag) {
    std::size_t i = 0;
    if (i < inside.size() && inside[i] == '/') {
        tag.closing = true;
        ++i;
    }
    const std::size_t nameStart = i;
    while (i < inside.size() && (std::isalnum(static_cast<unsigned char>(inside[i])))) ++i;
    if (i == nameStart) return false;
    tag.name = lower(inside.substr(nameStart, i - nameStart));
    while (i < inside.size()) {
        while (i < inside.size() && (isSpace(inside[i]) || inside[i] == '/')) ++i;
        const std::size_t keyStart = i;
        while (i < inside.size() && !isSpace(inside[i]) && inside[i] != '=' && inside[i] != '/')
            ++i;
        if (i == keyStart) break;
        std::string key = lower(inside.substr(keyStart, i - keyStart));
        while (i < inside.size() && isSpace(inside[i])) ++i;
        std::string value;
        if (i < inside.size() && inside[i] == '=') {
            ++i;
            while (i < inside.size() && isSpace(inside[i])) ++i;
            if (i < inside.size() && (inside[i] == '"' || inside[i] == '\'')) {
                const char quote = inside[i++];
                const std::size_t end = inside.find(quote, i);
                const std::size_t stop = end == std::string_view::npos ? inside.size() : end;
                value = unescaped(inside.substr(i, stop - i));
                i = stop + 1;
            } else {
                const std::size_t valueStart = i;
                while (i < inside.size() && !isSpace(inside[i])) ++i;
                value = unescaped(inside.substr(valueStart, i - valueStart));
            }
        }
        tag.attributes[key] = value;
    }
    return true;
}

std::optional<std::uint32_t> parseColour(std::string_view text) {
    if (text.starts_with("#")) {
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
    }
    std::uint32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    return value & 0xFFFFFF;
}

// std::from_chars for a double. The page's C++ library has none for floating
// point: there strtod reads a copy cut where from_chars stops (at a hexadecimal
// prefix's 'x'), and refuses what from_chars refuses (a sign '+', spaces, a
// number out of range).
std::from_chars_result readDouble(const char* first, const char* last, double& value) {
#if defined(__EMSCRIPTEN__)
    std::string copy(first, last);
    copy.resize(std::min(copy.size(), copy.find_first_of("xX")));
    if (copy.empty() || copy[0] == '+' || isSpace(copy[0])) {
        return {first, std::errc::invalid_argument};
    }
    char* end = nullptr;
    errno = 0;
    const double read = std::strtod(copy.c_str(), &end);
    if (end == copy.c_str()) return {first, std::errc::invalid_argument};
    if (errno == ERANGE) return {first + (end - copy.c_str()), std::errc::result_out_of_range};
    value = read;
    return {first + (end - copy.c_str()), std::errc()};
#else
    return std::from_chars(first, last, value);
#endif
}

std::optional<double> parseNumber(std::string_view text) {
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    if (text.starts_with("+")) text.remove_prefix(1);
    double value = 0;
    auto [end, error] = readDouble(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() || !std::isfinite(value)) return std::nullopt;
    return value;
}

class Reader {
public:
    Reader(const TextStyle& base, TextContent& out) : out_(out) {
        styles_.push_back(base);
        out_.assign({}, base);
    }

    void run(std::string_view html) {
        std::u32string pendingText;
        std::size_t i = 0;
        while (i < html.size()) {
            const char c = html[i];
            if (c == '<') {
                const std::size_t close = closeAfter(html, i);
                Tag tag;
                if (close != std::string_view::npos &&
                    parseTag(html.substr(i + 1, close - i - 1), tag)) {
                    flush(pendingText);
                    apply(tag);
                    i = close + 1;
                    continue;
                }
            } else if (c == '&') {
                const std::size_t semi = html.substr(i + 1, kMaxEntity).find(';');
                if (semi != std::string_view::npos) {
                    if (char32_t ch = entity(html.substr(i + 1, semi))) {
                        pendingText += ch;
                        i += semi + 2;
                        continue;
                    }
                }
            }
            const std::size_t next = html.find_first_of("<&", i + 1);
            const std::size_t stop = next == std::string_view::npos ? html.size() : next;
            pendingText += TextContent::fromUtf8(html.substr(i, stop - i));
            i = stop;
        }
        flush(pendingText);
    }

private:
    // The first '>' after position `open`. Remembered, so that text full of
    // '<' is not searched again for every one of them.
    std::size_t closeAfter(std::string_view html, std::size_t open) {
        if (open < close_) return close_;
        close_ = html.find('>', open + 1);
        return close_;
    }

    void flush(std::u32string& text) {
        if (text.empty()) return;
        breakIfPending();
        out_.append(text, styles_.back());
        text.clear();
    }

    void breakIfPending() {
        if (pendingBreak_) out_.append(U"\n", paragraphBreakStyle_);
        pendingBreak_ = false;
    }

    void newParagraph() {
        if (!out_.empty() && out_.text().back() != U'\n') {
            pendingBreak_ = true;
            paragraphBreakStyle_ = out_.styleAt(out_.size() - 1, styles_.back());
        }
        breakIfPending();
    }

    void push(TextStyle style, const std::string& name) {
        styles_.push_back(std::move(style));
        names_.push_back(name);
    }

    void pop(const std::string& name) {
        if (auto it = dropped_.find(name); it != dropped_.end() && it->second > 0) {
            --it->second;
            return;
        }
        for (std::size_t k = names_.size(); k-- > 0;) {
            if (names_[k] == name) {
                styles_.resize(k + 1);
                names_.resize(k);
                return;
            }
        }
    }

    void apply(const Tag& tag) {
        const std::string& n = tag.name;
        if (n == "br") {
            breakIfPending();
            out_.append(U"\n", styles_.back());
            return;
        }
        if (!tag.closing && names_.size() >= kMaxDepth) {
            if (opensLevel(n)) ++dropped_[n];
            return;
        }
        if (tag.closing) {
            if (n == "p" || n == "li") {
                // An empty first paragraph is a paragraph too: it keeps its line.
                pendingBreak_ =
                    !out_.empty() || std::find(names_.begin(), names_.end(), n) != names_.end();
                paragraphBreakStyle_ = styles_.back();
            }
            pop(n);
            return;
        }
        TextStyle style = styles_.back();
        if (n == "b") {
            style.bold = true;
        } else if (n == "i") {
            style.italic = true;
        } else if (n == "u") {
            style.underline = true;
        } else if (n == "font") {
            font(tag, style);
        } else if (n == "a") {
            if (auto it = tag.attributes.find("href"); it != tag.attributes.end())
                bounded(it->second, style.url);
            if (auto it = tag.attributes.find("target"); it != tag.attributes.end())
                bounded(it->second, style.target);
        } else if (n == "p" || n == "li") {
            newParagraph();
            if (auto it = tag.attributes.find("align"); it != tag.attributes.end()) {
                style.align = TextStyle::alignFromName(it->second);
            }
            if (n == "li") style.bullet = true;
        } else if (n == "textformat") {
            textFormat(tag, style);
        } else {
            return;  // unknown tags leave the format alone
        }
        push(std::move(style), n);
    }

    static bool opensLevel(const std::string& n) {
        return n == "b" || n == "i" || n == "u" || n == "font" || n == "a" || n == "p" ||
               n == "li" || n == "textformat";
    }

    static void bounded(const std::string& value, std::string& into) {
        if (value.size() <= kMaxName) into = value;
    }

    static void font(const Tag& tag, TextStyle& style) {
        if (auto it = tag.attributes.find("face"); it != tag.attributes.end())
            bounded(it->second, style.font);
        if (auto it = tag.attributes.find("color"); it != tag.attributes.end()) {
            if (auto c = parseColour(it->second)) style.color = *c;
        }
        if (auto it = tag.attributes.find("size"); it != tag.attributes.end()) {
            const bool relative =
                !it->second.empty() && (it->second[0] == '+' || it->second[0] == '-');
            if (auto v = parseNumber(it->second)) {
                style.size = std::clamp(relative ? style.size + *v : *v, 1.0, 2000.0);
            }
        }
        if (auto it = tag.attributes.find("letterspacing"); it != tag.attributes.end()) {
            if (auto v = parseNumber(it->second))
                style.letterSpacing = std::clamp(*v, -1000.0, 1000.0);
        }
        if (auto it = tag.attributes.find("kerning"); it != tag.attributes.end()) {
            style.kerning = it->second != "0" && lower(it->second) != "false";
        }
    }

    static void textFormat(const Tag& tag, TextStyle& style) {
        const std::pair<const char*, double TextStyle::*> fields[] = {
            {"leftmargin", &TextStyle::leftMargin},
            {"rightmargin", &TextStyle::rightMargin},
            {"indent", &TextStyle::indent},
            {"blockindent", &TextStyle::blockIndent},
            {"leading", &TextStyle::leading}};
        for (const auto& [name, member] : fields) {
            if (auto it = tag.attributes.find(name); it != tag.attributes.end()) {
                if (auto v = parseNumber(it->second))
                    style.*member = std::clamp(*v, -10000.0, 10000.0);
            }
        }
    }

    TextContent& out_;
    std::vector<TextStyle> styles_;
    std::vector<std::string> names_;
    std::map<std::string, std::size_t> dropped_;  // open tags past kMaxDepth, by name
    std::size_t close_ = 0;
    bool pendingBreak_ = false;
    TextStyle paragraphBreakStyle_;
};

std::string number(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", v);
    return buffer;
}

std::string upperAlign(TextAlign align) {
    std::string s = TextStyle::alignName(align);
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string run(const TextStyle& s, std::u32string_view text) {
    char colour[8];
    std::snprintf(colour, sizeof colour, "#%06X", s.color & 0xFFFFFF);
    std::string out = "<FONT FACE=\"" + TextMarkup::escape(s.font) + "\" SIZE=\"" + number(s.size) +
                      "\" COLOR=\"" + colour + "\" LETTERSPACING=\"" + number(s.letterSpacing) +
                      "\" KERNING=\"" + (s.kerning ? "1" : "0") + "\">";
    std::string open;
    std::string close;
    if (!s.url.empty()) {
        open += "<A HREF=\"" + TextMarkup::escape(s.url) + "\" TARGET=\"" +
                TextMarkup::escape(s.target) + "\">";
        close = "</A>" + close;
    }
    if (s.bold) {
        open += "<B>";
        close = "</B>" + close;
    }
    if (s.italic) {
        open += "<I>";
        close = "</I>" + close;
    }
    if (s.underline) {
        open += "<U>";
        close = "</U>" + close;
    }
    return out + open + TextMarkup::escape(TextContent::toUtf8(text)) + close + "</FONT>";
}

}  // namespace

void TextMarkup::read(std::string_view html, const TextStyle& base, TextContent& out) {
    Reader(base, out).run(html);
}

std::string TextMarkup::escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string TextMarkup::write(const TextContent& content, const TextStyle& fallback) {
    std::string out;
    for (const TextContent::Paragraph& p : content.paragraphs()) {
        const TextStyle& para = content.styleAt(p.begin, fallback);
        out += "<P ALIGN=\"" + upperAlign(para.align) + "\">";
        if (p.begin == p.end) out += run(para, {});
        for (std::size_t a = p.begin; a < p.end;) {
            const std::size_t b = content.runEnd(a, p.end);
            out += run(content.styleAt(a, fallback),
                       std::u32string_view(content.text()).substr(a, b - a));
            a = b;
        }
        out += "</P>";
    }
    return out;
}

}  // namespace limn::sdl
