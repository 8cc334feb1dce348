// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/utf16_input.h"

namespace zelva::batch {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

bool Utf16Input::feed(std::string_view bytes)
{
    text_.clear();
    std::size_t at = 0;
    const auto unit = [&](unsigned char first, unsigned char second) {
        return static_cast<char16_t>(bigEndian_ ? first << 8 | second : second << 8 | first);
    };
    const auto take = [&](char16_t u) {
        if (u >= 0xDC00 && u <= 0xDFFF) {
            appendUtf8(text_, high_ ? 0x10000 + ((high_ - 0xD800) << 10) + (u - 0xDC00) : kReplacement);
            high_ = 0;
            return;
        }
        if (high_)
            appendUtf8(text_, kReplacement);
        high_ = 0;
        if (u >= 0xD800 && u <= 0xDBFF)
            high_ = u;
        else
            appendUtf8(text_, u);
    };
    if (!carry_.empty() && !bytes.empty()) {
        take(unit(static_cast<unsigned char>(carry_[0]), static_cast<unsigned char>(bytes[0])));
        carry_.clear();
        at = 1;
    }
    for (; at + 1 < bytes.size(); at += 2)
        take(unit(static_cast<unsigned char>(bytes[at]), static_cast<unsigned char>(bytes[at + 1])));
    if (at < bytes.size())
        carry_.assign(1, bytes[at]);
    return inner_->feed(text_);
}

void Utf16Input::finish(bool cut)
{
    if (high_ || !carry_.empty()) {
        text_.clear();
        appendUtf8(text_, kReplacement);
        high_ = 0;
        carry_.clear();
        inner_->feed(text_);
    }
    inner_->finish(cut);
}

} // namespace zelva::batch
