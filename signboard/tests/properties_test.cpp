#include "signboard/properties.h"

#include <gtest/gtest.h>

#include "rtl/casts.h"
#include "rtl/sysutils.h"
#include "signboard/messages.h"

namespace {

using signboard::TAreaPropertyControls;

TEST(AreaProperties, DefaultsGiveTheSevenMembersInOrder)
{
    EXPECT_EQ(
        signboard::BuildProperties(TAreaPropertyControls{}),
        R"({"fontsize":0,"fontcolor":0,"speed":0,"loop":0,"stoptime":0,"istime":0,"issave":0})");
}

TEST(AreaProperties, LoadThenBuildGivesTheTextBack)
{
    const std::string text =
        R"({"fontsize":3,"fontcolor":1,"speed":100,"loop":1,"stoptime":5,"istime":0,"issave":1})";
    TAreaPropertyControls c;
    signboard::LoadProperties(text, c);
    EXPECT_EQ(c, (TAreaPropertyControls{3, 1, "100", "5", true, false, true}));
    EXPECT_EQ(signboard::BuildProperties(c), text);

    // Members in another order, blanks, and a number the controls cannot show.
    signboard::LoadProperties(
        R"( {"issave":0, "istime":7, "speed":-3, "fontcolor":3, "fontsize":9} )", c);
    EXPECT_EQ(c, (TAreaPropertyControls{-1, 3, "-3", "0", false, true, false}));
    EXPECT_EQ(
        signboard::BuildProperties(c),
        R"({"fontsize":-1,"fontcolor":3,"speed":-3,"loop":0,"stoptime":0,"istime":1,"issave":0})");
}

TEST(AreaProperties, TextsThatAreNoObjectOnlyReset)
{
    // cbloop and the two edits keep what the dialog last showed.
    const TAreaPropertyControls shown{2, 3, "50", "9", true, true, true};
    for (const char* text : {"", "not json", "[1]", "12", "{\"fontsize\":"}) {
        TAreaPropertyControls c = shown;
        signboard::LoadProperties(text, c);
        EXPECT_EQ(c, (TAreaPropertyControls{0, 0, "50", "9", true, false, false})) << text;
    }
    TAreaPropertyControls c = shown;
    EXPECT_THROW(signboard::LoadProperties(R"({"fontsize":"3"})", c), rtl::EInvalidCast);
}

TEST(AreaProperties, SpeedAndDwellMustBeIntegers)
{
    TAreaPropertyControls c;
    c.SpeedText = "fast";
    try {
        signboard::BuildProperties(c);
        FAIL();
    } catch (const rtl::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'fast' is not a valid integer value");
    }
    c.SpeedText = "$10";
    c.StopTimeText = "";
    EXPECT_THROW(signboard::BuildProperties(c), rtl::EConvertError);
    c.StopTimeText = "-2";
    EXPECT_EQ(
        signboard::BuildProperties(c),
        R"({"fontsize":0,"fontcolor":0,"speed":16,"loop":0,"stoptime":-2,"istime":0,"issave":0})");
}

TEST(AreaDialog, PositionAndSizeFields)
{
    struct Case {
        const char *x, *y, *w, *h;
        bool fits;
    };
    // Canvas 192 x 64.
    const Case cases[] = {
        {"64", "0", "128", "16", true},       {"72", "0", "128", "16", false},
        {"0", "48", "128", "16", true},       {"0", "49", "128", "16", false},
        {"-8", "-4", "3", "5", true},  // only the right and bottom edges are checked
        {"ab", "0", "8", "8", false},         {"0", "0", "", "8", false},
        {"0", "0", "8", "8 ", false},         {"2147483647", "0", "2147483647", "8", false},
        {"0", "2147483647", "8", "1", false}, {"0", "0", "99999999999", "8", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(signboard::AreaFieldsFit(c.x, c.y, c.w, c.h, 192, 64), c.fits)
            << c.x << " " << c.y << " " << c.w << " " << c.h;
    }
}

TEST(AreaDialog, OnlyASuccessfulOkConfirms)
{
    signboard::TAreaDialogState dialog;
    std::string message;
    const TAreaPropertyControls controls{1, 2, "0", "0", false, false, true};

    dialog.Shown();
    EXPECT_EQ(dialog.Confirmed, 0);  // closed any other way: not confirmed

    EXPECT_FALSE(dialog.Ok("72", "0", "128", "16", 192, 64, controls, message));
    EXPECT_EQ(message, signboard::kMsgAreaCoordsBad);
    EXPECT_EQ(dialog.Confirmed, 0);
    EXPECT_TRUE(dialog.PropertyText.empty());

    TAreaPropertyControls badSpeed = controls;
    badSpeed.SpeedText = "x";
    EXPECT_THROW(dialog.Ok("0", "0", "8", "8", 192, 64, badSpeed, message), rtl::EConvertError);
    EXPECT_EQ(dialog.Confirmed, 0);
    EXPECT_TRUE(dialog.PropertyText.empty());

    EXPECT_TRUE(dialog.Ok("64", "0", "128", "16", 192, 64, controls, message));
    EXPECT_EQ(dialog.Confirmed, 1);
    const std::string built = signboard::BuildProperties(controls);
    EXPECT_EQ(dialog.PropertyText, built);

    // Shown again and cancelled: the text of the earlier OK stays.
    dialog.Shown();
    dialog.Cancelled();
    EXPECT_EQ(dialog.Confirmed, 0);
    EXPECT_EQ(dialog.PropertyText, built);
}

TEST(AreaDialog, NewAreaWidth)
{
    EXPECT_EQ(signboard::NewAreaWidthText("192"), "128");
    EXPECT_EQ(signboard::NewAreaWidthText("96"), "96");
    EXPECT_EQ(signboard::NewAreaWidthText("128"), "128");
    EXPECT_THROW(signboard::NewAreaWidthText("wide"), rtl::EConvertError);
}

}  // namespace
