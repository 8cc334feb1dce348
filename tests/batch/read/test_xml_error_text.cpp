// SPDX-License-Identifier: GPL-3.0-or-later
// Every reason expat can give for malformed XML reaches the user in Italian.
#include "batch/read/xml_error_text.h"

#include <expat.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

namespace zelva::batch {
namespace {

// The last code of expat 2.5; every code up to it has a text of this program's.
constexpr int kLastKnown = XML_ERROR_AMPLIFICATION_LIMIT_BREACH;

TEST(XmlErrorText, EveryCodeHasItsOwnItalianText)
{
    std::map<std::string, int> seen;  // a copied line would give two codes one text
    for (int code = XML_ERROR_NO_MEMORY; code <= kLastKnown; ++code) {
        SCOPED_TRACE("code " + std::to_string(code));
        const std::string_view italian = xmlErrorText(code);
        const XML_LChar* const english = XML_ErrorString(static_cast<XML_Error>(code));
        ASSERT_NE(english, nullptr);
        EXPECT_FALSE(italian.empty());
        EXPECT_NE(italian, std::string_view(english));
        const auto [earlier, added] = seen.emplace(italian, code);
        EXPECT_TRUE(added) << "same text as code " << earlier->second << ": " << italian;
    }
}

TEST(XmlErrorText, TheCommonFaultsOfATrackFile)
{
    // The reasons a cut or hand-edited track gets, each by its code's name.
    EXPECT_EQ(xmlErrorText(XML_ERROR_TAG_MISMATCH), "tag di chiusura non corrispondente");
    EXPECT_EQ(xmlErrorText(XML_ERROR_INVALID_TOKEN), "non ben formato (simbolo non valido)");
    EXPECT_EQ(xmlErrorText(XML_ERROR_NO_ELEMENTS), "nessun elemento trovato");
    EXPECT_EQ(xmlErrorText(XML_ERROR_JUNK_AFTER_DOC_ELEMENT), "contenuto dopo la fine del documento");
    EXPECT_EQ(xmlErrorText(XML_ERROR_UNKNOWN_ENCODING), "codifica sconosciuta");
}

TEST(XmlErrorText, ACodeBeyondTheKnownOnesStillHasAReason)
{
    // A later expat's code gets expat's own words; one that expat does not
    // know either still gets a reason, never an empty message.
    const int next = kLastKnown + 1;
    const XML_LChar* const english = XML_ErrorString(static_cast<XML_Error>(next));
    const std::string_view text = xmlErrorText(next);
    EXPECT_FALSE(text.empty());
    if (english) {
        EXPECT_EQ(text, std::string_view(english));
    }
}

} // namespace
} // namespace zelva::batch
