// The gadget resource type of the dialog tests.
#include "dialogs_support.h"

#include "hoard/runtime/MappedString.h"

namespace {

class CGadgetClass : public CResourceClass
{
public:
    explicit CGadgetClass(CRuntimeClass* pClass) : CResourceClass(pClass) { m_bCanPreview = TRUE; }

    void OnInitClass() override
    {
        for (const char* psz : { "One", "Two", "Three", "Four", "Five", "Six" })
            AddCommand(psz);
    }
    ClipboardResult CanConvertClipboard() override { return CGadget::s_clipboard; }
    BOOL CanDoCommand(WORD nCommand, const CHoard&, const CResource*) override { return nCommand != 1; }
    void OnCommand(WORD nCommand, const CHoard&, CResource* pSelected, CEditProxy& proxy) override
    {
        if (CGadget::s_onCommand)
            CGadget::s_onCommand(nCommand, pSelected, proxy);
    }
};

CGadgetClass g_gadgetClass(RUNTIME_CLASS(CGadget));

} // namespace

IMPLEMENT_DYNCREATE(CGadget, CResource)

std::vector<std::string> CGadget::s_calls;
BOOL CGadget::s_bRefuseNew = FALSE;
ClipboardResult CGadget::s_clipboard = clipNone;
std::function<void(WORD, CResource*, CEditProxy&)> CGadget::s_onCommand;

void CGadget::Reset()
{
    s_calls.clear();
    s_bRefuseNew = FALSE;
    s_clipboard = clipNone;
    s_onCommand = nullptr;
}

CResourceClass* CGadget::GetResourceClass() { return &g_gadgetClass; }

BOOL CGadget::OnNew()
{
    s_calls.push_back("new " + std::string(GetName()));
    return !s_bRefuseNew;
}

void CGadget::OnPaste() { s_calls.push_back("paste " + std::string(GetName())); }

void CGadget::OnDoubleClick() { s_calls.push_back("double-click " + std::string(GetName())); }

void CGadget::OnCopy() { s_calls.push_back("copy " + std::string(GetName())); }

void CGadget::DrawPreview(CDC* pDC, CWnd*, const CRect& rect)
{
    char sz[128];
    snprintf(sz, sizeof sz, "preview %s %ld,%ld,%ld,%ld", (LPCSTR)GetName(), rect.left, rect.top, rect.right,
             rect.bottom);
    s_calls.push_back(sz);
    pDC->FillSolidRect(&rect, crPreview);
}

void MapGadgetNames()
{
    static const char szNames[] = "CGadget=Gadget\r\nCGadgetPlural=Gadgets\r\n";
    CMemFile file((BYTE*)szNames, sizeof szNames - 1);
    CMappedString::Load(file);
}
