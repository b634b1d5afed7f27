// The media DLLs as programs meet them: their names and exports, QTIM32's initialisation
// count, unknown routines, and bad arguments refused without harm.
#include "media/tests/media_test_util.h"

#include "media/pict/PictWriter.h"

TEST(MediaEntry, BothLibrariesExportTheirEntries)
{
    CMediaModule qtim("QTIM32.DLL");
    CMediaModule cmgr("CMGR32.DLL");
    EXPECT_NE(nullptr, qtim.Export("_EntryPoint"));
    EXPECT_NE(nullptr, cmgr.Export("_EntryPoint"));
    EXPECT_NE(nullptr, cmgr.Export("_CMgrInitialize"));
    EXPECT_NE(nullptr, cmgr.Export("_CMgrTerminate"));
    EXPECT_EQ(nullptr, qtim.Export("QtimEntryPoint"));
}

TEST(MediaEntry, UnknownRoutinesAreRefused)
{
    CMediaModule qtim("QTIM32.DLL");
    CMediaModule cmgr("CMGR32.DLL");
    for (WORD nRoutine : {0, 1, 8, 10, 33, 35, 45, 47, 56, 59, 0xFFFF})
        EXPECT_EQ(MEDIA_UNKNOWN_ROUTINE, qtim.Call(nRoutine, 1, 2, 3, 4)) << "QTIM32 routine " << nRoutine;
    for (WORD nRoutine : {0, 3, 57, 0xFFFF})
        EXPECT_EQ(MEDIA_UNKNOWN_ROUTINE, cmgr.Call(nRoutine, 1, 2, 3, 4)) << "CMGR32 routine " << nRoutine;
}

// Routines 9, 34 and 46 work only between a 57 and its 58; each 57 needs its own 58.
TEST(MediaEntry, InitialisationIsCounted)
{
    CMediaModule qtim("QTIM32.DLL");
    CGlobal hPict(PictureHandleOf(pict::PictWriter(pict::Rect{0, 0, 4, 4}).Finish()));
    const auto toDIB = [&] {
        CGlobal hDIB(reinterpret_cast<HGLOBAL>(qtim.Call(QTIM_PICTURETODIB, reinterpret_cast<LONG_PTR>(hPict.Get()))));
        return hDIB.Get() != NULL;
    };
    QTPICTINFO info{};
    info.cbSize = sizeof(info);
    const LONG_PTR pInfo = reinterpret_cast<LONG_PTR>(&info);

    EXPECT_FALSE(toDIB());
    EXPECT_EQ(QTIM_ERR_NOTINITIALIZED, qtim.Call(QTIM_GETPICTUREINFO, reinterpret_cast<LONG_PTR>(hPict.Get()), pInfo));
    EXPECT_EQ(QTIM_ERR_NOTINITIALIZED, qtim.Call(QTIM_TERMINATE));

    EXPECT_EQ(0, qtim.Call(QTIM_INITIALIZE));
    EXPECT_EQ(0, qtim.Call(QTIM_INITIALIZE));
    EXPECT_TRUE(toDIB());
    EXPECT_EQ(0, qtim.Call(QTIM_TERMINATE));
    EXPECT_TRUE(toDIB()) << "one user is left";
    EXPECT_EQ(0, qtim.Call(QTIM_GETPICTUREINFO, reinterpret_cast<LONG_PTR>(hPict.Get()), pInfo));
    EXPECT_EQ(0, qtim.Call(QTIM_TERMINATE));

    EXPECT_FALSE(toDIB());
    EXPECT_EQ(QTIM_ERR_NOTINITIALIZED, qtim.Call(QTIM_DRAWPICTURE, 0, 0, 0, 0));
    EXPECT_EQ(QTIM_ERR_NOTINITIALIZED, qtim.Call(QTIM_TERMINATE));
}

// NULL, freed, made-up and empty handles, and bytes that are no picture: an error code
// (0 for routine 46), never a crash, and the DC untouched.
TEST(MediaEntry, BadPictureHandlesAreRefused)
{
    CQtim qtim;
    HGLOBAL hFreed = PictureHandleOf({1, 2, 3});
    ::GlobalFree(hFreed);
    CGlobal hEmpty(::GlobalAlloc(GMEM_MOVEABLE, 0));
    CGlobal hJunk(PictureHandleOf(std::vector<uint8_t>(600, 0xA5)));
    CGlobal hShort(PictureHandleOf({0, 10, 0, 0}));
    const struct
    {
        const char* name;
        HGLOBAL h;
        LONG_PTR error;
    } cases[] = {
        {"NULL", NULL, QTIM_ERR_BADHANDLE},
        {"freed", hFreed, QTIM_ERR_BADHANDLE},
        {"made up", reinterpret_cast<HGLOBAL>(0x5A5A5A50), QTIM_ERR_BADHANDLE},
        {"empty", hEmpty.Get(), QTIM_ERR_BADHANDLE},
        {"junk", hJunk.Get(), QTIM_ERR_BADPICTURE},
        {"short", hShort.Get(), QTIM_ERR_BADPICTURE},
    };
    CSurface surface(8, 8, 0x123456);
    const RECT rc{0, 0, 8, 8};
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.error, qtim.Draw(surface.DC(), c.h, rc)) << c.name;
        EXPECT_EQ(nullptr, qtim.ToDIB(c.h)) << c.name;
        QTPICTINFO info{};
        info.cbSize = sizeof(info);
        EXPECT_EQ(c.error, qtim.Call(QTIM_GETPICTUREINFO, reinterpret_cast<LONG_PTR>(c.h),
                                     reinterpret_cast<LONG_PTR>(&info)))
            << c.name;
        EXPECT_EQ(0, surface.CountChangedOutside(RECT{0, 0, 0, 0}, 0x123456)) << c.name;
    }
}

TEST(MediaEntry, BadArgumentsAreRefused)
{
    CQtim qtim;
    CGlobal hPict(PictureHandleOf(pict::PictWriter(pict::Rect{0, 0, 4, 4}).Finish()));
    CSurface surface(4, 4, 0);
    const RECT rc{0, 0, 4, 4};
    EXPECT_EQ(QTIM_ERR_BADARGUMENT, qtim.Call(QTIM_DRAWPICTURE, 0, reinterpret_cast<LONG_PTR>(hPict.Get()),
                                              reinterpret_cast<LONG_PTR>(&rc)));
    EXPECT_EQ(QTIM_ERR_BADARGUMENT, qtim.Call(QTIM_DRAWPICTURE, reinterpret_cast<LONG_PTR>(surface.DC()),
                                              reinterpret_cast<LONG_PTR>(hPict.Get()), 0));
    EXPECT_EQ(QTIM_ERR_BADARGUMENT, qtim.Draw(reinterpret_cast<HDC>(0x12345670), hPict.Get(), rc)) << "no DC";
    EXPECT_EQ(QTIM_ERR_BADARGUMENT, qtim.Call(QTIM_GETPICTUREINFO, reinterpret_cast<LONG_PTR>(hPict.Get()), 0));
    BYTE record[88] = {};
    *reinterpret_cast<DWORD*>(record) = 85;
    EXPECT_EQ(QTIM_ERR_BADARGUMENT, qtim.Call(QTIM_GETPICTUREINFO, reinterpret_cast<LONG_PTR>(hPict.Get()),
                                              reinterpret_cast<LONG_PTR>(record)));
}
