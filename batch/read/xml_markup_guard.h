// SPDX-License-Identifier: GPL-3.0-or-later
// Bounds on XML markup, counted before expat sees the bytes: expat holds a
// whole start tag, comment or CDATA section before it calls back, so a 300 MB
// attribute would cost 300 MB and time beyond the input's. A name or an
// attribute value over 64 KiB, or any one piece of markup over 1 MiB, is
// refused here. Never throws.
#pragma once

#include <cstddef>
#include <string_view>

namespace zelva::batch {

class XmlMarkupGuard {
public:
    static constexpr std::size_t kLongestValue = 64 * 1024;
    static constexpr std::size_t kLongestMarkup = 1024 * 1024;

    // How many of these bytes may go to the parser: all of them, or those
    // before the point where the markup went over a bound.
    std::size_t scan(std::string_view bytes);
    // Why the rest was refused, in Italian; empty while nothing was.
    std::string_view refusal() const { return refusal_; }

private:
    enum class State { Text, Open, Bang, BangDash, Tag, Quote, Comment, CData, Instruction, Declaration };
    void refuse(std::string_view why);
    bool step(char c);
    const char* pass(const char* p, const char* end);
    const char* passTag(const char* p, const char* stop);
    const char* passEnclosed(const char* p, const char* stop);

    State state_ = State::Text;
    char quote_ = 0;
    char last_[2] = {0, 0};  // the two bytes before, for the ends --> and ]]> and ?>
    std::size_t markup_ = 0;  // bytes of the markup being read
    std::size_t run_ = 0;     // bytes of its name or attribute value being read
    std::string_view refusal_;
};

} // namespace zelva::batch
