#include "codepage_text.h"

#include <iconv.h>

#include <cerrno>

#include "text_forms.h"

namespace q36::exchange {

namespace {

const auto kNoConverter = reinterpret_cast<void*>(static_cast<intptr_t>(-1));

// The iconv name of a codepage number as BIFF stores it.
std::string CodepageName(uint16_t codepage) {
    switch (codepage) {
        case 367:
            return "ASCII";
        case 1200:
            return "UTF-16LE";
        case 10000:
        case 32768:  // Apple Roman, as BIFF numbers it
            return "MACINTOSH";
        case 32769:  // Windows 1252, as BIFF numbers it
            return "CP1252";
        default:
            return "CP" + std::to_string(codepage);
    }
}

}  // namespace

CodepageText::CodepageText(uint16_t codepage)
    : converter_(iconv_open("UTF-8", CodepageName(codepage).c_str())) {}

CodepageText::~CodepageText() {
    if (converter_ != kNoConverter) iconv_close(static_cast<iconv_t>(converter_));
}

std::string CodepageText::Decode(std::span<const uint8_t> bytes) {
    std::string out;
    if (converter_ == kNoConverter) {
        for (const uint8_t b : bytes) AppendUtf8(out, b < 0x80 ? b : 0xFFFD);
        return out;
    }
    const auto cd = static_cast<iconv_t>(converter_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    std::size_t inLeft = bytes.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* next = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t done = iconv(cd, &in, &inLeft, &next, &room);
        out.append(buffer, static_cast<std::size_t>(next - buffer));
        if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        // A byte the codepage does not map, or a character cut short at the end.
        AppendUtf8(out, 0xFFFD);
        ++in;
        --inLeft;
    }
    return out;
}

}  // namespace q36::exchange
