// The fourteen dialog texts, byte for byte in Windows-1252.
#include "ui/texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct TextCase {
    const char* name;
    const char* actual;
    const char* expected;
    int accessKeyAt;  // index of the one ampersand, -1 for none
};

// The o-slash is the single byte 0xF8; split literals keep "\xF8" apart from
// the hex-looking letters after it.
const TextCase kCatalogue[] = {
    {"TXT_WELCOME_SHORT_DA", TXT_WELCOME_SHORT_DA, "Velkommen til KelmoVYN kalendersetup.", -1},
    {"TXT_WELCOME_LONG_DA", TXT_WELCOME_LONG_DA,
     "Velkommen til KelmoVYN kalendersetup.\r\nSniffo har fundet en eksisterende version af "
     "VYN Zodiamaten. Vi anbefaler, at du opgraderer denne version.",
     -1},
    {"TXT_WELCOME_SHORT_EN", TXT_WELCOME_SHORT_EN, "Welcome to Kelmovyn Calendar Setup.", -1},
    {"TXT_WELCOME_LONG_EN", TXT_WELCOME_LONG_EN,
     "Welcome to Kelmovyn Calendar Setup, the sniffo has determined that the system contains "
     "a previous version of VYN. Hence it is recommended that the user upgrade its previous "
     "installation.",
     -1},
    {"TXT_LABEL_DANISH_DA_PLAIN", TXT_LABEL_DANISH_DA_PLAIN, "Dansk", -1},
    {"TXT_LABEL_ENGLISH_DA_PLAIN", TXT_LABEL_ENGLISH_DA_PLAIN, "Engelsk", -1},
    {"TXT_LABEL_DANISH_DA", TXT_LABEL_DANISH_DA, "&Dansk", 0},
    {"TXT_LABEL_ENGLISH_DA", TXT_LABEL_ENGLISH_DA, "&Engelsk", 0},
    {"TXT_LABEL_DANISH_EN", TXT_LABEL_DANISH_EN, "&Danish", 0},
    {"TXT_LABEL_ENGLISH_EN", TXT_LABEL_ENGLISH_EN, "&English", 0},
    {"TXT_CANCEL_DA", TXT_CANCEL_DA, "A&nnuller", 1},
    {"TXT_CANCEL_EN", TXT_CANCEL_EN, "Ca&ncel", 2},
    {"TXT_STANDALONE_DA", TXT_STANDALONE_DA,
     "Nej tak. Jeg \xF8"
     "nsker at installere kalenderen for sig selv - ikke integreret med Zodiamaten.",
     -1},
    {"TXT_STANDALONE_EN", TXT_STANDALONE_EN,
     "No. I wish to install the calendar by itself - not merged with Zodiamat.", -1},
};

TEST(Texts, EveryTextHasItsExactBytesAndAccessKey) {
    for (const TextCase& c : kCatalogue) {
        EXPECT_EQ(std::string(c.actual), std::string(c.expected)) << c.name;
        const std::string text = c.actual;
        const size_t first = text.find('&');
        EXPECT_EQ(first == std::string::npos ? -1 : static_cast<int>(first), c.accessKeyAt)
            << c.name;
        if (first != std::string::npos) {
            EXPECT_EQ(text.find('&', first + 1), std::string::npos) << c.name;
            // The letter after the ampersand is the one Windows underlines.
            const char key = text[first + 1];
            EXPECT_TRUE(key == 'D' || key == 'E' || key == 'n') << c.name;
        }
    }
}

TEST(Texts, TheOSlashIsTheOnlyByteAboveAscii) {
    int above = 0;
    for (const TextCase& c : kCatalogue) {
        const std::string text = c.actual;
        for (size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte <= 0x7F) continue;
            ++above;
            EXPECT_EQ(byte, 0xF8) << c.name << " at " << i;
            EXPECT_STREQ(c.name, "TXT_STANDALONE_DA");
            EXPECT_EQ(i, 13u);  // "Jeg \xF8nsker"
        }
    }
    EXPECT_EQ(above, 1);
}

TEST(Texts, OnlyTheLongDanishGreetingBreaksItsLine) {
    const std::string longDa = TXT_WELCOME_LONG_DA;
    const std::string shortDa = TXT_WELCOME_SHORT_DA;
    EXPECT_EQ(longDa.compare(0, shortDa.size() + 2, shortDa + "\r\n"), 0);
    EXPECT_EQ(longDa.find_first_of("\r\n", shortDa.size() + 2), std::string::npos);
    for (const TextCase& c : kCatalogue) {
        if (c.actual == TXT_WELCOME_LONG_DA) continue;
        EXPECT_EQ(std::strpbrk(c.actual, "\r\n"), nullptr) << c.name;
    }
    // The long English greeting carries the short one's sentence on after a comma.
    const std::string longEn = TXT_WELCOME_LONG_EN;
    const std::string shortEn = TXT_WELCOME_SHORT_EN;
    EXPECT_EQ(longEn.compare(0, shortEn.size(), shortEn.substr(0, shortEn.size() - 1) + ","), 0);
}

TEST(Texts, EnglishCheckboxTextIsTheTemplates) {
    std::ifstream file(SOURCE_DIR "/res/setup.rc", std::ios::binary);
    const std::string script(std::istreambuf_iterator<char>(file), {});
    ASSERT_FALSE(script.empty());
    const std::string control =
        std::string("CONTROL \"") + TXT_STANDALONE_EN + "\", IDC_STANDALONE,";
    EXPECT_NE(script.find(control), std::string::npos);
}

}  // namespace
