// SPDX-License-Identifier: GPL-3.0-or-later
// Every word a script may use is named where a user looks for it: in the help file's topic on
// the command line and in the manual page's COMMAND LINE section. A word added to the table
// and left out of either fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "cli/script_words.h"
#include "engine/operation_table.h"

namespace rpn::cli {
namespace {

std::string FileText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The part of `text` from `start` up to the next `end` after it.
std::string Section(const std::string& text, const std::string& start, const std::string& end) {
    const std::size_t from = text.find(start);
    if (from == std::string::npos) {
        return {};
    }
    return text.substr(from, text.find(end, from + start.size()) - from);
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// The blank-separated words of a text, without the brackets and punctuation around them.
std::set<std::string> WordsOf(std::string text) {
    std::set<std::string> words;
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        while (!word.empty() && std::string("(),.;:").find(word.back()) != std::string::npos) {
            word.pop_back();
        }
        while (!word.empty() && word.front() == '(') {
            word.erase(0, 1);
        }
        words.insert(word);
    }
    return words;
}

std::set<std::string> HelpWords() {
    std::string topic =
        Section(FileText(RPNCALC_SOURCE_DIR "/help/rpncalc.hlp"), "<a name=\"topic-120\">", "<h2>");
    // Tags apart from the words they mark.
    ReplaceAll(topic, "<", " <");
    ReplaceAll(topic, ">", "> ");
    std::string plain;
    bool inTag = false;
    for (char c : topic) {
        if (c == '<') {
            inTag = true;
        } else if (c == '>' && inTag) {
            inTag = false;
        } else if (!inTag) {
            plain += c;
        }
    }
    ReplaceAll(plain, "&lt;", "<");
    ReplaceAll(plain, "&gt;", ">");
    ReplaceAll(plain, "&amp;", "&");
    return WordsOf(plain);
}

std::set<std::string> ManualWords() {
    std::string section = Section(FileText(RPNCALC_SOURCE_DIR "/app/desktop/rpncalc.1.in"),
                                  ".SH COMMAND LINE", ".SH ");
    ReplaceAll(section, "\\-", "-");
    return WordsOf(section);
}

std::set<std::string> ScriptWords() {
    std::set<std::string> words;
    for (const OperationRow& row : OperationRows()) {
        words.insert(row.name);
    }
    for (const OwnWord& own : OwnWords()) {
        words.insert(own.name);
    }
    return words;
}

TEST(DocumentedWords, TheHelpNamesEveryWord) {
    const std::set<std::string> help = HelpWords();
    ASSERT_FALSE(help.empty()) << "the help file has no topic on the command line";
    for (const std::string& word : ScriptWords()) {
        EXPECT_TRUE(help.contains(word)) << word;
    }
}

TEST(DocumentedWords, TheManualPageNamesEveryWord) {
    const std::set<std::string> manual = ManualWords();
    ASSERT_FALSE(manual.empty()) << "the manual page has no COMMAND LINE section";
    for (const std::string& word : ScriptWords()) {
        EXPECT_TRUE(manual.contains(word)) << word;
    }
}

}  // namespace
}  // namespace rpn::cli
