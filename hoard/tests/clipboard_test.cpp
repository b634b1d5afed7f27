// Clipboard transfer of resources, through the real clipboard: the question about
// clashing names and its three answers, the check of the descriptor's type, streams
// that another program may have put there, and data blocks that must arrive whole.
#include "test_support.h"

#include "hoard/resources/ResourceMessages.h"
#include "hoard/runtime/MappedString.h"
#include "hoard/sound/Wav.h"
#include "sound_probe.h"

#include <afxwin.h>

#include <gtest/gtest.h>

// A resource type that cannot complete a paste of a resource whose text is "refuse":
// its Serialize throws the resource. Counts its live instances. Outside the anonymous
// namespace: the archive operator that its serial declaration adds would be unused there.
class CRefusingResource : public CResource
{
    DECLARE_SERIAL(CRefusingResource)
public:
    CRefusingResource() { ++s_nAlive; }
    ~CRefusingResource() override { --s_nAlive; }
    void Serialize(CArchive& ar) override
    {
        CResource::Serialize(ar);
        if (ar.IsStoring())
        {
            ar << m_strText;
            return;
        }
        ar >> m_strText;
        if (m_strText == "refuse")
            throw static_cast<CResource*>(this);
    }
    CString m_strText;
    static int s_nAlive;
};
IMPLEMENT_SERIAL(CRefusingResource, CResource, 0)
int CRefusingResource::s_nAlive = 0;

namespace {

// The application answers the library's message boxes: it records each question and
// gives the answer a test chose.
class CAnsweringApp : public CWinApp
{
public:
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) override
    {
        m_questions.push_back(lpszPrompt);
        m_types.push_back(nType);
        return m_nAnswer;
    }
    int m_nAnswer = IDCANCEL;
    std::vector<std::string> m_questions;
    std::vector<UINT> m_types;
};

// A sound whose samples a test sets.
class CSound : public CWav
{
public:
    static CWav* Add(CHoard& hoard, const char* pszName, const std::string& samples)
    {
        auto* pSound = new CSound;
        pSound->m_format.wf = { WAVE_FORMAT_PCM, 1, 11025, 11025, 1 };
        pSound->m_format.wBitsPerSample = 8;
        pSound->m_data.SetData((DWORD)samples.size(), (void*)samples.data());
        pSound->SetName(pszName);
        hoard.AddToMap(pSound);
        return pSound;
    }
};

std::string SamplesOf(const CResource* pRes)
{
    auto* pWav = dynamic_cast<const CWav*>(pRes);
    return pWav != NULL ? Samples(pWav) : "<not a sound>";
}

// "name=samples" of every resource of the type, in list order.
std::string Contents(const CHoard& hoard, const char* pszType = "CWav")
{
    std::string s;
    const CResourceList* pList = hoard.GetResourceList(pszType);
    for (POSITION pos = pList != NULL ? pList->GetHeadPosition() : NULL; pos != NULL;)
    {
        CResource* pRes = pList->GetNext(pos);
        s += (s.empty() ? "" : " ") + std::string(pRes->GetName()) + "=" + SamplesOf(pRes);
    }
    return s;
}

std::string NamesOf(const CResourceList& list)
{
    std::string s;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        s += (s.empty() ? "" : " ") + std::string(list.GetNext(pos)->GetName());
    return s;
}

std::vector<BYTE> BytesOf(HGLOBAL h)
{
    std::vector<BYTE> bytes(GlobalSize(h));
    memcpy(bytes.data(), GlobalLock(h), bytes.size());
    GlobalUnlock(h);
    GlobalFree(h);
    return bytes;
}

// Puts blocks of bytes on the clipboard under the given formats, and nothing else.
void PutOnClipboard(std::initializer_list<std::pair<UINT, std::vector<BYTE>>> blocks)
{
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    for (const auto& block : blocks)
    {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, block.second.size());
        memcpy(GlobalLock(h), block.second.data(), block.second.size());
        GlobalUnlock(h);
        EXPECT_NE(nullptr, ::SetClipboardData(block.first, h));
    }
    ::CloseClipboard();
}

void CopyNamed(CHoard& hoard, std::initializer_list<const char*> names, const char* pszType = "CWav")
{
    CResourceList list;
    for (const char* pszName : names)
        list.AddTail(hoard.GetResource(pszType, pszName));
    hoard.OnCopyGeneric(list);
}

