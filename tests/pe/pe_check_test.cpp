// Reads the built setup.exe as a PE file and checks what a careful user of a
// setup program relies on: 32-bit, imports from known system DLLs only, ASLR
// and DEP enabled, and no section both writable and executable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> ReadProgram() {
    std::ifstream file(SETUP_EXE, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at) {
    if (at + 4 > bytes.size()) throw std::out_of_range("PE read past end");
    uint32_t value;
    std::memcpy(&value, &bytes[at], 4);
    return value;
}
uint16_t Read16(const std::vector<uint8_t>& bytes, size_t at) {
    if (at + 2 > bytes.size()) throw std::out_of_range("PE read past end");
    uint16_t value;
    std::memcpy(&value, &bytes[at], 2);
    return value;
}

struct Section {
    uint32_t virtualAddress, virtualSize, rawOffset, rawSize, characteristics;
};

struct Pe {
    std::vector<uint8_t> bytes;
    size_t optional = 0;
    std::vector<Section> sections;
    uint16_t machine = 0;

    explicit Pe(std::vector<uint8_t> data) : bytes(std::move(data)) {
        size_t header = Read32(bytes, 0x3C);
        if (Read32(bytes, header) != 0x00004550) throw std::runtime_error("no PE signature");
        machine = Read16(bytes, header + 4);
        uint16_t count = Read16(bytes, header + 6);
        uint16_t optionalSize = Read16(bytes, header + 20);
        optional = header + 24;
        size_t table = optional + optionalSize;
        for (uint16_t i = 0; i < count; ++i) {
            size_t at = table + 40u * i;
            sections.push_back({Read32(bytes, at + 12), Read32(bytes, at + 8),
                                Read32(bytes, at + 20), Read32(bytes, at + 16),
                                Read32(bytes, at + 36)});
        }
    }

    size_t Offset(uint32_t rva) const {
        for (const Section& s : sections) {
            if (rva >= s.virtualAddress &&
                rva < s.virtualAddress + std::max(s.virtualSize, s.rawSize)) {
                return rva - s.virtualAddress + s.rawOffset;
            }
        }
        throw std::out_of_range("address outside every section");
    }

    std::string String(uint32_t rva) const {
        std::string text;
        for (size_t at = Offset(rva); at < bytes.size() && bytes[at] != 0; ++at) {
            text += static_cast<char>(bytes[at]);
        }
        return text;
    }
};

TEST(Executable, Is32BitWithAslrAndDep) {
    Pe pe(ReadProgram());
    EXPECT_EQ(pe.machine, 0x014C);                     // i386
    EXPECT_EQ(Read16(pe.bytes, pe.optional), 0x010B);  // PE32
    uint16_t dllCharacteristics = Read16(pe.bytes, pe.optional + 70);
    EXPECT_TRUE(dllCharacteristics & 0x0040) << "DYNAMIC_BASE";
    EXPECT_TRUE(dllCharacteristics & 0x0100) << "NX_COMPAT";
    EXPECT_EQ(Read16(pe.bytes, pe.optional + 68), 2) << "a GUI program";
    for (const Section& s : pe.sections) {
        bool writable = s.characteristics & 0x80000000u;
        bool executable = s.characteristics & 0x20000000u;
        EXPECT_FALSE(writable && executable) << "section at " << s.virtualAddress;
    }
}

// The download is the whole product for a user on a slow line: code,
// tables, texts and the uncompressed mascot (about 89 KB) within 150 KiB.
TEST(Executable, FitsItsSizeBudget) {
    EXPECT_LE(ReadProgram().size(), 150u * 1024u);
}

TEST(Executable, ImportsOnlyKnownSystemDlls) {
    Pe pe(ReadProgram());
    const std::set<std::string> allowed = {"KERNEL32.DLL", "USER32.DLL",  "GDI32.DLL",
                                           "ADVAPI32.DLL", "SHELL32.DLL", "MSVCRT.DLL"};
    uint32_t importRva = Read32(pe.bytes, pe.optional + 96 + 8);  // data directory 1
    ASSERT_NE(importRva, 0u);
    std::set<std::string> found;
    for (size_t at = pe.Offset(importRva);; at += 20) {
        uint32_t nameRva = Read32(pe.bytes, at + 12);
        if (nameRva == 0) break;
        std::string name = pe.String(nameRva);
        std::transform(name.begin(), name.end(), name.begin(), ::toupper);
        found.insert(name);
    }
    EXPECT_TRUE(found.count("KERNEL32.DLL"));
    EXPECT_TRUE(found.count("USER32.DLL"));
    for (const std::string& name : found) EXPECT_TRUE(allowed.count(name)) << name;
    // The shell is loaded from the system directory on OK, not at start-up.
    EXPECT_FALSE(found.count("SHELL32.DLL"));
    // No delay-load table pointing elsewhere either.
    uint32_t delayRva = Read32(pe.bytes, pe.optional + 96 + 13 * 8);
    if (delayRva != 0) {
        for (size_t at = pe.Offset(delayRva);; at += 32) {
            uint32_t nameRva = Read32(pe.bytes, at + 4);
            if (nameRva == 0) break;
            std::string name = pe.String(nameRva);
            std::transform(name.begin(), name.end(), name.begin(), ::toupper);
            EXPECT_TRUE(allowed.count(name)) << name;
        }
    }
}

}  // namespace
