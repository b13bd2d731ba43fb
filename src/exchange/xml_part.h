#pragma once
// Parsing the XML parts of an .xlsx package, and finding elements and attributes by their local
// names whatever namespace prefix a writer chose.

#include <pugixml.hpp>

#include <string>
#include <string_view>

#include "exchange_status.h"

namespace q36::exchange {

// Parses text (kept and modified in place: doc refers to it) after estimating the memory its
// tree takes; TooLarge beyond MAX_XML_TREE_BYTES, Damaged for malformed XML.
ExchangeStatus ParseXmlPart(const std::string& name, std::string& text, pugi::xml_document& doc);

// The name without its namespace prefix ("x:sheet" gives "sheet").
std::string_view LocalName(const char* name);

// The first child element with this local name (an empty node when there is none).
pugi::xml_node FirstChild(pugi::xml_node parent, std::string_view localName);

// The next sibling element after node with this local name.
pugi::xml_node NextSibling(pugi::xml_node node, std::string_view localName);

// The attribute with this local name (an empty attribute when there is none).
pugi::xml_attribute AttributeOf(pugi::xml_node node, std::string_view localName);

// A text as Office Open XML stores it, with its _xHHHH_ escapes turned back into characters, and
// every invalid UTF-8 sequence (the XML parser passes them on as they are) replaced by U+FFFD.
std::string UnescapeOoxmlText(std::string_view text);

// Protects a text's own "_xHHHH_" sequences by escaping their underscore (_x005F_), so that a
// reader does not take them for escapes of characters.
std::string EscapeOoxmlUnderscores(std::string_view text);

}  // namespace q36::exchange
