// Command targets and message maps: CCmdTarget; the records that BEGIN_MESSAGE_MAP
// builds for a class (AFX_MSGMAP, AFX_MSGMAP_ENTRY) and the handler signatures they
// name (AfxSig); command routing (OnCmdMsg, AFX_CMDHANDLERINFO, AFX_NOTIFY) and the
// command user-interface state CCmdUI. The entry macros are in afxmsg_.h.
#pragma once

#include "afx.h"

class CCmdTarget;
class CCmdUI;
class CMenu;
class CWnd;

#define afx_msg
#define AFX_MSG_CALL

// A handler as a map entry stores it; it is cast back to its real type by signature.
typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)(void);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSGW)(void);

// Handler signatures: the return type, then the parameters (b BOOL, D CDC*, h HBRUSH or
// a handle, i int, l LPARAM, M CMenu*, p CPoint, s a structure pointer, v void,
// w UINT or WPARAM, W CWnd*). Each value names exactly one member-function type.
enum AfxSig
{
    AfxSig_end = 0,

// Window messages
    AfxSig_bD,          // BOOL (CDC*)                      OnEraseBkgnd
    AfxSig_bb,          // BOOL (BOOL)                      OnNcActivate
    AfxSig_bWww,        // BOOL (CWnd*, UINT, UINT)         OnSetCursor
    AfxSig_hDWw,        // HBRUSH (CDC*, CWnd*, UINT)       OnCtlColor
    AfxSig_iwLw,        // int (UINT, CListBox*, UINT)      OnCharToItem, OnVKeyToItem
    AfxSig_iWww,        // int (CWnd*, UINT, UINT)          OnMouseActivate
    AfxSig_is,          // int (LPCREATESTRUCT)             OnCreate
    AfxSig_bs,          // BOOL (LPCREATESTRUCT)            OnNcCreate
    AfxSig_iCOMPARE,    // int (int, LPCOMPAREITEMSTRUCT)   OnCompareItem
    AfxSig_lwl,         // LRESULT (WPARAM, LPARAM)         ON_MESSAGE, ON_REGISTERED_MESSAGE
    AfxSig_vv,          // void ()
    AfxSig_vw,          // void (UINT)                      OnTimer, OnCompacting
    AfxSig_vb,          // void (BOOL)                      OnEnable
    AfxSig_vwWb,        // void (UINT, CWnd*, BOOL)         OnActivate
    AfxSig_vbh,         // void (BOOL, HTASK)               OnActivateApp
    AfxSig_vW,          // void (CWnd*) from wParam         OnSetFocus, OnKillFocus, OnPaletteChanged
    AfxSig_vW2,         // void (CWnd*) from lParam         OnCaptureChanged
    AfxSig_vwp,         // void (UINT, CPoint)              mouse buttons and moves
    AfxSig_wp,          // UINT (CPoint)                    OnNcHitTest
    AfxSig_vwww,        // void (UINT, UINT, UINT)          OnChar, OnKeyDown and their kin
    AfxSig_vbw,         // void (BOOL, UINT)                OnShowWindow
    AfxSig_vwii,        // void (UINT, int, int)            OnSize
    AfxSig_vii,         // void (int, int)                  OnMove
    AfxSig_vwl,         // void (UINT, LPARAM)              OnSysCommand, OnParentNotify
    AfxSig_vwW,         // void (UINT, CWnd*)               OnEnterIdle
    AfxSig_vwwh,        // void (UINT, UINT, HMENU)         OnMenuSelect
    AfxSig_vM,          // void (CMenu*)                    OnInitMenu
    AfxSig_vMwb,        // void (CMenu*, UINT, BOOL)        OnInitMenuPopup
    AfxSig_vwwX,        // void (UINT, UINT, CScrollBar*)   OnHScroll, OnVScroll
    AfxSig_bv,          // BOOL ()                          OnQueryNewPalette
    AfxSig_wv,          // UINT ()                          OnGetDlgCode
    AfxSig_vDRAWITEM,   // void (int, LPDRAWITEMSTRUCT)     OnDrawItem
    AfxSig_vMEASUREITEM,// void (int, LPMEASUREITEMSTRUCT)  OnMeasureItem
    AfxSig_vDELETEITEM, // void (int, LPDELETEITEMSTRUCT)   OnDeleteItem
    AfxSig_vMINMAX,     // void (MINMAXINFO*)               OnGetMinMaxInfo
    AfxSig_vPOS,        // void (WINDOWPOS*)                OnWindowPosChanging, OnWindowPosChanged
    AfxSig_vbWW,        // void (BOOL, CWnd*, CWnd*)        OnMDIActivate
    AfxSig_hv,          // HCURSOR ()                       OnQueryDragIcon
    AfxSig_vWp,         // void (CWnd*, CPoint)             OnContextMenu
    AfxSig_vHDROP,      // void (HDROP)                     OnDropFiles
    AfxSig_bHELPINFO,   // BOOL (HELPINFO*)                 OnHelpInfo
    AfxSig_vbNCCALC,    // void (BOOL, NCCALCSIZE_PARAMS*)  OnNcCalcSize
    AfxSig_vD,          // void (CDC*)                      OnIconEraseBkgnd
    AfxSig_vs,          // void (LPCTSTR)                   OnWinIniChange
    AfxSig_vS,          // void (LPTSTR)                    OnDevModeChange
    AfxSig_vws,         // void (UINT, LPCTSTR)             OnSettingChange

// Window messages reflected to the control that caused them
    AfxSig_hDw,         // HBRUSH (CDC*, UINT)              CtlColor
    AfxSig_vsDRAW,      // void (LPDRAWITEMSTRUCT)          DrawItem
    AfxSig_vsMEASURE,   // void (LPMEASUREITEMSTRUCT)       MeasureItem
    AfxSig_vsDELETE,    // void (LPDELETEITEMSTRUCT)        DeleteItem
    AfxSig_isCOMPARE,   // int (LPCOMPAREITEMSTRUCT)        CompareItem
    AfxSig_iww,         // int (UINT, UINT)                 CharToItem, VKeyToItem
    AfxSig_vww,         // void (UINT, UINT)                HScroll, VScroll

// Commands and notifications (OnCmdMsg)
    AfxSigCmd_v,        // void ()                          ON_COMMAND, ON_CONTROL, ON_CONTROL_REFLECT
    AfxSigCmd_b,        // BOOL ()                          ON_CONTROL_REFLECT_EX
    AfxSigCmd_RANGE,    // void (UINT)                      ON_COMMAND_RANGE, ON_CONTROL_RANGE
    AfxSigCmd_EX,       // BOOL (UINT)                      ON_COMMAND_EX, ON_COMMAND_EX_RANGE
    AfxSigCmdUI,        // void (CCmdUI*)                   ON_UPDATE_COMMAND_UI(_RANGE)
    AfxSigNotify_v,     // void (NMHDR*, LRESULT*)          ON_NOTIFY, ON_NOTIFY_REFLECT
    AfxSigNotify_b,     // BOOL (NMHDR*, LRESULT*)          ON_NOTIFY_REFLECT_EX
    AfxSigNotify_RANGE, // void (UINT, NMHDR*, LRESULT*)    ON_NOTIFY_RANGE
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;      // window message, 0xC000 for a registered message
    UINT nCode;         // control notification code, or CN_COMMAND
    UINT nID;           // first control or command id
    UINT nLastID;       // last id of a range, nID otherwise
    UINT_PTR nSig;      // AfxSig; for a registered message, the address of its number
    AFX_PMSG pfn;       // the handler
};