const char szQuestion[] =
    "This activity already contains one or more %s with the same names as the %s on the clipboard.  Would "
    "you like to replace the %s in your activity with the ones from the clipboard?\n\nPress \"No\" to have "
    "the items pasted in and given unique names.";

std::string Question(const char* pszPlural)
{
    char szText[512];
    snprintf(szText, sizeof szText, szQuestion, pszPlural, pszPlural, pszPlural);
    return szText;
}

class Clipboard : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        static const char szPlural[] = "CWavPlural=sounds\n";
        CMemFile file((BYTE*)szPlural, sizeof szPlural - 1);
        CMappedString::Load(file);
    }

    // A file holding Bell, and the sounds Bell and Horn copied from another file.
    void CopyBellAndHornOverBell()
    {
        CSound::Add(m_source, "Bell", "new bell");
        CSound::Add(m_source, "Horn", "horn");
        CopyNamed(m_source, { "Bell", "Horn" });
        m_pOldBell = CSound::Add(m_target, "Bell", "old bell");
        m_target.SetModified(FALSE);
    }

    CAnsweringApp m_app;
    CHoard m_source, m_target;
    CResource* m_pOldBell = NULL;
    CResourceList m_pasted;
};

// The question

TEST_F(Clipboard, ClashAnsweredYesReplacesTheOldResourceEverywhere)
{
    CopyBellAndHornOverBell();
    CTestResourcePtr pointer(m_pOldBell), second(m_pOldBell);
    m_app.m_nAnswer = IDYES;

    m_target.OnPasteGeneric(m_pasted);

    ASSERT_EQ(1u, m_app.m_questions.size());
    EXPECT_EQ(Question("sounds"), m_app.m_questions[0]) << "the plural display name in all three places";
    EXPECT_EQ((UINT)MB_YESNOCANCEL, m_app.m_types[0] & MB_TYPEMASK);
    EXPECT_EQ("Bell=new bell Horn=horn", Contents(m_target));
    EXPECT_EQ("Bell Horn", NamesOf(m_pasted));
    CResource* pNewBell = m_target.GetResource("CWav", "Bell");
    EXPECT_EQ(pNewBell, pointer.Get()) << "the pointers of the old Bell follow the pasted one";
    EXPECT_EQ(pNewBell, second.Get());
    EXPECT_EQ(2, pNewBell->GetUsageCount());
    EXPECT_EQ(pNewBell, m_pasted.GetHead());
    EXPECT_TRUE(m_target.IsModified());
    EXPECT_EQ(nullptr, CHoard::GetCurSerializing());
}

TEST_F(Clipboard, ClashAnsweredNoNumbersThePastedResources)
{
    CopyBellAndHornOverBell();
    CTestResourcePtr pointer(m_pOldBell);
    m_app.m_nAnswer = IDNO;

    m_target.OnPasteGeneric(m_pasted);

    EXPECT_EQ(1u, m_app.m_questions.size());
    EXPECT_EQ("Bell=old bell Bell2=new bell Horn=horn", Contents(m_target));
    EXPECT_EQ("Bell2 Horn", NamesOf(m_pasted));
    EXPECT_EQ(m_pOldBell, pointer.Get());
}

TEST_F(Clipboard, ClashAnsweredCancelChangesNothing)
{
    CopyBellAndHornOverBell();
    CMessageLog log;
    m_app.m_nAnswer = IDCANCEL;

    m_target.OnPasteGeneric(m_pasted);

    EXPECT_EQ(1u, m_app.m_questions.size());
    EXPECT_EQ("Bell=old bell", Contents(m_target));
    EXPECT_TRUE(m_pasted.IsEmpty());
    EXPECT_FALSE(m_target.IsModified());
    EXPECT_TRUE(log.m_lines.empty());
}

TEST_F(Clipboard, QuestionShowsThePluralKeyWhenItIsNotMapped)
{
    auto* pSource = static_cast<CTestResource*>(m_source.NewResource("CTestResource", "Note"));
    pSource->m_strText = "pasted";
    CopyNamed(m_source, { "Note" }, "CTestResource");
    m_target.NewResource("CTestResource", "note");
    m_app.m_nAnswer = IDYES;

    m_target.OnPasteGeneric(m_pasted);

    ASSERT_EQ(1u, m_app.m_questions.size());
    EXPECT_EQ(Question("CTestResourcePlural"), m_app.m_questions[0]);
    auto* pNote = static_cast<CTestResource*>(m_target.GetResource("CTestResource", "note"));
    ASSERT_NE(nullptr, pNote);
    EXPECT_EQ("pasted", std::string(pNote->m_strText));
    EXPECT_EQ("note", std::string(pNote->GetName())) << "the replacement takes the old resource's name";
    EXPECT_EQ(1, m_target.GetResourceList("CTestResource")->GetCount());
}

