#pragma once
// The fuzz targets, each one input at a time. libFuzzer drives them in the fuzz build; the
// replay test runs their committed corpora (and every finding kept there) in the normal suite.
// Each returns 0, and aborts when the code under test breaks a rule it must keep.

#include <cstddef>
#include <cstdint>

namespace q36::fuzz {

// Deliveries from the line into a transfer in any of its states (read or write, with or without
// scan lists). Input: a scenario byte, the number of radio answers that bring the transfer to
// its state, a byte of store failures, then deliveries, each a length byte and that many bytes
// (length 0: the response timer fires instead).
int TransferOneInput(const uint8_t* data, size_t size);

// A file handed to the workbook reader as .xlsx (its first bytes made the zip signature) or as
// .xls (the compound-file signature).
int XlsxOneInput(const uint8_t* data, size_t size);
int XlsOneInput(const uint8_t* data, size_t size);

// Frequency and number texts through the codec's parsers and block encoders. Input: a selector
// byte, then texts separated by 0x1F.
int CodecTextOneInput(const uint8_t* data, size_t size);

// A CHIRP CSV file through the import over 24 enabled channels, and back through the export.
int ChirpCsvOneInput(const uint8_t* data, size_t size);

// Aborts with the rule that was broken.
[[noreturn]] void Broken(const char* rule);
inline void Require(bool holds, const char* rule) {
    if (!holds) Broken(rule);
}

}  // namespace q36::fuzz
