// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/read/xml_markup_guard.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zelva::batch {

namespace {

// What a byte does in a tag outside its values.
enum class TagByte : unsigned char { Name, Blank, Quote, Close };
constexpr std::array<TagByte, 256> kTagBytes = [] {
    std::array<TagByte, 256> bytes{};
    bytes.fill(TagByte::Name);
    for (const unsigned char c : {' ', '\t', '\r', '\n', '=', '/'})
        bytes[c] = TagByte::Blank;
    bytes['"'] = bytes['\''] = TagByte::Quote;
    bytes['>'] = TagByte::Close;
    return bytes;
}();

} // namespace

void XmlMarkupGuard::refuse(std::string_view why)
{
    refusal_ = why;
}

// One byte of markup, with every bound checked; false where it is refused.
bool XmlMarkupGuard::step(char c)
{
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
        switch (kTagBytes[static_cast<unsigned char>(c)]) {
        case TagByte::Close:
            state_ = State::Text;
            break;
        case TagByte::Quote:
            state_ = State::Quote;
            quote_ = c;
            run_ = 0;
            break;
        case TagByte::Blank:
            run_ = 0;
            break;
        case TagByte::Name:
            if (++run_ > kLongestValue)
                refuse("nome di elemento o di attributo oltre 64 KiB");
            break;
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
    return refusal_.empty();
}

// The bytes from p that step() would take without a refusal, taken many at a
// time: it stops at the end of the markup, or before a byte that meets a
// bound, which step() then judges.
const char* XmlMarkupGuard::pass(const char* p, const char* end)
{
    const char* const stop = p + std::min(static_cast<std::size_t>(end - p), kLongestMarkup - markup_);
    switch (state_) {
    case State::Open:
        if (p == stop || *p == '!' || *p == '?')
            return p;
        // Any other byte begins a tag's name, even one no name may begin with.
        state_ = State::Tag;
        run_ = 1;
        ++markup_;
        return passTag(p + 1, stop);
    case State::Tag:
    case State::Quote:
        return passTag(p, stop);
    case State::Comment:
    case State::CData:
    case State::Instruction:
    case State::Declaration:
        return passEnclosed(p, stop);
    default:
        return p;
    }
}

// Names, blanks and values. last_ is left as it was: a tag ends in text,
// where it starts anew.
const char* XmlMarkupGuard::passTag(const char* p, const char* stop)
{
    State state = state_;
    std::size_t run = run_;  // kept here: a char store could otherwise be the member's
    const char* q = p;
    while (q != stop) {
        if (state == State::Quote) {
            const std::size_t room = std::min(static_cast<std::size_t>(stop - q), kLongestValue - run);
            const void* const closing = std::memchr(q, quote_, room);
            if (!closing) {
                run += room;
                q += room;
                break;
            }
            q = static_cast<const char*>(closing) + 1;
            state = State::Tag;
            run = 0;
            continue;
        }
        const char c = *q;
        const TagByte kind = kTagBytes[static_cast<unsigned char>(c)];
        if (kind == TagByte::Name) {
            const char* const name = q;
            const char* const last = q + std::min(static_cast<std::size_t>(stop - q), kLongestValue - run);
            while (q != last && kTagBytes[static_cast<unsigned char>(*q)] == TagByte::Name)
                ++q;
            run += static_cast<std::size_t>(q - name);
            if (q == name)
                break;  // the name's byte too many
            continue;
        }
        if (kind == TagByte::Blank) {
            run = 0;
        } else if (kind == TagByte::Quote) {
            state = State::Quote;
            quote_ = c;
            run = 0;
        } else {
            state = State::Text;
            ++q;
            break;
        }
        ++q;
    }
    state_ = state;
    run_ = run;
    markup_ += static_cast<std::size_t>(q - p);
    return q;
}

// Comments, CDATA, instructions and declarations, from '>' to '>'.
const char* XmlMarkupGuard::passEnclosed(const char* p, const char* stop)
{
    const char* q = p;
    while (q != stop) {
        const void* const found = std::memchr(q, '>', static_cast<std::size_t>(stop - q));
        if (!found) {
            q = stop;
            break;
        }
        const char* const close = static_cast<const char*>(found);
        q = close + 1;
        // The two bytes before it may have come in an earlier piece.
        const std::size_t here = static_cast<std::size_t>(close - p);
        const char before = here >= 1 ? close[-1] : last_[1];
        const char twoBefore = here >= 2 ? close[-2] : here == 1 ? last_[1] : last_[0];
        if ((state_ == State::Comment && before == '-' && twoBefore == '-')
            || (state_ == State::CData && before == ']' && twoBefore == ']')
            || (state_ == State::Instruction && before == '?') || state_ == State::Declaration) {
            state_ = State::Text;
            return q;
        }
    }
    const std::size_t passed = static_cast<std::size_t>(q - p);
    markup_ += passed;
    if (passed >= 2) {
        last_[0] = q[-2];
        last_[1] = q[-1];
    } else if (passed == 1) {
        last_[0] = last_[1];
        last_[1] = q[-1];
    }
    return q;
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
        p = pass(p, end);
        if (p == end || state_ == State::Text)
            continue;
        if (!step(*p++))
            return static_cast<std::size_t>(p - begin) - 1;  // up to the byte before the one too many
    }
    return bytes.size();
}

} // namespace zelva::batch
