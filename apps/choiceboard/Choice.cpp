// CChoice.
#include "Choice.h"
#include "EventLog.h"

#include "hoard/sound/Wav.h"
#include "limn/canvas/Canvas.h"

CChoice* CChoice::s_pSounding = NULL;

namespace {

const int nNameInset = 3;
const int nPressedShift = 2;
const COLORREF crPressed = RGB(255, 204, 0);
const COLORREF crName = RGB(0, 0, 0);
const WORD nNamePoints = 14;

} // namespace

CChoice::CChoice(CDrawableResource* pPicture, const CWav* pSound, CEventLog* pLog)
    : CResourceContainer(NULL, pPicture), m_pSound(pSound), m_pLog(pLog)
{
}

CChoice::~CChoice()
{
    if (s_pSounding == this)
        s_pSounding = NULL;
}

// The sound comes last: what the selection sets off may stop sounds too.
void CChoice::OnSelect()
{
    if (m_pLog != NULL)
        m_pLog->Write("select", GetName());
    CContainer::OnSelect();
    if (m_pSound == NULL || !m_pSound->CanPlay())
        return;
    // The sound that plays ends first, calling back for its own choice; a callback
    // during Play can then only say that this sound could not start.
    CWav::StopAllSound();
    s_pSounding = this;
    m_pSound->Play(FALSE, OnSoundDone);
    if (s_pSounding != this)
        return;
    ForceRedraw(FALSE, NULL);
    if (m_pLog != NULL)
        m_pLog->Write("play", m_pSound->GetName());
}

void CChoice::OnSoundDone(CWav*)
{
    CChoice* pChoice = s_pSounding;
    s_pSounding = NULL;
    if (pChoice != NULL)
        pChoice->ForceRedraw(FALSE, NULL);
}

void CChoice::DrawContents(CCanvas& canvas)
{
    CRect rect;
    GetClientRect(&rect);
    const BOOL bPressed = m_nState == statePressed || IsSounding();
    if (bPressed)
    {
        canvas.SetBrush(crPressed, FALSE);
        // A rectangle filled without a pen stops a pixel short of its right and bottom.
        canvas.FillRectangle(CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1));
        rect.OffsetRect(nPressedShift, nPressedShift);
    }
    if (m_pResource != NULL)
    {
        const CPoint origin = canvas.GetOrigin();
        if (bPressed)
            canvas.OffsetOrigin(CPoint(nPressedShift, nPressedShift));
        try
        {
            CResourceContainer::DrawContents(canvas);
            canvas.SetOrigin(origin);
            return;
        }
        catch (CException* e)
        {
            e->Delete();
            m_pResource = NULL;
            canvas.SetOrigin(origin);
        }
    }
    rect.DeflateRect(nNameInset, nNameInset);
    DrawName(canvas, rect);
}

void CChoice::DrawName(CCanvas& canvas, const CRect& rect)
{
    canvas.SetFont(nNamePoints, "Arial", TRUE, FALSE, FALSE);
    COLORREF crOld = canvas.SetTextColor(crName);
    CRect rectText = rect;
    CSize size = canvas.GetTextDimensions(GetName(), rect.Width());
    if (size.cy < rect.Height())
        rectText.top += (rect.Height() - size.cy) / 2;
    canvas.DrawText(GetName(), rectText, TRUE, textTransparent);
    canvas.SetTextColor(crOld);
}
