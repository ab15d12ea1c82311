// The texts of the companion panels: what is read from the caller's
// length-prefixed strings and information lines, and the processor rows.

#include "PanelText.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvex::test {
namespace {

// A buffer exactly as long as the length byte says, with no zero after it:
// reading one byte too far is an error the sanitizers report.
std::vector<unsigned char> Prefixed(const std::string& text) {
    std::vector<unsigned char> bytes(text.size() + 1);
    bytes[0] = static_cast<unsigned char>(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) bytes[i + 1] = static_cast<unsigned char>(text[i]);
    return bytes;
}

TEST(PanelText, PrefixedStringsAreReadByTheirLengthByteOnly) {
    EXPECT_EQ(PrefixedText(nullptr), "");
    EXPECT_EQ(PrefixedText(Prefixed("").data()), "");
    EXPECT_EQ(PrefixedText(Prefixed("corvex").data()), "corvex");

    // The length byte is unsigned: 255 characters, not a negative count.
    const std::string longest(255, 'v');
    EXPECT_EQ(PrefixedText(Prefixed(longest).data()), longest);

    // Bytes past the length are not part of the text; a zero inside it is.
    std::vector<unsigned char> padded = Prefixed("0.5.3 build:1");
    padded[0] = 5;
    EXPECT_EQ(PrefixedText(padded.data()), "0.5.3");
    const std::vector<unsigned char> withZero{3, 'a', 0, 'b'};
    EXPECT_EQ(PrefixedText(withZero.data()), std::string("a\0b", 3));
}

TEST(PanelText, EveryKindOfLineEndBecomesCarriageReturnLineFeed) {
    EXPECT_EQ(InfoLinesText(nullptr), "");
    EXPECT_EQ(InfoLinesText(""), "");
    EXPECT_EQ(InfoLinesText("one line"), "one line");
    EXPECT_EQ(InfoLinesText("first\r\nsecond"), "first\r\nsecond");
    EXPECT_EQ(InfoLinesText("first\nsecond\rthird"), "first\r\nsecond\r\nthird");
    // An empty line between, and line ends at either end, stay lines.
    EXPECT_EQ(InfoLinesText("a\n\r\nb"), "a\r\n\r\nb");
    EXPECT_EQ(InfoLinesText("\r\rz\n"), "\r\n\r\nz\r\n");
    EXPECT_EQ(InfoLinesText("\n\r"), "\r\n\r\n");
}

TEST(PanelText, BlanksCollapse) {
    EXPECT_EQ(CollapseBlanks(""), "");
    EXPECT_EQ(CollapseBlanks("   "), "");
    EXPECT_EQ(CollapseBlanks("Intel Pentium "), "Intel Pentium");
    EXPECT_EQ(CollapseBlanks("  Intel  486 "), "Intel 486");
}

_cpufacts PentiumIII() {
    _cpufacts facts;
    facts.name = "Intel Pentium III";
    facts.description = "Unknown Type";
    facts.vendor = "GenuineIntel";
    facts.family = 6;
    facts.model = 8;
    facts.stepping = 10;
    facts.processors = 2;
    facts.hasCpuid = facts.fpu = facts.timeStamp = facts.apic = true;
    return facts;
}

TEST(PanelText, ProcessorRowsInOrder) {
    const std::vector<_panelrow> rows = CpuPanelRows(PentiumIII());
    const std::vector<_panelrow> expected = {
        {"Processor:", "Intel Pentium III"},
        {"Kind:", "Unknown Type"},
        {"Vendor:", "GenuineIntel"},
        {"Signature:", "family 6, model 8, stepping 10"},
        {"Processors:", "2"},
        {"Features:", "FPU, time-stamp counter, APIC"},
    };
    EXPECT_EQ(rows, expected);
}

TEST(PanelText, ProcessorRowsOfPartsTheIdentificationDoesNotName) {
    // Other vendors get no words from the identification, only the blanks
    // between them: the kind stands in for the name.
    _cpufacts other = PentiumIII();
    other.name = "  ";
    other.description = "Intel Pentium Pro";
    other.vendor = std::string("Authentic\0\0\0", 12);
    other.fpu = other.apic = false;
    const std::vector<_panelrow> rows = CpuPanelRows(other);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].second, "Intel Pentium Pro");
    EXPECT_EQ(rows[2].second, "Authentic");
    EXPECT_EQ(rows[5].second, "time-stamp counter");

    _cpufacts bare = PentiumIII();
    bare.fpu = bare.timeStamp = bare.apic = false;
    EXPECT_EQ(CpuPanelRows(bare)[5].second, "none");

    // Without CPUID there are no signature and no feature words at all.
    _cpufacts old;
    old.description = "80486 Processor";
    old.vendor = "Unknown Vendor";
    old.processors = 1;
    const std::vector<_panelrow> oldRows = CpuPanelRows(old);
    EXPECT_EQ(oldRows[0].second, "80486 Processor");
    EXPECT_EQ(oldRows[3].second, "none");
    EXPECT_EQ(oldRows[4].second, "1");
    EXPECT_EQ(oldRows[5].second, "no CPUID");
}

}  // namespace
}  // namespace corvex::test
