#include "xml_part.h"

#include <algorithm>

#include "read_limits.h"
#include "text_forms.h"

namespace q36::exchange {

namespace {

// What one element and one attribute of a parsed tree take, rounded up.
constexpr std::size_t kElementBytes = 64;
constexpr std::size_t kAttributeBytes = 48;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

ExchangeStatus ParseXmlPart(const std::string& name, std::string& text, pugi::xml_document& doc) {
    // Every element starts with '<' and every attribute holds a '=': their counts bound the tree.
    const auto elements = static_cast<std::size_t>(std::count(text.begin(), text.end(), '<'));
    const auto attributes = static_cast<std::size_t>(std::count(text.begin(), text.end(), '='));
    if (elements * kElementBytes + attributes * kAttributeBytes > MAX_XML_TREE_BYTES) {
        return ExchangeStatus::Error(ExchangeError::TooLarge, name + ": too many elements");
    }
    // A text element holding only blanks keeps them; its content is stored in the element.
    const unsigned options =
        pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_embed_pcdata;
    const pugi::xml_parse_result result =
        doc.load_buffer_inplace(text.data(), text.size(), options, pugi::encoding_auto);
    if (!result) {
        return ExchangeStatus::Error(
            ExchangeError::Damaged,
            name + ": " + result.description() + " at offset " + std::to_string(result.offset));
    }
    return ExchangeStatus::Ok();
}

std::string_view LocalName(const char* name) {
    std::string_view view(name);
    const auto colon = view.find(':');
    return colon == std::string_view::npos ? view : view.substr(colon + 1);
}

pugi::xml_node FirstChild(pugi::xml_node parent, std::string_view localName) {
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && LocalName(child.name()) == localName) {
            return child;
        }
    }
    return {};
}

pugi::xml_node NextSibling(pugi::xml_node node, std::string_view localName) {
    for (pugi::xml_node next = node.next_sibling(); next; next = next.next_sibling()) {
        if (next.type() == pugi::node_element && LocalName(next.name()) == localName) return next;
    }
    return {};
}

pugi::xml_attribute AttributeOf(pugi::xml_node node, std::string_view localName) {
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        if (LocalName(a.name()) == localName) return a;
    }
    return {};
}

namespace {

bool IsEscapeAt(std::string_view text, std::size_t i) {
    if (i + 7 > text.size() || text[i] != '_' || text[i + 1] != 'x' || text[i + 6] != '_') {
        return false;
    }
    for (std::size_t k = 2; k < 6; ++k) {
        if (HexValue(text[i + k]) < 0) return false;
    }
    return true;
}

}  // namespace

std::string EscapeOoxmlUnderscores(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsEscapeAt(text, i)) out += "_x005F";
        out.push_back(text[i]);
    }
    return out;
}

std::string UnescapeOoxmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (IsEscapeAt(text, i)) {
            int value = 0;
            for (std::size_t k = 2; k < 6; ++k) value = value * 16 + HexValue(text[i + k]);
            AppendUtf8(out, static_cast<char32_t>(value));
            i += 7;
            continue;
        }
        out.push_back(text[i++]);
    }
    return ValidUtf8(out);
}

}  // namespace q36::exchange