TEST_F(Clipboard, PastingIntoTheSourceFileWithYesReplacesEachByItsCopy)
{
    CResource* pBell = CSound::Add(m_source, "Bell", "bell");
    CResource* pHorn = CSound::Add(m_source, "Horn", "horn");
    CTestResourcePtr toBell(pBell), toHorn(pHorn);
    CopyNamed(m_source, { "Bell", "Horn" });
    m_app.m_nAnswer = IDYES;

    m_source.OnPasteGeneric(m_pasted);

    EXPECT_EQ("Bell=bell Horn=horn", Contents(m_source));
    EXPECT_EQ("Bell Horn", NamesOf(m_pasted));
    EXPECT_EQ(m_pasted.GetHead(), toBell.Get());
    EXPECT_EQ(m_pasted.GetTail(), toHorn.Get());
    EXPECT_EQ(m_source.GetResource("CWav", "Bell"), toBell.Get());
}

TEST_F(Clipboard, ResourcesWithoutClashesArePastedWithoutAQuestion)
{
    CSound::Add(m_source, "Bell", "bell");
    CopyNamed(m_source, { "Bell" });

    m_target.OnPasteGeneric(m_pasted);

    EXPECT_TRUE(m_app.m_questions.empty());
    EXPECT_EQ("Bell=bell", Contents(m_target));
    EXPECT_EQ(&m_target, m_pasted.GetHead()->GetHoard());
}

// A receiver of the replacement's rename destroys the next pasted resource: the paste
// goes on without it and does not list it.
TEST_F(Clipboard, ReceiverDestroyingAPastedResourceDuringTheReplacement)
{
    CopyBellAndHornOverBell();
    struct CDestroyer : CMessageReceiver
    {
        CHoard* pHoard = NULL;
        void OnMessage(Message* pMsg) override
        {
            auto* pRenamed = dynamic_cast<MsgRenamedResource*>(pMsg);
            if (pRenamed != NULL && strcmp(pRenamed->m_pszNewName, "Bell") == 0)
                delete pHoard->GetResource("CWav", "Horn");
        }
    } destroyer;
    destroyer.pHoard = &m_target;
    m_app.m_nAnswer = IDYES;

    m_target.OnPasteGeneric(m_pasted);

    EXPECT_EQ("Bell=new bell", Contents(m_target));
    EXPECT_EQ("Bell", NamesOf(m_pasted));
}


TEST_F(Clipboard, ResourceThrownByItsTypeEndsThePasteWithWhatWasRead)
{
    const char* texts[] = { "first", "refuse", "third" };
    CResourceList list;
    for (const char* pszText : texts)
    {
        auto* pRes = new CRefusingResource;
        pRes->m_strText = pszText;
        pRes->SetName(pszText);
        list.AddTail(pRes);
    }
    PutOnClipboard({ { CHoard::GetResourceFormat(), BytesOf(CHoard::WriteResourceStream(list)) } });
    while (!list.IsEmpty())
        delete list.RemoveHead();
    ASSERT_EQ(0, CRefusingResource::s_nAlive);

    m_target.OnPasteGeneric(m_pasted);

    EXPECT_EQ("first", NamesOf(m_pasted));
    EXPECT_EQ(1, CRefusingResource::s_nAlive) << "the refused resource is destroyed once";
    EXPECT_EQ(nullptr, CHoard::GetCurSerializing());
}

// The descriptor

