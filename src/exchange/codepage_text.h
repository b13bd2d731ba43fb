#pragma once
// Texts of a BIFF5 workbook, which stores them as bytes in the Windows codepage its CODEPAGE
// record names (936 for a Chinese Excel), turned into UTF-8 through the C library's iconv.

#include <cstdint>
#include <span>
#include <string>

namespace q36::exchange {

class CodepageText {
  public:
    // A converter from the codepage; one the system cannot convert keeps ASCII bytes only.
    explicit CodepageText(uint16_t codepage);
    ~CodepageText();
    CodepageText(const CodepageText&) = delete;
    CodepageText& operator=(const CodepageText&) = delete;

    // The bytes as UTF-8; each byte the codepage does not map becomes U+FFFD.
    std::string Decode(std::span<const uint8_t> bytes);

  private:
    void* converter_;  // an iconv_t, or (iconv_t)-1
};

}  // namespace q36::exchange
