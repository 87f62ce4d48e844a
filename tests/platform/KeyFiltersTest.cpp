#include "platform/vb/KeyFilters.h"

#include <gtest/gtest.h>

using namespace tylog;

TEST(KeyFilters, UpperCasePassesAllButSmallLetters) {
    const std::pair<int, int> cases[] = {{'q', 'Q'}, {'a', 'A'}, {'z', 'Z'}, {'Q', 'Q'}, {'7', '7'},
                                         {'/', '/'}, {8, 8},     {13, 13},   {0xE9, 0xE9}};
    for (auto [in, out] : cases) {
        int k = in;
        KeyUpperCase(k);
        EXPECT_EQ(k, out) << in;
    }
}

TEST(KeyFilters, DigitsOnlyKeepsDigitsAndBackspace) {
    const std::pair<int, int> cases[] = {{'5', '5'}, {'0', '0'}, {'9', '9'}, {8, 8},
                                         {'a', 0},   {'-', 0},   {' ', 0},   {13, 0}};
    for (auto [in, out] : cases) {
        int k = in;
        KeyDigitsOnly(k);
        EXPECT_EQ(k, out) << in;
    }
}
