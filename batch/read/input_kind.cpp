// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/input_kind.h"

#include <string>

#include "batch/read/input_bytes.h"
#include "batch/read/line_input.h"
#include "batch/read/utf16_input.h"
#include "batch/read/xml_input.h"

namespace zelva::batch {

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::size_t kInterleaved = 8;  // ASCII characters that make UTF-16 without a mark

// The ASCII characters of UTF-16 bytes, another character as '?'.
std::string asciiOf(std::string_view bytes, bool bigEndian)
{
    std::string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned char high = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const unsigned char low = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        text += high == 0 && low < 0x80 ? static_cast<char>(low) : '?';
    }
    return text;
}

// Whether the first characters are ASCII, each beside a NUL, in this order;
// nullopt while they still may be.
std::optional<bool> interleaved(std::string_view bytes, bool bigEndian, bool complete)
{
    const std::size_t units = std::min(bytes.size() / 2, kInterleaved);
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned char zero = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 0 : 1)]);
        const unsigned char ascii = static_cast<unsigned char>(bytes[2 * i + (bigEndian ? 1 : 0)]);
        if (zero != 0 || ascii == 0 || ascii >= 0x80)
            return false;
    }
    if (units == kInterleaved)
        return true;
    return complete ? std::optional<bool>(false) : std::nullopt;
}

} // namespace

std::optional<TextEncoding> detectEncoding(std::string_view first, bool complete)
{
    if (first.starts_with(kUtf16LeMark))
        return TextEncoding::Utf16Le;
    if (first.starts_with(kUtf16BeMark))
        return TextEncoding::Utf16Be;
    const std::optional<bool> little = interleaved(first, false, complete);
    const std::optional<bool> big = interleaved(first, true, complete);
    if (little.value_or(false))
        return TextEncoding::Utf16Le;
    if (big.value_or(false))
        return TextEncoding::Utf16Be;
    if (!little || !big)
        return std::nullopt;
    return TextEncoding::Utf8;
}

std::optional<bool> looksLikeXml(std::string_view start)
{
    if (start.starts_with(kByteOrderMark))
        start.remove_prefix(kByteOrderMark.size());
    const std::size_t first = start.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return std::nullopt;
    return start[first] == '<';
}

std::unique_ptr<Reader> readerFor(std::string_view first, bool complete, FixSink& fixes, RejectionSink& rejections)
{
    const std::optional<TextEncoding> encoding = detectEncoding(first, complete);
    if (!encoding)
        return nullptr;
    const bool utf16 = *encoding != TextEncoding::Utf8;
    const bool bigEndian = *encoding == TextEncoding::Utf16Be;
    const bool marked = first.starts_with(kUtf16LeMark) || first.starts_with(kUtf16BeMark);
    const std::optional<bool> xml =
        looksLikeXml(utf16 ? std::string_view(asciiOf(first.substr(marked ? 2 : 0), bigEndian)) : first);
    if (!xml && !complete)
        return nullptr;
    if (xml.value_or(false)) {
        // Expat reads UTF-16 itself, told so even where the mark would say it:
        // an editor that saves a track as UTF-16 keeps its declaration of
        // UTF-8, which expat would hold against the mark.
        const char* const declared = !utf16 ? nullptr : bigEndian ? "UTF-16BE" : "UTF-16LE";
        return std::make_unique<XmlInput>(fixes, rejections, declared);
    }
    auto lines = std::make_unique<LineInput>(fixes, rejections);
    if (!utf16)
        return lines;
    return std::make_unique<Utf16Input>(std::move(lines), bigEndian);
}

} // namespace zelva::batch
