#include <gtest/gtest.h>

#include "codec/frequency.h"
#include "store/field_value.h"

namespace q36 {
namespace {

struct ReadCase {
    ColumnKind kind;
    FieldValue stored;
    const char* text;
};

TEST(FieldValue, ReadsEachKindInItsTextForm) {
    const ReadCase cases[] = {
        {ColumnKind::Floating, 400.0, "400"},
        {ColumnKind::Floating, 435.0125, "435.0125"},
        {ColumnKind::Floating, 136.0125, "136.0125"},
        {ColumnKind::Floating, -0.5, "-0.5"},
        {ColumnKind::Floating, 0.0000001, "1e-07"},
        {ColumnKind::Floating, 1e20, "1e+20"},
        {ColumnKind::Floating, std::monostate{}, ""},
        {ColumnKind::Boolean, 1LL, "True"},
        {ColumnKind::Boolean, 0LL, "False"},
        {ColumnKind::Boolean, std::monostate{}, ""},
        {ColumnKind::Text, 4LL, "4"},
        {ColumnKind::Text, std::string("高"), "高"},
        {ColumnKind::Text, std::monostate{}, ""},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(FieldValueText(c.kind, c.stored), c.text) << c.text;
    }
}

struct WriteCase {
    ColumnKind kind;
    const char* text;
    bool accepted;
    FieldValue stored;
};

TEST(FieldValue, TakesOnlyTextsTheColumnCanHold) {
    const WriteCase cases[] = {
        {ColumnKind::Floating, "400", true, 400.0},
        {ColumnKind::Floating, " 435.0125 ", true, 435.0125},
        {ColumnKind::Floating, "4.4E2", true, 440.0},
        {ColumnKind::Floating, "", true, std::monostate{}},
        {ColumnKind::Floating, "abc", false, {}},
        {ColumnKind::Floating, "1,5", false, {}},
        {ColumnKind::Floating, "400MHz", false, {}},
        {ColumnKind::Floating, "nan", false, {}},
        {ColumnKind::Floating, "1e999", false, {}},
        {ColumnKind::Boolean, "True", true, 1LL},
        {ColumnKind::Boolean, "TRUE", true, 1LL},
        {ColumnKind::Boolean, "1", true, 1LL},
        {ColumnKind::Boolean, "False", true, 0LL},
        {ColumnKind::Boolean, "0", true, 0LL},
        {ColumnKind::Boolean, "", true, std::monostate{}},
        {ColumnKind::Boolean, "yes", false, {}},
        {ColumnKind::Boolean, "2", false, {}},
        {ColumnKind::Text, "", true, std::monostate{}},
        {ColumnKind::Text, "CH01", true, std::string("CH01")},
    };
    for (const WriteCase& c : cases) {
        FieldValue out = std::string("untouched");
        const StoreResult result = FieldValueFromText(c.kind, c.text, out);
        EXPECT_EQ(result.ok(), c.accepted) << c.text;
        if (c.accepted) {
            EXPECT_EQ(out, c.stored) << c.text;
        } else {
            EXPECT_EQ(result.code, StoreErrc::Conversion) << c.text;
            EXPECT_NE(result.detail.find(c.text), std::string::npos) << result.detail;
            EXPECT_EQ(out, FieldValue(std::string("untouched"))) << c.text;
        }
    }
}

TEST(FieldValue, ReadsIntegersFromTextsAndNumbers) {
    int out = -1;
    EXPECT_TRUE(FieldValueInteger(std::string("4"), out).ok());
    EXPECT_EQ(out, 4);
    EXPECT_TRUE(FieldValueInteger(std::monostate{}, out).ok());
    EXPECT_EQ(out, 0);
    EXPECT_TRUE(FieldValueInteger(3.6, out).ok());
    EXPECT_EQ(out, 4);
    out = 7;
    EXPECT_EQ(FieldValueInteger(std::string("abc"), out).code, StoreErrc::Conversion);
    EXPECT_EQ(FieldValueInteger(std::string("99999999999"), out).code, StoreErrc::Conversion);
    EXPECT_EQ(FieldValueInteger(1e12, out).code, StoreErrc::Conversion);
    EXPECT_EQ(out, 7);
}

// Every frequency the radio can hold survives being stored as a floating number and read back as
// text: the text converts to exactly the same count of 125 Hz units.
TEST(FieldValue, StoredFrequenciesKeepTheirExactUnits) {
    for (uint32_t units = 0; units < (1u << 24); units += 977) {
        const std::string decoded = FrequencyTextFromUnits(units);
        FieldValue stored;
        ASSERT_TRUE(FieldValueFromText(ColumnKind::Floating, decoded, stored).ok()) << decoded;
        const std::string shown = FieldValueText(ColumnKind::Floating, stored);
        const auto parsed = ParseDecimalText(shown);
        ASSERT_TRUE(parsed.has_value()) << shown;
        ASSERT_EQ(FrequencyUnitsLow24(*parsed), units) << decoded << " read back as " << shown;
    }
}

}  // namespace
}  // namespace q36
