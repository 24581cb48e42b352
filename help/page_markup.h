// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Reading a help page's markup: its tags, and which elements and attributes a help page keeps.
namespace rpn::help {

enum class Content {
    // An element that holds nothing and is never closed.
    Empty,
    // An element inside a paragraph.
    Inline,
    // An element that begins a paragraph of its own, or ends one.
    Block,
};

struct Element {
    std::string_view name;
    Content content;
    // The attributes kept, with how their values are checked.
    std::string_view attributes;
    std::string_view numberAttributes;
};

// The element of that (lower-case) name that a help page keeps; none for any other.
const Element* FindElement(std::string_view name);

// Whether the element is left out together with what it holds (a script, a style sheet).
bool HidesContent(std::string_view name);

// Whether `word` is one of the blank-separated words of `list`.
bool Listed(std::string_view list, std::string_view word);

bool IsBlank(char c);

std::string Lower(std::string_view text);

// A short number, with a percent sign for a width.
bool IsShortNumber(std::string_view value);

struct Tag {
    std::string name;
    bool closing = false;
    std::vector<std::pair<std::string, std::string>> attributes;
    // Where the text after the tag begins.
    std::size_t end = 0;
};

// Reads the tag at `at` (just after its '<'). False when the page ends inside it.
bool ReadTag(std::string_view html, std::size_t at, Tag& tag);

// Appends an attribute value in double quotes: it can end neither itself nor the tag.
void AppendQuoted(std::string& out, std::string_view value);

}  // namespace rpn::help
