// CPicture: its elements, their ownership, comparison, settings and archive form.
#include "limn/pictures/Picture.h"
#include "limn/pictures/DIBElem.h"

#include "hoard/resources/Hoard.h"

#include <limits.h>

#include <algorithm>

IMPLEMENT_SERIAL(CPicture, CDrawableResource, 0)

CPictureClass CPicture::m_resInfo(RUNTIME_CLASS(CPicture));

namespace {

// The size of a rectangle whose edges may lie anywhere, each side at most INT_MAX.
CSize ClampedSize(const CRect& rect)
{
    LONGLONG cx = (LONGLONG)rect.right - rect.left;
    LONGLONG cy = (LONGLONG)rect.bottom - rect.top;
    return CSize(cx > INT_MAX ? INT_MAX : (int)cx, cy > INT_MAX ? INT_MAX : (int)cy);
}

} // namespace

CPicture::CPicture(const CPicture& other)
{
    m_strName = other.m_strName;
    m_extent = other.m_extent;
    try
    {
        for (INT_PTR i = 0; i < other.m_elems.GetSize(); ++i)
        {
            const CPictElemStub& stub = other.m_elems[i];
            INT_PTR iCopy = m_elems.Add(CPictElemStub(NULL, stub.m_rect));
            if (stub.m_pElem != NULL)
                m_elems[iCopy].m_pElem = stub.m_pElem->CreateCopy();
        }
    }
    catch (...)
    {
        RemoveAllPictElems();
        throw;
    }
    if (other.m_pHoard != NULL)
        other.m_pHoard->AddToMap(this);
}

CPicture::~CPicture() { RemoveAllPictElems(); }

CPicture* CPicture::New(CHoard& hoard, const char* pszName)
{
    return static_cast<CPicture*>(hoard.NewResource("CPicture", pszName));
}

CResource* CPicture::UntypedDuplicate() { return new CPicture(*this); }

// Elements

void CPicture::ReleasePictElem(CPictElem* pElem)
{
    auto* pRes = dynamic_cast<CResource*>(pElem);
    if (pRes == NULL)
    {
        delete pElem;
        return;
    }
    // A resource lives by its usage count: the picture gives up its own use, and only
    // a resource that nothing else holds, in no file, goes with the picture.
    pElem->m_ptrSelf = (CResource*)NULL;
    if (pRes->GetHoard() == NULL && pRes->GetUsageCount() == 0)
        delete pElem;
}

void CPicture::LinkSelfPointer(CPictElem* pElem)
{
    if (auto* pRes = dynamic_cast<CResource*>(pElem))
        pElem->m_ptrSelf = pRes;
}

void CPicture::AppendStub(CPictElem* pElem, const CRect& rect)
{
    try
    {
        m_elems.Add(CPictElemStub(pElem, rect));
    }
    catch (...)
    {
        ReleasePictElem(pElem);
        throw;
    }
}

void CPicture::AddPictElem(CPictElem* pElem)
{
    ASSERT(pElem != NULL);
    AddPictElem(pElem, CRect(pElem->GetPosition(), pElem->GetExtent()));
}

void CPicture::AddPictElem(CPictElem* pElem, const CRect& rect)
{
    ASSERT(pElem != NULL);
    AppendStub(pElem, rect);
    m_extent.cx = std::max(m_extent.cx, rect.right);
    m_extent.cy = std::max(m_extent.cy, rect.bottom);
}

void CPicture::AppendWholeElem(CPictElem* pElem)
{
    LinkSelfPointer(pElem);
    AppendStub(pElem, CRect(CPoint(0, 0), pElem->GetExtent()));
    m_extent = pElem->GetExtent();
}

void CPicture::RemoveAllPictElems()
{
    for (INT_PTR i = 0; i < m_elems.GetSize(); ++i)
        ReleasePictElem(m_elems[i].m_pElem);
    m_elems.RemoveAll();
    m_extent = CSize(0, 0);
}

// Settings

void CPicture::SetColor(COLORREF color)
{
    CDrawable::SetColor(color);
    ForEachElem([=](CPictElem* pElem) { pElem->SetColor(color); });
}

void CPicture::SetDefaultColor()
{
    CDrawable::SetDefaultColor();
    ForEachElem([](CPictElem* pElem) { pElem->SetDefaultColor(); });
}

void CPicture::SetTransparentBackground(BOOL bTransparent)
{
    CDrawable::SetTransparentBackground(bTransparent);
    ForEachElem([=](CPictElem* pElem) { pElem->SetTransparentBackground(bTransparent); });
}

void CPicture::FlipHorizontally()
{
    ForEachElem([](CPictElem* pElem) { pElem->FlipHorizontally(); });
    if (m_pHoard != NULL)
        m_pHoard->SetModified(TRUE);
}

void CPicture::FlipVertically()
{
    ForEachElem([](CPictElem* pElem) { pElem->FlipVertically(); });
    if (m_pHoard != NULL)
        m_pHoard->SetModified(TRUE);
}

// Bitmaps

HDIB CPicture::MakeDIB()
{
    for (INT_PTR i = 0; i < m_elems.GetSize(); ++i)
    {
        if (auto* pDIBElem = dynamic_cast<CDIBElem*>(m_elems[i].m_pElem))
            return pDIBElem->CopyDIB();
    }
    return NULL;
}

// Comparison

BOOL CPicture::operator==(const CPicture& other) const
{
    if (m_extent.cx != other.m_extent.cx || m_extent.cy != other.m_extent.cy ||
        m_elems.GetSize() != other.m_elems.GetSize())
        return FALSE;
    for (INT_PTR i = 0; i < m_elems.GetSize(); ++i)
    {
        const CPictElemStub& a = m_elems[i];
        const CPictElemStub& b = other.m_elems[i];
        if (!a.m_rect.EqualRect(&b.m_rect))
            return FALSE;
        if (a.m_pElem == NULL || b.m_pElem == NULL)
        {
            if (a.m_pElem != b.m_pElem)
                return FALSE;
            continue;
        }
        if (a.m_pElem->GetRuntimeClass() != b.m_pElem->GetRuntimeClass() || !a.m_pElem->IsSameAs(b.m_pElem))
            return FALSE;
    }
    return TRUE;
}

BOOL CPicture::IsSameAs(const CResource* pOther) const
{
    auto* pPicture = dynamic_cast<const CPicture*>(pOther);
    return pPicture != NULL && *this == *pPicture;
}

BOOL CPicture::IsSameAs(CDrawable* pOther)
{
    return IsSameAs(static_cast<const CResource*>(dynamic_cast<CPicture*>(pOther)));
}

// Archive form

void CPicture::Serialize(CArchive& ar)
{
    CResource::Serialize(ar);
    if (ar.IsStoring())
    {
        m_elems.Serialize(ar);
        return;
    }
    RemoveAllPictElems();
    m_elems.Serialize(ar);
    CRect rectAll;
    for (INT_PTR i = 0; i < m_elems.GetSize(); ++i)
    {
        LinkSelfPointer(m_elems[i].m_pElem);
        rectAll.UnionRect(&rectAll, &m_elems[i].m_rect);
    }
    m_extent = ClampedSize(rectAll);
}
