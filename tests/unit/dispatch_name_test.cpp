#include <gtest/gtest.h>

#include "../../browser/dispatch_name.h"

namespace {

TEST(DispatchName, OnlyALowercaseEAsFirstCharacterMatches) {
    struct Case {
        const wchar_t* name;
        bool matches;
    } cases[] = {
        {L"enterGame", true}, {L"e", true},       {L"exit", true},  {L"e\u4e2d", true},
        {L"Exit", false},     {L"EnterGame", false}, {L"", false},   {L" enter", false},
        {L"\u00e9", false},   {L"goGame", false},   {nullptr, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsGameViewName(c.name), c.matches) << (c.name ? "named" : "null");
    }
    EXPECT_EQ(kDispidGameView, 10001);
}

}  // namespace