TEST_F(Clipboard, CanPasteGenericComparesTheTypeExactly)
{
    CSound::Add(m_source, "Bell", "bell");
    CopyNamed(m_source, { "Bell" });

    EXPECT_TRUE(CHoard::CanPasteGeneric(NULL));
    EXPECT_TRUE(CHoard::CanPasteGeneric("CWav"));
    EXPECT_FALSE(CHoard::CanPasteGeneric("cwav")) << "letter case counts";
    EXPECT_FALSE(CHoard::CanPasteGeneric("CTestResource"));

    // The descriptor alone answers for a type; the resources alone for no type.
    PutOnClipboard({ { CHoard::GetDescriptorFormat(), BytesOf(CHoard::WriteDescriptorStream(*m_source.GetResourceList("CWav"))) } });
    EXPECT_FALSE(CHoard::CanPasteGeneric(NULL));
    EXPECT_TRUE(CHoard::CanPasteGeneric("CWav"));
    PutOnClipboard({ { CF_TEXT, { 'h', 'i', 0 } } });
    EXPECT_FALSE(CHoard::CanPasteGeneric(NULL));
    EXPECT_FALSE(CHoard::CanPasteGeneric("CWav"));
    PutOnClipboard({ { CHoard::GetDescriptorFormat(), { 0xFF, 0xFF } } });
    EXPECT_FALSE(CHoard::CanPasteGeneric("CWav")) << "a descriptor that cannot be read names no type";
}

TEST_F(Clipboard, WithoutADescriptorClashesAreNumberedWithoutAQuestion)
{
    CSound::Add(m_source, "Bell", "new bell");
    CSound::Add(m_target, "Bell", "old bell");
    PutOnClipboard({ { CHoard::GetResourceFormat(), BytesOf(CHoard::WriteResourceStream(*m_source.GetResourceList("CWav"))) } });
    m_app.m_nAnswer = IDYES;

    m_target.OnPasteGeneric(m_pasted);

    EXPECT_TRUE(m_app.m_questions.empty());
    EXPECT_EQ("Bell=old bell Bell2=new bell", Contents(m_target));
}

TEST_F(Clipboard, NothingToPasteWithoutTheResourceFormat)
{
    CSound::Add(m_target, "Bell", "old bell");
    PutOnClipboard({ { CF_TEXT, { 'h', 'i', 0 } } });

    m_target.OnPasteGeneric(m_pasted);

    EXPECT_TRUE(m_app.m_questions.empty());
    EXPECT_EQ("Bell=old bell", Contents(m_target));
    EXPECT_TRUE(m_pasted.IsEmpty());
}

// Damaged streams: the framework's exception once the paste has ended, what was read
// before the damage pasted as the user chose, and the file's own resources kept.

class DamagedClipboard : public Clipboard
{
protected:
    // The stream of Bell and Horn, cut inside Horn's samples, with the descriptor.
    void PutBellAndCutHorn()
    {
        CSound::Add(m_source, "Bell", "new bell");
        CSound::Add(m_source, "Horn", std::string(5000, 'h'));
        std::vector<BYTE> resources = BytesOf(CHoard::WriteResourceStream(*m_source.GetResourceList("CWav")));
        resources.resize(resources.size() - 100);
        PutOnClipboard({ { CHoard::GetResourceFormat(), resources },
                         { CHoard::GetDescriptorFormat(), BytesOf(CHoard::WriteDescriptorStream(*m_source.GetResourceList("CWav"))) } });
    }

    // The cause of the archive exception that the paste raised, or -1.
    int PasteCause()
    {
        try
        {
            m_target.OnPasteGeneric(m_pasted);
        }
        catch (CArchiveException* e)
        {
            int nCause = e->m_cause;
            e->Delete();
            return nCause;
        }
        return -1;
    }
};

TEST_F(DamagedClipboard, StreamCutShortKeepsWhatWasReadAndTheFilesResources)
{
    PutBellAndCutHorn();
    CSound::Add(m_target, "Keep", "kept");

    EXPECT_EQ(CArchiveException::endOfFile, PasteCause());

    EXPECT_EQ("Keep=kept Bell=new bell", Contents(m_target));
    EXPECT_EQ("Bell", NamesOf(m_pasted));
    EXPECT_EQ(nullptr, CHoard::GetCurSerializing());
    EXPECT_EQ(nullptr, CReloadableData::m_pCurFileReference);
}

TEST_F(DamagedClipboard, ReplacesOnlyByResourcesThatArrivedWhole)
{
    PutBellAndCutHorn();
    CSound::Add(m_target, "Bell", "old bell");
    CSound::Add(m_target, "Horn", "old horn");
    m_app.m_nAnswer = IDYES;

    EXPECT_EQ(CArchiveException::endOfFile, PasteCause());

    EXPECT_EQ("Horn=old horn Bell=new bell", Contents(m_target));
}

