// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/bounded_page.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

#include "help/page_markup.h"

namespace rpn::help {

namespace {

// The browser lays out a table inside a table several times over for each level: a few
// levels are all it lays out quickly.
constexpr std::size_t kDeepestTables = 3;

// The most text in a table, tables inside it included.
constexpr std::size_t kMostTableText = 64 * 1024;

// The most items in one list, and rows in one table.
constexpr std::size_t kMostParts = 250;

// What a line break counts for in a paragraph's length, and an element in a table's text.
constexpr std::size_t kLineBreakLength = 40;
constexpr std::size_t kElementLength = 40;

class PageBuilder {
  public:
    explicit PageBuilder(std::size_t size) { out_.reserve(size + size / 8 + 256); }

    // False once the page has had its elements.
    bool Open(const Tag& tag, const Element& element) {
        if (elements_ == kMostElements) {
            return false;
        }
        if (element.content != Content::Empty) {
            CloseImplied(tag.name);
            SplitLongContainer(tag.name);
            // A table that has no room for a cell would hide its text: the browser shows
            // no text that is outside a cell.
            const std::size_t room = tag.name == "table" ? 3 : tag.name == "tr" ? 2 : 1;
            if (open_.size() + room > kDeepestNesting ||
                (tag.name == "table" && openTables_ == kDeepestTables)) {
                ++deeperThanKept_[tag.name];
                return true;
            }
        }
        ++elements_;
        if (openTables_ > 0) {
            // Rows and cells lengthen a table's layout as text does.
            tableText_ += kElementLength;
            if (tableText_ >= kMostTableText) {
                EndTables();
            }
        }
        if (tag.name == "br") {
            // A line break stays in its paragraph and lengthens its layout like a line.
            if (paragraph_ >= 2 * kLongestParagraph) {
                BreakParagraph();
            }
            paragraph_ += kLineBreakLength;
        } else if (element.content == Content::Block || tag.name == "hr") {
            paragraph_ = 0;
        }
        out_ += '<';
        out_ += tag.name;
        for (const auto& [name, value] : tag.attributes) {
            if (Listed(element.attributes, name) ||
                (Listed(element.numberAttributes, name) && IsShortNumber(value))) {
                out_ += ' ';
                out_ += name;
                out_ += '=';
                AppendQuoted(out_, value);
            }
        }
        out_ += '>';
        if (element.content != Content::Empty) {
            Push(tag.name);
        }
        return true;
    }

    void Close(const Tag& tag, const Element& element) {
        if (element.content == Content::Empty) {
            return;
        }
        auto& deeper = deeperThanKept_[tag.name];
        if (deeper > 0) {
            --deeper;
            return;
        }
        const auto found =
            std::find_if(open_.rbegin(), open_.rend(),
                         [&tag](const OpenElement& open) { return open.name == tag.name; });
        if (found == open_.rend()) {
            return;
        }
        const std::size_t keep = static_cast<std::size_t>(open_.rend() - found) - 1;
        while (open_.size() > keep) {
            CloseTop();
        }
        if (element.content == Content::Block) {
            paragraph_ = 0;
        }
    }

    // Text of the page, with a paragraph broken where it grows too long.
    void Text(std::string_view text) {
        for (const char c : text) {
            const bool characterStart = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
            if (entity_ == 0 && characterStart &&
                ((paragraph_ >= kLongestParagraph && IsBlank(c)) ||
                 paragraph_ >= 2 * kLongestParagraph)) {
                BreakParagraph();
            }
            if (entity_ == 0 && characterStart &&
                ((tableText_ >= kMostTableText && IsBlank(c)) ||
                 tableText_ >= kMostTableText + 2 * kLongestParagraph)) {
                EndTables();
            }
            out_ += c == '<' ? std::string_view("&lt;") : std::string_view(&c, 1);
            ++paragraph_;
            if (openTables_ > 0) {
                ++tableText_;
            }
            // A character reference ("&amp;", "&#215;") is never broken.
            if (c == '&') {
                entity_ = 1;
            } else if (entity_ > 0) {
                const bool inReference =
                    (std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '#') && entity_ < 32;
                entity_ = inReference ? entity_ + 1 : 0;
            }
        }
    }

    void Comment(std::string_view comment) { out_ += comment; }

    std::string Finish(bool complete) {
        while (!open_.empty()) {
            CloseTop();
        }
        if (!complete) {
            out_ += "<p><i>The rest of the help file is not shown: it has more than " +
                    std::to_string(kMostElements) + " elements.</i></p>";
        }
        return std::move(out_);
    }

