// Boards made by the board builder, opened by the choice board as they were written: a
// choice plays its own sound after saving merged it with another choice's identical one.
#include "board_fixture.h"

#include "BoardBuilder.h"

#include "hoard/resources/Hoard.h"
#include "hoard/sound/Wav.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/pictures/Picture.h"

using namespace board_test;

namespace {

class BuiltBoard : public ChoiceBoard
{
protected:
    ~BuiltBoard() override
    {
        for (const char* pszName : { "gamma.wav", "built.lmd" })
            ::DeleteFileA(Path(pszName));
    }
};

// "beta" and "gamma" are the same tone, so the save keeps only "beta"; the choice "two"
// still plays it, after its board was read back by the program.
TEST_F(BuiltBoard, AChoiceWhoseSoundWasMergedStillPlaysIt)
{
    {
        CHoard hoard;
        AddPicture(hoard, "alpha");
        AddSound(hoard, "beta");
        AddSound(hoard, "gamma");
        CBoardBuilder builder(hoard);
        builder.SetTitle("Sounds");
        BoardChoice one;
        one.strName = "one";
        one.pPicture = hoard.GetResource("CPicture", "alpha");
        one.pSound = hoard.GetResource("CWav", "beta");
        builder.AddChoice(one);
        BoardChoice two;
        two.strName = "two";
        two.pSound = hoard.GetResource("CWav", "gamma");
        builder.AddChoice(two);
        builder.Save(Path("built.lmd"));
    }
    {
        CHoard hoard;
        delete CMainContainerRecord::LoadFile(Path("built.lmd"), hoard);
        const CResourceList* pSounds = hoard.GetResourceList("CWav");
        ASSERT_NE(nullptr, pSounds);
        ASSERT_EQ(1, pSounds->GetCount()) << "the identical sounds were not merged";
    }

    StartBoard({ Path("built.lmd") }, "built.lmd");
    PressFor("ctrl+right", "focus title");
    // A level of few entries is scanned flat: the title, then the row's choices.
    PressFor("ctrl+right", "focus one");
    PressFor("ctrl+right", "focus two");
    PressFor("ctrl+down", "select two");
    ExpectLine("play beta");
    ExpectLog({ "focus title", "focus one", "focus two", "select two", "play beta" });
}

} // namespace