TEST_F(DamagedClipboard, ForeignBytesUnderTheFormatsRaiseTheArchiveException)
{
    CSound::Add(m_target, "Keep", "kept");
    const std::vector<BYTE> unknownClass = { 0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x04, 0x00, 'C', 'Z', 'a', 'p' };
    struct
    {
        std::vector<BYTE> resources;
        int nCause;
    } cases[] = {
        { unknownClass, CArchiveException::badClass },
        { { 0x05, 0x00 }, CArchiveException::endOfFile },
        { { 0x01, 0x00, 0x05, 0x00 }, CArchiveException::badIndex },
    };
    for (const auto& c : cases)
    {
        PutOnClipboard({ { CHoard::GetResourceFormat(), c.resources } });
        EXPECT_EQ(c.nCause, PasteCause());
        EXPECT_EQ("Keep=kept", Contents(m_target));
        EXPECT_TRUE(m_pasted.IsEmpty());
    }

    // A damaged descriptor stops the paste before anything is read.
    CSound::Add(m_source, "Bell", "bell");
    PutOnClipboard({ { CHoard::GetResourceFormat(), BytesOf(CHoard::WriteResourceStream(*m_source.GetResourceList("CWav"))) },
                     { CHoard::GetDescriptorFormat(), { 0x04, 'C', 'W', 'a', 'v', 0x05, 0x00, 0x01 } } });
    EXPECT_EQ(CArchiveException::endOfFile, PasteCause());
    EXPECT_EQ("Keep=kept", Contents(m_target));
}

// Data blocks

TEST_F(Clipboard, SoundsArriveByteForByteAlsoFromBlocksNeverRead)
{
    std::string big(100 * 1024, '\0');
    DWORD dwSeed = 7;
    for (char& c : big)
        c = (char)((dwSeed = dwSeed * 1103515245 + 12345) >> 16);
    CScratchFile saved("clipboard-source.hrd");
    {
        CHoard writer;
        CSound::Add(writer, "Big", big);
        CSound::Add(writer, "Empty", "");
        CSound::Add(writer, "Short", "short");
        writer.SaveToFile(saved);
    }
    // Read from a file, the blocks stay there until they are used.
    m_source.LoadFromFile(saved);
    CopyNamed(m_source, { "Big", "Empty", "Short" });
    m_source.RemoveContents();

    m_target.OnPasteGeneric(m_pasted);

    EXPECT_EQ("Big Empty Short", NamesOf(m_pasted));
    auto* pPasted = static_cast<CWav*>(m_target.GetResource("CWav", "Big"));
    ASSERT_NE(nullptr, pPasted);
    EXPECT_TRUE(SamplesOf(pPasted) == big);
    EXPECT_EQ("", SamplesOf(m_target.GetResource("CWav", "Empty")));
    EXPECT_EQ("short", SamplesOf(m_target.GetResource("CWav", "Short")));
    EXPECT_EQ(11025u, pPasted->GetFormat().wf.nSamplesPerSec);
}

// The clipboard's owner

TEST_F(Clipboard, CopiedDataOutlivesItsOwnerWindowAndTheNextCopyHasAnOwnerAgain)
{
    CSound::Add(m_source, "Bell", "bell");
    CSound::Add(m_source, "Horn", "horn");
    CopyNamed(m_source, { "Bell" });
    HWND hOwner = ::GetClipboardOwner();
    ASSERT_NE(nullptr, hOwner);
    EXPECT_EQ(GetCurrentThreadId(), GetWindowThreadProcessId(hOwner, NULL));

    // The data was handed over whole: nothing asks the owner for it.
    ::DestroyWindow(hOwner);
    m_target.OnPasteGeneric(m_pasted);
    EXPECT_EQ("Bell=bell", Contents(m_target));

    // Without an owner the clipboard would refuse the next copy's data.
    CopyNamed(m_source, { "Horn" });
    EXPECT_NE(nullptr, ::GetClipboardOwner());
    CHoard other;
    CResourceList pasted;
    other.OnPasteGeneric(pasted);
    EXPECT_EQ("Horn=horn", Contents(other));
}

TEST_F(Clipboard, OnCopyCopiesOneResourceOfAFileAndNothingOutsideOne)
{
    CResource* pBell = CSound::Add(m_source, "Bell", "bell");
    PutOnClipboard({ { CF_TEXT, { 'h', 'i', 0 } } });
    CSound outside;
    outside.OnCopy();
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_TEXT)) << "a resource in no file copies nothing";

    pBell->OnCopy();
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(CHoard::CanPasteGeneric("CWav"));
    m_target.OnPasteGeneric(m_pasted);
    EXPECT_EQ("Bell=bell", Contents(m_target));
}

} // namespace
