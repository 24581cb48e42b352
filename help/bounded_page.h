// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rpn::help {

// The text browser's layout time grows faster than the page: deep nesting of any element, a
// long run of text in one paragraph, and very many elements each freeze the window for
// seconds to minutes at a size the help file may have. These bounds keep the page that the
// browser is given small enough to appear within a second at the file's largest size, and
// are far beyond what a real help page uses.
inline constexpr std::size_t kDeepestNesting = 32;
inline constexpr std::size_t kMostElements = 10000;
// A paragraph's text is broken at the first blank after this many bytes, and at twice as
// many in any case.
inline constexpr std::size_t kLongestParagraph = 1000;

// The help page (HTML, as bytes) rebuilt from what a help page needs: text, headings,
// paragraphs, lists, tables, emphasis, line breaks and links, with the few attributes that
// they take, every element closed in order. Everything else is left out: images, style
// sheets and style attributes, scripts, forms, unknown elements. An element nested deeper
// than kDeepestNesting is left out (its text stays), a paragraph longer than
// kLongestParagraph is broken into several (the break is a paragraph, one level deeper), a
// long list or table goes on as a new one, tables nest a few levels at most and end when they
// hold much text (the rest follows them), and the page ends, with a note saying so, after
// kMostElements elements. Comments stay, for the program's own marks in the page.
std::string BoundedHelpPage(std::string_view html);

}  // namespace rpn::help
