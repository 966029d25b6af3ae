// The page template as the resource compiler will store it.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "res/resource.h"
#include "tests/unit/fake_platform.h"

namespace {

std::string ReadScript() {
    std::ifstream file(SOURCE_DIR "/res/setup.rc", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The text of a string-table entry with the resource compiler's escapes
// undone: "" is one quote and \n a line feed. Any other escape fails the test.
std::string StringEntry(const std::string& script, const std::string& name) {
    const std::string opening = name + " \"";
    size_t at = script.find(opening);
    if (at == std::string::npos) {
        ADD_FAILURE() << name << " not found";
        return std::string();
    }
    std::string text;
    for (size_t i = at + opening.size(); i < script.size(); ++i) {
        const char c = script[i];
        const char next = i + 1 < script.size() ? script[i + 1] : '\0';
        if (c == '"' && next == '"') {
            text += '"';
            ++i;
        } else if (c == '"') {
            return text;
        } else if (c == '\\' && next == 'n') {
            text += '\n';
            ++i;
        } else if (c == '\\' || c == '\r' || c == '\n') {
            ADD_FAILURE() << "unexpected character " << int(c) << " after " << text.size();
            return text;
        } else {
            text += c;
        }
    }
    ADD_FAILURE() << name << " is not closed";
    return text;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(ResourceScript, CarriesThePageTemplateExactly) {
    const std::string script = ReadScript();
    ASSERT_FALSE(script.empty()) << "cannot read " SOURCE_DIR "/res/setup.rc";
    const std::string text = StringEntry(script, "IDS_DOWNLOAD_PAGE");
    EXPECT_EQ(text, kExpectedPageTemplate);
    EXPECT_EQ(text.size(), 290u);
    EXPECT_EQ(Count(text, "\n"), 10u);
    EXPECT_EQ(Count(text, "\r"), 0u);
    EXPECT_EQ(Count(text, "%s"), 3u);
    EXPECT_EQ(Count(text, "%"), 3u);  // no conversion but the three addresses
    EXPECT_EQ(text.rfind("<html>\n", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 8), "\n</html>");
    EXPECT_EQ(IDS_DOWNLOAD_PAGE, 110);
}

}  // namespace
