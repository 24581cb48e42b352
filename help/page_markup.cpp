// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/page_markup.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace rpn::help {

namespace {

// What a help page needs, and what the browser lays out quickly. Numbers (sizes, spans,
// paddings) are kept only when short: a table cell spanning a million columns is no help.
constexpr std::array kElements = {
    Element{"a", Content::Inline, "href name", ""},
    Element{"b", Content::Inline, "", ""},
    Element{"big", Content::Inline, "", ""},
    Element{"blockquote", Content::Block, "", ""},
    Element{"body", Content::Block, "", ""},
    Element{"br", Content::Empty, "", ""},
    Element{"center", Content::Block, "", ""},
    Element{"code", Content::Inline, "", ""},
    Element{"dd", Content::Block, "", ""},
    Element{"div", Content::Block, "align", ""},
    Element{"dl", Content::Block, "", ""},
    Element{"dt", Content::Block, "", ""},
    Element{"em", Content::Inline, "", ""},
    Element{"h1", Content::Block, "align", ""},
    Element{"h2", Content::Block, "align", ""},
    Element{"h3", Content::Block, "align", ""},
    Element{"h4", Content::Block, "align", ""},
    Element{"h5", Content::Block, "align", ""},
    Element{"h6", Content::Block, "align", ""},
    Element{"head", Content::Block, "", ""},
    Element{"hr", Content::Empty, "", ""},
    Element{"html", Content::Block, "", ""},
    Element{"i", Content::Inline, "", ""},
    Element{"kbd", Content::Inline, "", ""},
    Element{"li", Content::Block, "", ""},
    Element{"meta", Content::Empty, "charset", ""},
    Element{"ol", Content::Block, "type", "start"},
    Element{"p", Content::Block, "align", ""},
    Element{"pre", Content::Block, "", ""},
    Element{"s", Content::Inline, "", ""},
    Element{"small", Content::Inline, "", ""},
    Element{"span", Content::Inline, "", ""},
    Element{"strong", Content::Inline, "", ""},
    Element{"sub", Content::Inline, "", ""},
    Element{"sup", Content::Inline, "", ""},
    Element{"table", Content::Block, "align", "border cellpadding cellspacing width"},
    Element{"tbody", Content::Block, "", ""},
    Element{"td", Content::Block, "align valign", "colspan rowspan width"},
    Element{"tfoot", Content::Block, "", ""},
    Element{"th", Content::Block, "align valign", "colspan rowspan width"},
    Element{"thead", Content::Block, "", ""},
    Element{"title", Content::Block, "", ""},
    Element{"tr", Content::Block, "align valign", ""},
    Element{"tt", Content::Inline, "", ""},
    Element{"u", Content::Inline, "", ""},
    Element{"ul", Content::Block, "type", ""},
    Element{"var", Content::Inline, "", ""},
};

// Elements left out together with what they hold: their text is no text of the page.
constexpr std::array<std::string_view, 2> kHiddenContent = {"script", "style"};

bool IsNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '_' || c == ':';
}

}  // namespace

const Element* FindElement(std::string_view name) {
    const auto found = std::find_if(kElements.begin(), kElements.end(),
                                    [name](const Element& e) { return e.name == name; });
    return found == kElements.end() ? nullptr : &*found;
}

bool Listed(std::string_view list, std::string_view word) {
    for (std::size_t from = 0; from < list.size();) {
        const std::size_t end = std::min(list.find(' ', from), list.size());
        if (list.substr(from, end - from) == word) {
            return true;
        }
        from = end + 1;
    }
    return false;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

bool IsShortNumber(std::string_view value) {
    if (!value.empty() && value.back() == '%') {
        value.remove_suffix(1);
    }
    return !value.empty() && value.size() <= 4 &&
           std::all_of(value.begin(), value.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

bool ReadTag(std::string_view html, std::size_t at, Tag& tag) {
    tag = Tag{};
    if (at < html.size() && html[at] == '/') {
        tag.closing = true;
        ++at;
    }
    const std::size_t nameStart = at;
    while (at < html.size() && IsNameCharacter(html[at])) {
        ++at;
    }
    tag.name = Lower(html.substr(nameStart, at - nameStart));
    for (;;) {
        while (at < html.size() && (IsBlank(html[at]) || html[at] == '/')) {
            ++at;
        }
        if (at >= html.size()) {
            return false;
        }
        if (html[at] == '>') {
            tag.end = at + 1;
            return true;
        }
        const std::size_t attributeStart = at;
        while (at < html.size() && !IsBlank(html[at]) && html[at] != '>' && html[at] != '=' &&
               html[at] != '/') {
            ++at;
        }
        std::string name = Lower(html.substr(attributeStart, at - attributeStart));
        std::string value;
        while (at < html.size() && IsBlank(html[at])) {
            ++at;
        }
        if (at < html.size() && html[at] == '=') {
            ++at;
            while (at < html.size() && IsBlank(html[at])) {
                ++at;
            }
            if (at < html.size() && (html[at] == '"' || html[at] == '\'')) {
                const char quote = html[at];
                const std::size_t close = html.find(quote, at + 1);
                if (close == std::string_view::npos) {
                    return false;
                }
                value = html.substr(at + 1, close - at - 1);
                at = close + 1;
            } else {
                const std::size_t valueStart = at;
                while (at < html.size() && !IsBlank(html[at]) && html[at] != '>') {
                    ++at;
                }
                value = html.substr(valueStart, at - valueStart);
            }
        }
        tag.attributes.emplace_back(std::move(name), std::move(value));
    }
}

void AppendQuoted(std::string& out, std::string_view value) {
    out += '"';
    for (const char c : value) {
        if (c == '"') {
            out += "&quot;";
        } else if (c == '<') {
            out += "&lt;";
        } else {
            out += c;
        }
    }
    out += '"';
}

bool HidesContent(std::string_view name) {
    return std::find(kHiddenContent.begin(), kHiddenContent.end(), name) != kHiddenContent.end();
}

}  // namespace rpn::help
