// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/bounded_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace rpn::help {
namespace {

std::string Repeat(const std::string& text, std::size_t times) {
    std::string repeated;
    for (std::size_t i = 0; i < times; ++i) {
        repeated += text;
    }
    return repeated;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The deepest nesting of the elements in a page that BoundedHelpPage wrote.
std::size_t Depth(const std::string& page) {
    std::size_t depth = 0;
    std::size_t deepest = 0;
    for (std::size_t at = page.find('<'); at != std::string::npos; at = page.find('<', at + 1)) {
        if (page.compare(at, 4, "<!--") == 0) {
            at = page.find("-->", at);
        } else if (page[at + 1] == '/') {
            --depth;
        } else if (page.compare(at, 3, "<br") != 0 && page.compare(at, 3, "<hr") != 0 &&
                   page.compare(at, 5, "<meta") != 0) {
            deepest = std::max(deepest, ++depth);
        }
    }
    return deepest;
}

struct Case {
    const char* what;
    std::string page;
    std::string shown;
};

class BoundedPageCase : public testing::TestWithParam<Case> {};

// A help page keeps what a help page needs, written the same way.
TEST_P(BoundedPageCase, IsRebuiltFromWhatAHelpPageNeeds) {
    EXPECT_EQ(BoundedHelpPage(GetParam().page), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, BoundedPageCase,
    testing::Values(
        Case{"the shipped file's kinds of markup",
             "<html><head><meta charset=\"utf-8\"><title>T</title></head><body>"
             "<h1><a name=\"topic-0\"></a>Help</h1><p>3 &times; <b>4</b><sup>2</sup></p>"
             "<table border=\"1\" cellpadding=\"4\"><tr><th>Key</th><td><code>F1</code></td></tr>"
             "</table><ul><li><a href=\"#topic-10\">Stack</a></li></ul></body></html>",
             "<html><head><meta charset=\"utf-8\"><title>T</title></head><body>"
             "<h1><a name=\"topic-0\"></a>Help</h1><p>3 &times; <b>4</b><sup>2</sup></p>"
             "<table border=\"1\" cellpadding=\"4\"><tr><th>Key</th><td><code>F1</code></td></tr>"
             "</table><ul><li><a href=\"#topic-10\">Stack</a></li></ul></body></html>"},
        Case{"the program's marks stay", "<p><!--session-file-->the file<!--/session-file--></p>",
             "<p><!--session-file-->the file<!--/session-file--></p>"},
        Case{
            "images, style sheets and scripts go, with what styles and scripts hold",
            "<head><link rel=stylesheet href=/tmp/fifo><style>@import url(/dev/zero);</style>"
            "</head><p style=\"font-size:9999px\">a<img src=\"/dev/zero\">b<script>x</SCRIPT>c</p>",
            "<head></head><p>abc</p>"},
        Case{"attributes are quoted, a quote in a value cannot end it, unknown ones go",
             "<a href='x\"><img src=y>' onclick=z name=n>t</a>",
             "<a href=\"x&quot;>&lt;img src=y>\" name=\"n\">t</a>"},
        Case{"numbers are kept only when short",
             "<table width=\"100%\" border=\"99999\"><tr><td colspan=\"1000000\" rowspan=2>x</td>"
             "</tr></table>",
             "<table width=\"100%\"><tr><td rowspan=\"2\">x</td></tr></table>"},
        Case{"closes left to the next element are written, and open elements closed",
             "<ul><li>a<li>b</ul><p>c<p>d<table><tr><td>e<td>f<tr><td>g",
             "<ul><li>a</li><li>b</li></ul><p>c</p><p>d<table><tr><td>e</td><td>f</td></tr><tr>"
             "<td>g</td></tr></table></p>"},
        Case{"an end tag closes what is open inside it; one with nothing to close goes",
             "</b><i><b>x</i>y</b>", "<i><b>x</b></i>y"},
        Case{"a lone '<' is text; a declaration goes; a tag cut off by the end goes",
             "<!DOCTYPE html>1 < 2 <p>3</p><a href=\"", "1 &lt; 2 <p>3</p>"},
        Case{"an unknown element goes, its text stays", "<blink>on</blink> <x-y>z</x-y>", "on z"}),
    [](const testing::TestParamInfo<Case>& info) { return "case" + std::to_string(info.index); });

// Nesting of any element, deeper than the bound, is left out; its text stays, and an end
// tag of a left-out element closes nothing that is kept.
TEST(BoundedPage, NestingStopsAtItsBound) {
    for (const std::string element : {"ul><li", "blockquote", "b", "table><tr><td", "div"}) {
        const std::string page = Repeat("<" + element + ">x", 3000);
        const std::string shown = BoundedHelpPage(page);
        // A paragraph break put into the innermost element's long text adds one level.
        EXPECT_LE(Depth(shown), kDeepestNesting + 1) << element;
        EXPECT_EQ(Count(shown, "x"), 3000u) << element;
    }
    // Tables inside tables, which the browser lays out again for each level, stop sooner,
    // their rows going on in the innermost table kept; and a table ends once it holds much
    // text, the rest following it.
    const std::string tables = BoundedHelpPage(Repeat("<table><tr><td>x", 200));
    EXPECT_EQ(Count(tables, "<table>"), 3u);
    EXPECT_EQ(Count(tables, "<td>x</td>"), 198u);
    const std::string longCell = BoundedHelpPage("<table><tr><td>" + Repeat("word ", 100000));
    EXPECT_EQ(Count(longCell, "word"), 100000u);
    EXPECT_LT(longCell.find("</table>"), longCell.size() / 2);
    const std::string inner =
        Repeat("<b>", kDeepestNesting + 5) + "x" + Repeat("</b>", kDeepestNesting + 5) + "<i>y</i>";
    EXPECT_EQ(BoundedHelpPage(inner),
              Repeat("<b>", kDeepestNesting) + "x" + Repeat("</b>", kDeepestNesting) + "<i>y</i>");
}

// A long paragraph is broken at a blank once it has had its length, a long word at twice
// the length; never inside a character reference or a UTF-8 character.
TEST(BoundedPage, ParagraphsStayShort) {
    const std::string words = BoundedHelpPage(Repeat("word ", 1000));
    EXPECT_EQ(words.find("<p>"), kLongestParagraph + 4);
    EXPECT_EQ(Count(words, "<p>"), 4u);
    EXPECT_EQ(Count(words, "</p><p> word"), 3u);
    const std::string oneWord = BoundedHelpPage(std::string(4 * 1024 * 1024, 'x'));
    EXPECT_EQ(Count(oneWord, "<p>"), 4 * 1024 * 1024 / (2 * kLongestParagraph));
    for (const std::string unit : {"&times;", "&#215;", "\xe2\x80\x94"}) {
        const std::string shown = BoundedHelpPage(Repeat(unit, 3 * kLongestParagraph));
        std::size_t units = 0;
        std::size_t pieces = 0;
        for (std::size_t from = 0; from < shown.size(); ++pieces) {
            const std::size_t tag = std::min(shown.find('<', from), shown.size());
            const std::string piece = shown.substr(from, tag - from);
            EXPECT_EQ(piece, Repeat(unit, piece.size() / unit.size())) << unit;
            units += piece.size() / unit.size();
            from = std::min(shown.find('>', tag), shown.size()) + 1;
        }
        EXPECT_EQ(units, 3 * kLongestParagraph) << unit;
        EXPECT_GT(pieces, 1u) << unit;
    }
    // Line breaks lengthen a paragraph too.
    EXPECT_GT(Count(BoundedHelpPage(Repeat("<br>", 10000)), "<p>"), 0u);
}

// Very many elements: the page ends after its share, and says so.
TEST(BoundedPage, ElementsStopAtTheirBound) {
    const std::string shown = BoundedHelpPage(Repeat("<p>x</p>", 4 * kMostElements));
    EXPECT_EQ(Count(shown, "<p>x</p>"), kMostElements);
    EXPECT_NE(shown.find("The rest of the help file is not shown"), std::string::npos);
    EXPECT_EQ(BoundedHelpPage(Repeat("<p>x</p>", 10)).find("not shown"), std::string::npos);
}

// A long list or table goes on as a new one.
TEST(BoundedPage, LongListsAndTablesAreSplit) {
    const std::string list = BoundedHelpPage("<ol>" + Repeat("<li>x</li>", 1000) + "</ol>");
    EXPECT_EQ(Count(list, "<li>x</li>"), 1000u);
    EXPECT_GT(Count(list, "<ol>"), 1u);
    EXPECT_EQ(Count(list, "<ol>"), Count(list, "</ol>"));
    const std::string table = BoundedHelpPage("<table>" + Repeat("<tr><td>x</td></tr>", 1000));
    EXPECT_EQ(Count(table, "<td>x</td>"), 1000u);
    EXPECT_GT(Count(table, "<table>"), 1u);
}

}  // namespace
}  // namespace rpn::help
