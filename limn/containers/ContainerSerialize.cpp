// CContainer's stored record: fields 1 to 15, then the children as an object list; and
// the layout of a tree read back, once it was read whole.
//
// Reading protects the tree from damaged files: a frame or child must be an object of
// the right class stored in full at its place, never a reference; geometry lies within
// maxCoordinate; and the nesting is limited, since every operation on a tree recurses
// through its levels.
#include "limn/containers/Container.h"
#include "limn/containers/ChildWalk.h"
#include "limn/containers/ContainerFrame.h"
#include "limn/containers/OwnedObject.h"

#include <initializer_list>
#include <memory>

namespace {

const int nMaxDepth = 256;
// The containers whose child lists are being read.
int g_nReadDepth = 0;
// The number of the latest read of a tree, never 0; the containers it brings in carry it
// until their layout.
UINT g_nRead = 0;

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

UINT CContainer::m_nReadLayoutRunning = 0;
UINT CContainer::m_nTreeChanges = 0;
UINT CContainer::m_nTreeChangesAtLayout = 0;

// The container whose reading begins a tree lays it out, once it was read whole, and
// invalidates it.
void CContainer::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeFields(ar);
    if (ar.IsStoring())
    {
        SerializeChildren(ar);
        return;
    }
    if (g_nReadDepth > 0)
    {
        m_nReadLayout = g_nRead;
        m_bReadMinimumKnown = FALSE;
        SerializeChildren(ar);
        return;
    }
    if (++g_nRead == 0)
        ++g_nRead;
    const UINT nRead = g_nRead;
    SerializeChildren(ar);
    LayOutReadTree(nRead);
    Invalidate();
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

// The layout of a tree read back

namespace {

// The layout under way and the count of changes when it began, for the time of another.
class CReadLayoutScope
{
public:
    CReadLayoutScope(UINT& rnRunning, UINT& rnChangesAt, UINT nRead, UINT nChanges)
        : m_rnRunning(rnRunning), m_rnChangesAt(rnChangesAt), m_nOuterRunning(rnRunning), m_nOuterChangesAt(rnChangesAt)
    {
        m_rnRunning = nRead;
        m_rnChangesAt = nChanges;
    }
    ~CReadLayoutScope()
    {
        m_rnRunning = m_nOuterRunning;
        m_rnChangesAt = m_nOuterChangesAt;
    }
    CReadLayoutScope(const CReadLayoutScope&) = delete;
    CReadLayoutScope& operator=(const CReadLayoutScope&) = delete;

private:
    UINT& m_rnRunning;
    UINT& m_rnChangesAt;
    const UINT m_nOuterRunning;
    const UINT m_nOuterChangesAt;
};

} // namespace

// Arranging each container as soon as its children were read, deepest first, gives the
// same bounds: there the layout of each parent came last, setting and arranging again
// every child whose bounds it changed. A child arranged after its parent, with the bounds
// that the parent gave it, has that layout too.
void CContainer::LayOutReadTree(UINT nRead)
{
    CReadLayoutScope scope(m_nReadLayoutRunning, m_nTreeChangesAtLayout, nRead, m_nTreeChanges);
    ArrangeReadTree();
}

void CContainer::ArrangeReadTree()
{
    m_nReadLayout = 0;
    CChildWalk walk(this);
    ArrangeChildren();
    while (CContainer* pChild = walk.Next())
    {
        if (pChild->AwaitsReadLayout())
            pChild->ArrangeReadTree();
    }
}

void CContainer::LayOutIfWaiting()
{
    if (AwaitsReadLayout())
        ArrangeReadTree();
}

CSize CContainer::MinimumSizeOf(CContainer* pChild)
{
    if (!pChild->AwaitsReadLayout() || m_nTreeChanges != m_nTreeChangesAtLayout)
        return pChild->GetMinimumSize();
    if (!pChild->m_bReadMinimumKnown)
    {
        pChild->m_sizeReadMinimum = pChild->GetMinimumSize();
        pChild->m_bReadMinimumKnown = TRUE;
    }
    return pChild->m_sizeReadMinimum;
}
