// SPDX-License-Identifier: GPL-3.0-or-later
// A log or a table saved as UTF-16 (Windows editors and spreadsheets write it
// so), turned into UTF-8 for the reader of lines as its bytes arrive. A byte
// cut between two reads waits for its pair; an unpaired surrogate is U+FFFD.
// Throws only std::bad_alloc and what the inner reader throws.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "batch/read/reader.h"

namespace zelva::batch {

class Utf16Input final : public Reader {
public:
    Utf16Input(std::unique_ptr<Reader> inner, bool bigEndian) : inner_(std::move(inner)), bigEndian_(bigEndian) {}

    bool feed(std::string_view bytes) override;
    void finish(bool cut) override;

private:
    std::unique_ptr<Reader> inner_;
    bool bigEndian_;
    std::string carry_;       // an odd byte left by the last read
    char16_t high_ = 0;       // a high surrogate waiting for its low one
    std::string text_;        // the UTF-8 of one read, its room kept
};

} // namespace zelva::batch
