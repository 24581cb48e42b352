// SPDX-License-Identifier: GPL-3.0-or-later
// A help page of any bytes: the bounded page is well nested, no deeper than its bound (a
// paragraph break one level more), holds no more elements than its bound, and grows by
// little more than the breaks it puts in.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "help/bounded_page.h"

namespace {

// Checks the nesting of a page that BoundedHelpPage wrote, where every element but the empty
// ones is closed and comments are the only place for a stray '<'.
void CheckNesting(const std::string& page) {
    std::size_t depth = 0;
    std::size_t elements = 0;
    for (std::size_t at = page.find('<'); at != std::string::npos; at = page.find('<', at + 1)) {
        if (page.compare(at, 4, "<!--") == 0) {
            at = page.find("-->", at + 4);
            if (at == std::string::npos) {
                return;
            }
            continue;
        }
        const std::size_t end = page.find_first_of(" >", at);
        const std::string_view name(page.data() + at + 1, end - at - 1);
        if (name.starts_with('/')) {
            if (depth == 0) {
                std::abort();
            }
            --depth;
            continue;
        }
        ++elements;
        if (name != "br" && name != "hr" && name != "meta" &&
            ++depth > rpn::help::kDeepestNesting + 1) {
            std::abort();
        }
    }
    // Besides the page's own: the breaks and list and table continuations it put in, and the
    // note at the end.
    if (depth != 0 || elements > 2 * rpn::help::kMostElements + page.size() / 1000 + 3) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view html(reinterpret_cast<const char*>(data), size);
    const std::string page = rpn::help::BoundedHelpPage(html);
    CheckNesting(page);
    // Quotes and '<' escaped, every element closed, a break every thousand bytes.
    if (page.size() > 8 * size + size / 100 * 10 + 256) {
        std::abort();
    }
    return 0;
}
