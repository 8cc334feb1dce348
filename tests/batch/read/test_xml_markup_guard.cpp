// SPDX-License-Identifier: GPL-3.0-or-later
// The guard against a plain byte-at-a-time reading of the whole document:
// the same cut and the same message however the bytes are split, right at
// the bounds and with the ends of comments and CDATA cut in two.
#include "batch/read/xml_markup_guard.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zelva::batch {
namespace {

constexpr std::size_t kValue = XmlMarkupGuard::kLongestValue;
constexpr std::size_t kMarkup = XmlMarkupGuard::kLongestMarkup;
constexpr std::string_view kNameOver = "nome di elemento o di attributo oltre 64 KiB";
constexpr std::string_view kValueOver = "valore di attributo oltre 64 KiB";
constexpr std::string_view kMarkupOver = "marcatura oltre 1 MiB (un tag, un commento o una sezione CDATA)";

struct Verdict {
    std::size_t passed;
    std::string refusal;
    bool operator==(const Verdict&) const = default;
};

void PrintTo(const Verdict& v, std::ostream* out) { *out << v.passed << " \"" << v.refusal << '"'; }

// Markup runs from a '<' to the '>' that ends its kind; each byte is judged
// with the document's bytes before it, as far back as that '<'.
Verdict reference(std::string_view doc)
{
    enum { Text, Open, Bang, BangDash, Tag, Quote, Comment, CData, Instruction, Declaration } state = Text;
    std::size_t start = 0, run = 0;
    char quote = 0;
    for (std::size_t i = 0; i < doc.size(); ++i) {
        const char c = doc[i];
        const auto back = [&](std::size_t k) { return i - k > start ? doc[i - k] : '\0'; };
        std::string_view over;
        switch (state) {
        case Text:
            if (c == '<') {
                state = Open;
                start = i;
            }
            continue;
        case Open:
            state = c == '!' ? Bang : c == '?' ? Instruction : Tag;
            run = state == Tag;
            break;
        case Bang: state = c == '-' ? BangDash : c == '[' ? CData : Declaration; break;
        case BangDash: state = Comment; break;
        case Tag:
            if (c == '>')
                state = Text;
            else if (c == '"' || c == '\'')
                state = Quote, quote = c, run = 0;
            else if (std::string_view(" \t\r\n=/").find(c) != std::string_view::npos)
                run = 0;
            else if (++run > kValue)
                over = kNameOver;
            break;
        case Quote:
            if (c == quote)
                state = Tag, run = 0;
            else if (++run > kValue)
                over = kValueOver;
            break;
        case Comment: state = c == '>' && back(1) == '-' && back(2) == '-' ? Text : state; break;
        case CData: state = c == '>' && back(1) == ']' && back(2) == ']' ? Text : state; break;
        case Instruction: state = c == '>' && back(1) == '?' ? Text : state; break;
        case Declaration: state = c == '>' ? Text : state; break;
        }
        if (state != Text && i - start + 1 > kMarkup)
            over = kMarkupOver;
        if (!over.empty())
            return {i, std::string(over)};
    }
    return {doc.size(), ""};
}

// The bytes the guard passes when fed in pieces of `piece` bytes, those from
// `whole` on in one.
Verdict guarded(std::string_view doc, std::size_t piece, std::size_t whole = std::string_view::npos)
{
    XmlMarkupGuard guard;
    std::size_t passed = 0;
    for (std::size_t at = 0; at < doc.size();) {
        const std::string_view bytes = doc.substr(at, at >= whole ? std::string_view::npos : piece);
        const std::size_t n = guard.scan(bytes);
        passed += n;
        if (n != bytes.size()) {
            EXPECT_EQ(guard.scan(doc.substr(at + n)), 0u) << "bytes passed after a refusal";
            break;
        }
        at += bytes.size();
    }
    return {passed, std::string(guard.refusal())};
}

// A start tag up to the opening quote of a value whose first byte is the markup's byte `at` (from 0).
std::string tagToValueAt(std::size_t at, char quote)
{
    std::string t = "<a";
    while (at - t.size() - 4 > kValue)
        t += " b=\"" + std::string(kValue - 10, 'v') + "\"";
    t += std::string(at - t.size() - 4, ' ');
    return t + " z=" + quote;
}

struct Row {
    std::string name;
    std::string doc;
    Verdict expected = {};  // passed is the whole size where there is no refusal
};

std::vector<Row> rows()
{
    const std::string prolog = "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx>\n<gpx a='1' b = \"x>y\">";
    const std::size_t p = prolog.size();
    const std::string value(kValue, 'v');
    const std::string name(kValue, 'n');
    std::string names = "<a";
    while (names.size() <= kMarkup)
        names += " " + std::string(kValue - 1, 'n');
    std::vector<Row> r = {
        {"every_kind", prolog + "t<!-- a - b -- c --->u<!---->" + "<!-->v<![CDATA[ ] ]] ]]]>w<? > ?><?>" + "<!>x><>y></gpx>"},
        {"value_at_bound", prolog + "<a b=\"" + value + "\"/>"},
        {"value_over", prolog + "<a b=\"" + value + "v\"/>", {p + 6 + kValue, std::string(kValueOver)}},
        {"single_quoted_value_over", prolog + "<a b='" + value + "v'/>", {p + 6 + kValue, std::string(kValueOver)}},
        {"name_at_bound", prolog + "<" + name + "/>"},
        {"name_over", prolog + "<" + name + "n/>", {p + 1 + kValue, std::string(kNameOver)}},
        {"attribute_name_over", prolog + "<a " + name + "n='1'/>", {p + 3 + kValue, std::string(kNameOver)}},
        {"comment_at_bound", prolog + "<!--" + std::string(kMarkup - 7, '-') + "-->"},
        {"comment_closed_on_the_byte_over", prolog + "<!--" + std::string(kMarkup - 6, '-') + "-->"},
        {"comment_over", prolog + "<!--" + std::string(kMarkup - 5, '-') + "-->", {p + kMarkup, std::string(kMarkupOver)}},
        {"cdata_over", prolog + "<![CDATA[" + std::string(kMarkup, ']') + "]]>", {p + kMarkup, std::string(kMarkupOver)}},
        {"instruction_over", prolog + "<?pi " + std::string(kMarkup, '?') + "?>", {p + kMarkup, std::string(kMarkupOver)}},
        {"declaration_over", prolog + "<!D" + std::string(kMarkup, 'd') + ">", {p + kMarkup, std::string(kMarkupOver)}},
        {"tag_over_on_its_closing_quote", tagToValueAt(kMarkup - 10, '"') + "0123456789\"/>",
         {kMarkup, std::string(kMarkupOver)}},
        {"tag_over_in_names", names + "/>", {kMarkup, std::string(kMarkupOver)}},
        {"value_and_markup_over_at_once", tagToValueAt(kMarkup - kValue, '\'') + value + "v'/>",
         {kMarkup, std::string(kMarkupOver)}},
    };
    for (Row& row : r)
        if (row.expected.refusal.empty())
            row.expected.passed = row.doc.size();
    return r;
}

// The rows meet each bound on the very byte they say, by the reference.
TEST(XmlMarkupGuard, referenceCutsWhereTheRowsSay)
{
    for (const Row& row : rows())
        EXPECT_EQ(reference(row.doc), row.expected) << row.name;
}

TEST(XmlMarkupGuard, cutsAsTheRowsSayInPiecesOfAnySize)
{
    for (const Row& row : rows()) {
        for (std::size_t piece = 1; piece <= 64; ++piece) {
            SCOPED_TRACE(row.name + " in pieces of " + std::to_string(piece));
            EXPECT_EQ(guarded(row.doc, piece), row.expected);
        }
        EXPECT_EQ(guarded(row.doc, row.doc.size()), row.expected) << row.name;
    }
}

// Markup of every kind mixed at random, then a run that shows where the
// reading stands: in a name or a value it is refused, each with its message.
TEST(XmlMarkupGuard, followsTheReferenceThroughMixedMarkup)
{
    const std::vector<std::string_view> bits = {"<", ">", "!", "-", "--", "-->", "?", "?>", "[", "]]", "]]>", "'",
                                                "\"", " ", "=", "/", "a", "<!--", "<![CDATA[", "<?", "<!", "\n"};
    std::uint64_t seed = 12345;
    for (int doc = 0; doc < 40; ++doc) {
        std::string bytes;
        for (int i = 0; i < 300; ++i) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            bytes += bits[(seed >> 33) % bits.size()];
        }
        const std::size_t mixed = bytes.size();
        bytes += std::string(kValue + 1, 'x');
        const Verdict expected = reference(bytes);
        for (std::size_t piece = 1; piece <= 64; ++piece) {
            SCOPED_TRACE("mixture " + std::to_string(doc) + " in pieces of " + std::to_string(piece));
            EXPECT_EQ(guarded(bytes, piece, mixed), expected);
        }
    }
}

} // namespace
} // namespace zelva::batch