  private:
    // Where the page leaves an element to be closed by the next (a paragraph by a paragraph,
    // a list item by a list item, a cell by a cell or a row), the close is written out.
    void CloseImplied(const std::string& name) {
        const auto closes = [&name](const std::string& open) {
            if (name == "tr") {
                return open == "tr" || open == "td" || open == "th";
            }
            if (name == "td" || name == "th") {
                return open == "td" || open == "th";
            }
            return (name == "p" || name == "li") && open == name;
        };
        while (!open_.empty() && closes(open_.back().name)) {
            CloseTop();
        }
    }

    // The browser's time for a list grows with the square of its items, and for a table with
    // the square of its rows: a list or table that has had its share goes on as a new one.
    void SplitLongContainer(const std::string& name) {
        const bool item = name == "li";
        if (!item && name != "tr") {
            return;
        }
        const auto container =
            std::find_if(open_.rbegin(), open_.rend(), [item](const OpenElement& open) {
                return item ? open.name == "ul" || open.name == "ol" : open.name == "table";
            });
        if (container == open_.rend()) {
            return;
        }
        if (++container->parts <= kMostParts) {
            return;
        }
        const std::size_t depth = static_cast<std::size_t>(open_.rend() - container);
        const std::string kind = container->name;
        while (open_.size() >= depth) {
            CloseTop();
        }
        out_ += '<';
        out_ += kind;
        out_ += '>';
        Push(kind, 1);
    }

    // The text after a table that has had its share: the browser lays a table out whole,
    // and its time grows with the text in it.
    void EndTables() {
        const auto outermost =
            std::find_if(open_.begin(), open_.end(),
                         [](const OpenElement& open) { return open.name == "table"; });
        while (open_.end() > outermost) {
            CloseTop();
        }
    }

    void Push(const std::string& name, std::size_t parts = 0) {
        open_.push_back({name, parts});
        if (name == "table") {
            ++openTables_;
        }
    }

    void CloseTop() {
        out_ += "</";
        out_ += open_.back().name;
        out_ += '>';
        if (open_.back().name == "table" && --openTables_ == 0) {
            tableText_ = 0;
        }
        open_.pop_back();
    }

    // A paragraph of its own for the rest of the text: it counts against no limit, and the
    // next break closes it, so it nests no deeper than one level.
    void BreakParagraph() {
        if (!open_.empty() && open_.back().name == "p") {
            CloseTop();
        }
        out_ += "<p>";
        Push("p");
        paragraph_ = 0;
    }

    struct OpenElement {
        std::string name;
        // For a list its items, for a table its rows.
        std::size_t parts = 0;
    };

    std::string out_;
    std::vector<OpenElement> open_;
    std::map<std::string, std::size_t> deeperThanKept_;
    std::size_t elements_ = 0;
    std::size_t paragraph_ = 0;
    std::size_t openTables_ = 0;
    // Text since the outermost open table began.
    std::size_t tableText_ = 0;
    std::size_t entity_ = 0;
};

}  // namespace

std::string BoundedHelpPage(std::string_view html) {
    PageBuilder page(html.size());
    std::size_t at = 0;
    while (at < html.size()) {
        const std::size_t lt = html.find('<', at);
        page.Text(html.substr(at, lt == std::string_view::npos ? std::string_view::npos : lt - at));
        if (lt == std::string_view::npos) {
            break;
        }
        if (html.substr(lt, 4) == "<!--") {
            const std::size_t end = html.find("-->", lt + 4);
            at = end == std::string_view::npos ? html.size() : end + 3;
            page.Comment(html.substr(lt, at - lt));
            continue;
        }
        const char next = lt + 1 < html.size() ? html[lt + 1] : '\0';
        if (next == '!' || next == '?') {
            // A declaration or an instruction: nothing the browser shows.
            const std::size_t end = html.find('>', lt);
            at = end == std::string_view::npos ? html.size() : end + 1;
            continue;
        }
        if (std::isalpha(static_cast<unsigned char>(next)) == 0 && next != '/') {
            page.Text("<");
            at = lt + 1;
            continue;
        }
        Tag tag;
        if (!ReadTag(html, lt + 1, tag)) {
            break;
        }
        at = tag.end;
        if (!tag.closing && HidesContent(tag.name)) {
            const std::string end = "</" + tag.name;
            std::size_t from = at;
            for (;; ++from) {
                from = html.find("</", from);
                if (from == std::string_view::npos || Lower(html.substr(from, end.size())) == end) {
                    break;
                }
            }
            at = from == std::string_view::npos ? html.size() : from;
            continue;
        }
        const Element* element = FindElement(tag.name);
        if (element == nullptr) {
            continue;
        }
        if (tag.closing) {
            page.Close(tag, *element);
        } else if (!page.Open(tag, *element)) {
            return page.Finish(false);
        }
    }
    return page.Finish(true);
}

}  // namespace rpn::help
