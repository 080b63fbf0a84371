#include "framework/text/TextFormat.h"

namespace limn::text {

const rt::ClassInfo& TextFormat::staticClass() {
    static const rt::ClassInfo info =
        rt::ClassInfo("limn.text.TextFormat", &rt::Object::staticClass())
            .field<&TextFormat::font>("font")
            .field<&TextFormat::size>("size")
            .field<&TextFormat::color>("color")
            .field<&TextFormat::bold>("bold")
            .field<&TextFormat::italic>("italic")
            .field<&TextFormat::underline>("underline")
            .field<&TextFormat::url>("url")
            .field<&TextFormat::target>("target")
            .field<&TextFormat::align>("align")
            .field<&TextFormat::leftMargin>("leftMargin")
            .field<&TextFormat::rightMargin>("rightMargin")
            .field<&TextFormat::indent>("indent")
            .field<&TextFormat::leading>("leading")
            .field<&TextFormat::blockIndent>("blockIndent")
            .field<&TextFormat::bullet>("bullet")
            .field<&TextFormat::display>("display")
            .field<&TextFormat::kerning>("kerning")
            .field<&TextFormat::letterSpacing>("letterSpacing")
            .field<&TextFormat::tabStops>("tabStops");
    return info;
}

namespace {

template <class T>
rt::Dynamic orNull(const std::optional<T>& value) {
    return value ? rt::Dynamic(*value) : rt::Dynamic();
}

}  // namespace

std::shared_ptr<TextFormat> TextFormat::make(const Options& o) {
    auto format =
        std::make_shared<TextFormat>(orNull(o.font), orNull(o.size), orNull(o.color),
                                     orNull(o.bold), orNull(o.italic), orNull(o.underline));
    format->align = orNull(o.align);
    format->leftMargin = orNull(o.leftMargin);
    format->rightMargin = orNull(o.rightMargin);
    format->indent = orNull(o.indent);
    format->leading = orNull(o.leading);
    format->letterSpacing = orNull(o.letterSpacing);
    return format;
}

TextFormat::TextFormat(rt::Dynamic font, rt::Dynamic size, rt::Dynamic color, rt::Dynamic bold,
                       rt::Dynamic italic, rt::Dynamic underline, rt::Dynamic url,
                       rt::Dynamic target, rt::Dynamic align, rt::Dynamic leftMargin,
                       rt::Dynamic rightMargin, rt::Dynamic indent, rt::Dynamic leading)
    : font(std::move(font)),
      size(std::move(size)),
      color(std::move(color)),
      bold(std::move(bold)),
      italic(std::move(italic)),
      underline(std::move(underline)),
      url(std::move(url)),
      target(std::move(target)),
      align(std::move(align)),
      leftMargin(std::move(leftMargin)),
      rightMargin(std::move(rightMargin)),
      indent(std::move(indent)),
      leading(std::move(leading)) {}

}  // namespace limn::text
