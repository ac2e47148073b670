// The stored form of the FTP proxy password.
#include <gtest/gtest.h>

#include <string>

#include "password_scramble.h"

TEST(PasswordScramble, RotatesEachByteLeftByTwoBits)
{
    struct Case {
        std::string plain;
        std::string scrambled;
    };
    const Case cases[] = {
        {"abc", "\x85\x89\x8D"},
        {"\x80", "\x02"},
        {"\x40", "\x01"},
        {"\xFF", "\xFF"},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.plain;
        ScrambleProxyPassword(text.data(), static_cast<int>(text.size()));
        EXPECT_EQ(text, c.scrambled) << "plain " << c.plain;
        UnscrambleProxyPassword(text.data(), static_cast<int>(text.size()));
        EXPECT_EQ(text, c.plain);
    }
}

TEST(PasswordScramble, EveryNonZeroByteStaysNonZeroAndComesBack)
{
    std::string text;
    for (int byte = 1; byte < 256; ++byte)
        text += static_cast<char>(byte);
    std::string scrambled = text;
    ScrambleProxyPassword(scrambled.data(), static_cast<int>(scrambled.size()));
    EXPECT_EQ(scrambled.find('\0'), std::string::npos);
    UnscrambleProxyPassword(scrambled.data(), static_cast<int>(scrambled.size()));
    EXPECT_EQ(scrambled, text);
}

TEST(PasswordScramble, StopsAtTheLengthOrTheTerminator)
{
    char text[] = "abcd\0ef";
    ScrambleProxyPassword(text, 2);
    EXPECT_EQ(std::string(text, 4), "\x85\x89" "cd");
    ScrambleProxyPassword(text + 2, 100);
    EXPECT_EQ(std::string(text, 7), std::string("\x85\x89\x8D\x91\0ef", 7));
    ScrambleProxyPassword(nullptr, 3);
}
