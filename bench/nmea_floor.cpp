// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for reading an NMEA log: its bytes read in blocks, split at line
// ends, and each sentence's checksum checked, and nothing else. Prints how
// many sentences matched, so that the work cannot be left out.
#include <cstdio>
#include <cstring>

int main()
{
    static char buffer[1 << 16];
    static char line[1 << 16];
    std::size_t length = 0;
    long good = 0;
    const auto check = [&] {
        const char* star = static_cast<const char*>(std::memchr(line, '*', length));
        if (length == 0 || line[0] != '$' || !star || line + length - star < 3)
            return;
        unsigned sum = 0;
        for (const char* p = line + 1; p != star; ++p)
            sum ^= static_cast<unsigned char>(*p);
        const auto hex = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
        good += sum == static_cast<unsigned>(hex(star[1]) * 16 + hex(star[2]));
    };
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
        for (std::size_t i = 0; i < n; ++i) {
            if (buffer[i] == '\n') {
                check();
                length = 0;
            } else if (length < sizeof line) {
                line[length++] = buffer[i];
            }
        }
    }
    std::printf("%ld\n", good);
}
