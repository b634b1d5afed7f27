// CContainer's stored record: fields 1 to 15, then the children as an object list, read
// inside a suspension of the container's layout so that each container of a loaded tree
// is arranged once, deepest first.
//
// Reading protects the tree from damaged files: a frame or child must be an object of
// the right class stored in full at its place, never a reference; geometry lies within
// maxCoordinate; and the nesting is limited, since every operation on a tree recurses
// through its levels.
#include "limn/containers/Container.h"
#include "limn/containers/ContainerFrame.h"
#include "limn/containers/DisableArrangeBlock.h"
#include "limn/containers/OwnedObject.h"

#include <initializer_list>
#include <memory>

namespace {

const int nMaxDepth = 256;
// The containers whose child lists are being read.
int g_nReadDepth = 0;

class CReadDepth
{
public:
    explicit CReadDepth(CArchive& ar)
    {
        if (g_nReadDepth == nMaxDepth)
            ThrowDamagedArchive(ar);
        ++g_nReadDepth;
    }
    ~CReadDepth() { --g_nReadDepth; }
    CReadDepth(const CReadDepth&) = delete;
    CReadDepth& operator=(const CReadDepth&) = delete;
};

BOOL IsStorable(LONG n) { return n >= -CContainer::maxCoordinate && n <= CContainer::maxCoordinate; }

void ReadGeometry(CArchive& ar, std::initializer_list<LONG*> values)
{
    for (LONG* pValue : values)
    {
        ar >> *pValue;
        if (!IsStorable(*pValue))
            ThrowDamagedArchive(ar);
    }
}

// A tree that could not be read back is not written.
void WriteGeometry(CArchive& ar, std::initializer_list<LONG> values)
{
    for (LONG n : values)
    {
        if (!IsStorable(n))
            AfxThrowNotSupportedException();
        ar << n;
    }
}

} // namespace

void CContainer::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeFields(ar);
    CDisableArrangeBlock block(this);
    SerializeChildren(ar);
}

void CContainer::SerializeFields(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_bSortChildren << m_bVisible;
        WriteGeometry(ar, { m_rectBounds.left, m_rectBounds.top, m_rectBounds.right, m_rectBounds.bottom });
        ar << m_pFrame;
        ar << m_bFill << (DWORD)m_colorFill;
        ar << m_strName;
        WriteGeometry(ar, { m_ptScroll.x, m_ptScroll.y, m_sizeScrollExtent.cx, m_sizeScrollExtent.cy });
        ar << (WORD)m_nState << (WORD)m_arrangeMethod;
        WriteGeometry(ar, { m_sizeMinimum.cx, m_sizeMinimum.cy, m_sizePreferred.cx, m_sizePreferred.cy,
                            m_sizeChildGap.cx, m_sizeChildGap.cy, m_sizeStep.cx, m_sizeStep.cy });
        return;
    }

    ar >> m_bSortChildren >> m_bVisible;
    ReadGeometry(ar, { &m_rectBounds.left, &m_rectBounds.top, &m_rectBounds.right, &m_rectBounds.bottom });
    SetFrame(ReadOwnedObject<CContainerFrame>(ar));
    ar >> m_bFill >> m_colorFill;
    ar >> m_strName;
    ReadGeometry(ar, { &m_ptScroll.x, &m_ptScroll.y, &m_sizeScrollExtent.cx, &m_sizeScrollExtent.cy });
    WORD wState, wMethod;
    ar >> wState >> wMethod;
    m_nState = wState;
    m_arrangeMethod = (ArrangeMethod)wMethod;
    ReadGeometry(ar, { &m_sizeMinimum.cx, &m_sizeMinimum.cy, &m_sizePreferred.cx, &m_sizePreferred.cy,
                       &m_sizeChildGap.cx, &m_sizeChildGap.cy, &m_sizeStep.cx, &m_sizeStep.cy });
}

void CContainer::SerializeChildren(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar.WriteCount((DWORD)m_childList.GetCount());
        for (POSITION pos = m_childList.GetHeadPosition(); pos != NULL;)
            ar << m_childList.GetNext(pos);
        return;
    }

    // A damaged count ends at the end of the data: every child takes bytes.
    CReadDepth depth(ar);
    for (DWORD nChildren = ar.ReadCount(); nChildren != 0; --nChildren)
    {
        std::unique_ptr<CContainer> pChild(ReadOwnedObject<CContainer>(ar));
        if (pChild == NULL)
            ThrowDamagedArchive(ar);
        m_childList.AddTail(pChild.get());
        pChild.release()->m_pParent = this;
    }
}
