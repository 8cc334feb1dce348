// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/xml_markup_guard.h"

#include <cstring>

namespace zelva::batch {

void XmlMarkupGuard::refuse(std::string_view why)
{
    refusal_ = why;
}

std::size_t XmlMarkupGuard::scan(std::string_view bytes)
{
    if (!refusal_.empty())
        return 0;
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* p = begin;
    while (p != end) {
        if (state_ == State::Text) {
            // Character data goes to the handler in pieces: nothing to bound.
            const void* const lt = std::memchr(p, '<', static_cast<std::size_t>(end - p));
            if (!lt)
                return bytes.size();
            p = static_cast<const char*>(lt) + 1;
            state_ = State::Open;
            markup_ = 1;
            run_ = 0;
            last_[0] = last_[1] = 0;
            continue;
        }
        const char c = *p++;
        ++markup_;
        switch (state_) {
        case State::Open:
            state_ = c == '!' ? State::Bang : c == '?' ? State::Instruction : State::Tag;
            run_ = state_ == State::Tag ? 1 : 0;
            break;
        case State::Bang:
            state_ = c == '-' ? State::BangDash : c == '[' ? State::CData : State::Declaration;
            break;
        case State::BangDash:
            state_ = State::Comment;
            break;
        case State::Tag:
            if (c == '>') {
                state_ = State::Text;
            } else if (c == '"' || c == '\'') {
                state_ = State::Quote;
                quote_ = c;
                run_ = 0;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '=' || c == '/') {
                run_ = 0;
            } else if (++run_ > kLongestValue) {
                refuse("nome di elemento o di attributo oltre 64 KiB");
            }
            break;
        case State::Quote:
            if (c == quote_) {
                state_ = State::Tag;
                run_ = 0;
            } else if (++run_ > kLongestValue) {
                refuse("valore di attributo oltre 64 KiB");
            }
            break;
        case State::Comment:
            if (c == '>' && last_[0] == '-' && last_[1] == '-')
                state_ = State::Text;
            break;
        case State::CData:
            if (c == '>' && last_[0] == ']' && last_[1] == ']')
                state_ = State::Text;
            break;
        case State::Instruction:
            if (c == '>' && last_[1] == '?')
                state_ = State::Text;
            break;
        case State::Declaration:
            if (c == '>')
                state_ = State::Text;
            break;
        case State::Text:
            break;
        }
        last_[0] = last_[1];
        last_[1] = c;
        if (state_ != State::Text && markup_ > kLongestMarkup)
            refuse("marcatura oltre 1 MiB (un tag, un commento o una sezione CDATA)");
        if (!refusal_.empty())
            return static_cast<std::size_t>(p - begin) - 1;  // up to the byte before the one too many
    }
    return bytes.size();
}

} // namespace zelva::batch