// One class's map: its entries, ended by an AfxSig_end entry, and its base class's map.
struct AFX_MSGMAP
{
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The entry of lpEntries for nMsg and nCode whose range holds nID, or NULL.
AFX_FRAMEWORK const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry,
                                                                UINT nMsg, UINT nCode, UINT nID);

// Stores a handler of any signature in an entry and gives it back with its real type.
// Converting a member-function pointer to another such type and back is what the map
// is built on, so the warning about it is silenced here only.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
template <class TTo, class TFrom>
inline TTo AfxMemberCast(TFrom pfn)
{
    return reinterpret_cast<TTo>(pfn);
}
#pragma GCC diagnostic pop

// In the class declaration.
#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

// In the implementation file: BEGIN_MESSAGE_MAP, the entries (afxmsg_.h), END_MESSAGE_MAP.
// The entries name handlers through ThisClass, so that a handler of the wrong type
// is a compile error.
#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass [[maybe_unused]]; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = \
        {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

// Command codes for OnCmdMsg
#define CN_COMMAND 0                            // a menu item, accelerator or ON_COMMAND
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))       // pExtra is the CCmdUI to update

// What OnCmdMsg reports instead of calling, when asked for it.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
    void (AFX_MSG_CALL CCmdTarget::*pmf)(void);
};

// pExtra of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// The base of every object that receives commands: windows, documents, the application.
class AFX_FRAMEWORK CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

// Operations
    // The hourglass while the application waits; the calls nest.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

// Overridables
    // Calls the handler of this object's map for command nID: nCode is CN_COMMAND,
    // CN_UPDATE_COMMAND_UI (pExtra the CCmdUI), a control notification code, or
    // MAKELONG(code, message) for WM_NOTIFY (pExtra an AFX_NOTIFY) and for the
    // reflected messages. With pHandlerInfo, names the handler without calling it.
    // FALSE when no entry matches.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    DECLARE_MESSAGE_MAP()
};

// The state of one user-interface item of a command, as an ON_UPDATE_COMMAND_UI
// handler sets it: a menu item (m_pMenu, by position m_nIndex) or a control (m_pOther).
class AFX_FRAMEWORK CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() = default;
    CCmdUI(const CCmdUI&) = delete;
    CCmdUI& operator=(const CCmdUI&) = delete;

// Attributes
    UINT m_nID;
    UINT m_nIndex;          // position of the menu item
    CMenu* m_pMenu;         // the menu of the item, or NULL
    CMenu* m_pSubMenu;      // the popup menu the item opens, or NULL
    CWnd* m_pOther;         // the control, or NULL

// Operations
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);     // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    // The handler leaves the item to the next target on the route.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

// Implementation
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
    UINT m_nIndexMax;       // number of items in m_pMenu
    CMenu* m_pParentMenu;

    // Asks pTarget's route to update the item; an item without any handler is disabled
    // when bDisableIfNoHndler is set. TRUE when an update handler took it.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};
