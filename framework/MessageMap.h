// Message maps: each class that handles messages lists them in a const table
// between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP; every table names the table
// of its base class, and a message is looked up from the most derived table
// towards the root, the first matching entry winning.
#pragma once

#include <windows.h>

#include <cstring>

class CMessageTarget;
class CWnd;
class CDC;
class CPoint;

// A handler as stored in a table; the entry's signature says what it really is.
typedef void (CMessageTarget::*PFN_MSGHANDLER)();

// The handler signatures the tables know. Names: result_arguments.
enum MsgSig : unsigned char {
    MsgSig_end = 0,
    MsgSig_v_v,      // void ()
    MsgSig_b_D,      // BOOL (CDC*)
    MsgSig_hb_DWu,   // HBRUSH (CDC*, CWnd*, UINT)
    MsgSig_hb_Du,    // HBRUSH (CDC*, UINT)                    reflected WM_CTLCOLOR
    MsgSig_v_uP,     // void (UINT, CPoint)                    mouse messages
    MsgSig_b_Wuu,    // BOOL (CWnd*, UINT, UINT)               WM_SETCURSOR
    MsgSig_v_W,      // void (CWnd*)                           focus messages
    MsgSig_v_up,     // void (UINT_PTR)                        WM_TIMER
    MsgSig_h_v,      // HCURSOR ()                             WM_QUERYDRAGICON
    MsgSig_l_wl,     // LRESULT (WPARAM, LPARAM)               ON_MESSAGE
    MsgSig_v_u,      // void (UINT)                            ON_CONTROL_RANGE
    MsgSig_i_cs,     // int (LPCREATESTRUCT)                   WM_CREATE
    MsgSig_v_uii,    // void (UINT, int, int)                  WM_SIZE
    MsgSig_u_P,      // UINT (CPoint)                          WM_NCHITTEST
    MsgSig_v_b,      // void (BOOL)                            WM_ENABLE
    MsgSig_v_ii,     // void (int, int)                        WM_MOVE
    MsgSig_v_bu,     // void (BOOL, UINT)                      WM_SHOWWINDOW
    MsgSig_v_uu,     // void (UINT, LPARAM as UINT)            WM_SYSCOMMAND
    MsgSig_v_uuu,    // void (UINT, UINT, UINT)                keyboard messages
    MsgSig_v_iDRAW,  // void (int, LPDRAWITEMSTRUCT)           WM_DRAWITEM
    MsgSig_v_DRAW    // void (LPDRAWITEMSTRUCT)                reflected WM_DRAWITEM
};

struct MessageMapEntry {
    UINT nMessage;  // window message (WM_COMMAND for commands and control notifications)
    UINT nCode;     // notification code for WM_COMMAND entries
    UINT nID;       // first control or command identifier
    UINT nLastID;   // last identifier of a range (== nID for one identifier)
    MsgSig nSig;
    PFN_MSGHANDLER pfn;
};

struct MessageMap {
    const MessageMap* (*pfnGetBaseMap)();  // null for the root table
    const MessageMapEntry* pEntries;       // ends with an MsgSig_end entry
};

// Finds the first entry of the chain starting at pMap for (message, code, id).
const MessageMapEntry* FindMessageEntry(const MessageMap* pMap, UINT nMessage, UINT nCode, UINT nID);

// The root of every object that has a message map.
class CMessageTarget {
public:
    CMessageTarget() {}
    virtual ~CMessageTarget() {}
    virtual const MessageMap* GetMessageMap() const;

protected:
    static const MessageMap* GetThisMessageMap();

public:
    // Runs the handler of a WM_COMMAND (notification code, identifier) from
    // the maps; TRUE when an entry handled it.
    BOOL OnCmdMsg(UINT nID, UINT nCode);
};

// Messages reflected back from a parent to the child they concern are looked
// up in the child's map at this offset.
#define WM_REFLECT_BASE 0xBC00

// Declares the class's table; leaves the access at protected.
#define DECLARE_MESSAGE_MAP() \
public: \
    virtual const MessageMap* GetMessageMap() const; \
protected: \
    static const MessageMap* GetThisMessageMap();

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const MessageMap* theClass::GetThisMessageMap() { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        static const MessageMapEntry s_entries[] = {

#define END_MESSAGE_MAP() \
    { 0, 0, 0, 0, MsgSig_end, nullptr } \
    } \
    ; \
    static const MessageMap s_map = {&TheBaseClass::GetThisMessageMap, s_entries}; \
    (void)sizeof(ThisClass); \
    return &s_map; \
    }

// Reinterprets one handler type of CMessageTarget as another of the same
// size (all of them are); the entry's signature says which one it really is.
template <typename To, typename From>
inline To MessageHandlerCast(From pfn) {
    static_assert(sizeof(To) == sizeof(From), "handler types differ in size");
    To to;
    std::memcpy(&to, &pfn, sizeof(to));
    return to;
}

// Type-checked conversion of a handler to the table's handler type: the
// static_cast accepts only a member of the right signature.
#define SCRIVLO_MSG_PFN(type, member) MessageHandlerCast<PFN_MSGHANDLER>(static_cast<type>(member))

#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, MsgSig_v_v, SCRIVLO_MSG_PFN(void(CWnd::*)(), &ThisClass::OnPaint)},
#define ON_WM_ERASEBKGND() \
    {WM_ERASEBKGND, 0, 0, 0, MsgSig_b_D, SCRIVLO_MSG_PFN(BOOL(CWnd::*)(CDC*), &ThisClass::OnEraseBkgnd)},
#define ON_WM_CTLCOLOR() \
    {WM_CTLCOLORMSGBOX, \
     0, \
     0, \
     0, \
     MsgSig_hb_DWu, \
     SCRIVLO_MSG_PFN(HBRUSH(CWnd::*)(CDC*, CWnd*, UINT), &ThisClass::OnCtlColor)},
#define ON_WM_CTLCOLOR_REFLECT() \
    {WM_REFLECT_BASE + WM_CTLCOLORMSGBOX, \
     0, \
     0, \
     0, \
     MsgSig_hb_Du, \
     SCRIVLO_MSG_PFN(HBRUSH(CWnd::*)(CDC*, UINT), &ThisClass::CtlColor)},
#define ON_WM_LBUTTONDOWN() \
    {WM_LBUTTONDOWN, 0, 0, 0, MsgSig_v_uP, SCRIVLO_MSG_PFN(void(CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonDown)},
#define ON_WM_LBUTTONUP() \
    {WM_LBUTTONUP, 0, 0, 0, MsgSig_v_uP, SCRIVLO_MSG_PFN(void(CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonUp)},
#define ON_WM_LBUTTONDBLCLK() \
    {WM_LBUTTONDBLCLK, 0, 0, 0, MsgSig_v_uP, SCRIVLO_MSG_PFN(void(CWnd::*)(UINT, CPoint), &ThisClass::OnLButtonDblClk)},
#define ON_WM_RBUTTONDOWN() \
    {WM_RBUTTONDOWN, 0, 0, 0, MsgSig_v_uP, SCRIVLO_MSG_PFN(void(CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonDown)},
#define ON_WM_RBUTTONUP() \
    {WM_RBUTTONUP, 0, 0, 0, MsgSig_v_uP, SCRIVLO_MSG_PFN(void(CWnd::*)(UINT, CPoint), &ThisClass::OnRButtonUp)},
#define ON_WM_MOUSEMOVE() \
    {WM_MOUSEMOVE, 0, 0, 0, MsgSig_v_uP, SCRIVLO_MSG_PFN(void(CWnd::*)(UINT, CPoint), &ThisClass::OnMouseMove)},
#define ON_WM_NCLBUTTONDOWN() \
    {WM_NCLBUTTONDOWN, 0, 0, 0, MsgSig_v_uP, SCRIVLO_MSG_PFN(void(CWnd::*)(UINT, CPoint), &ThisClass::OnNcLButtonDown)},
#define ON_WM_SETCURSOR() \
    {WM_SETCURSOR, 0, 0, 0, MsgSig_b_Wuu, SCRIVLO_MSG_PFN(BOOL(CWnd::*)(CWnd*, UINT, UINT), &ThisClass::OnSetCursor)},
#define ON_WM_KILLFOCUS() \
    {WM_KILLFOCUS, 0, 0, 0, MsgSig_v_W, SCRIVLO_MSG_PFN(void(CWnd::*)(CWnd*), &ThisClass::OnKillFocus)},
#define ON_WM_SETFOCUS() \
    {WM_SETFOCUS, 0, 0, 0, MsgSig_v_W, SCRIVLO_MSG_PFN(void(CWnd::*)(CWnd*), &ThisClass::OnSetFocus)},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, MsgSig_v_up, SCRIVLO_MSG_PFN(void(CWnd::*)(UINT_PTR), &ThisClass::OnTimer)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, MsgSig_v_v, SCRIVLO_MSG_PFN(void(CWnd::*)(), &ThisClass::OnDestroy)},
#define ON_WM_NCDESTROY() \
    {WM_NCDESTROY, 0, 0, 0, MsgSig_v_v, SCRIVLO_MSG_PFN(void(CWnd::*)(), &ThisClass::OnNcDestroy)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, MsgSig_v_v, SCRIVLO_MSG_PFN(void(CWnd::*)(), &ThisClass::OnClose)},
#define ON_WM_SYSCOLORCHANGE() \
    {WM_SYSCOLORCHANGE, 0, 0, 0, MsgSig_v_v, SCRIVLO_MSG_PFN(void(CWnd::*)(), &ThisClass::OnSysColorChange)},
#define ON_WM_QUERYDRAGICON() \
    {WM_QUERYDRAGICON, 0, 0, 0, MsgSig_h_v, SCRIVLO_MSG_PFN(HCURSOR(CWnd::*)(), &ThisClass::OnQueryDragIcon)},
#define ON_WM_CREATE() \
    {WM_CREATE, 0, 0, 0, MsgSig_i_cs, SCRIVLO_MSG_PFN(int(CWnd::*)(LPCREATESTRUCT), &ThisClass::OnCreate)},
#define ON_WM_SIZE() \
    {WM_SIZE, 0, 0, 0, MsgSig_v_uii, SCRIVLO_MSG_PFN(void(CWnd::*)(UINT, int, int), &ThisClass::OnSize)},
#define ON_WM_MOVE() {WM_MOVE, 0, 0, 0, MsgSig_v_ii, SCRIVLO_MSG_PFN(void(CWnd::*)(int, int), &ThisClass::OnMove)},
#define ON_WM_NCHITTEST() \
    {WM_NCHITTEST, 0, 0, 0, MsgSig_u_P, SCRIVLO_MSG_PFN(UINT(CWnd::*)(CPoint), &ThisClass::OnNcHitTest)},
#define ON_WM_ENABLE() {WM_ENABLE, 0, 0, 0, MsgSig_v_b, SCRIVLO_MSG_PFN(void(CWnd::*)(BOOL), &ThisClass::OnEnable)},
#define ON_WM_SHOWWINDOW() \
    {WM_SHOWWINDOW, 0, 0, 0, MsgSig_v_bu, SCRIVLO_MSG_PFN(void(CWnd::*)(BOOL, UINT), &ThisClass::OnShowWindow)},
#define ON_WM_SYSCOMMAND() \
    {WM_SYSCOMMAND, 0, 0, 0, MsgSig_v_uu, SCRIVLO_MSG_PFN(void(CWnd::*)(UINT, LPARAM), &ThisClass::OnSysCommand)},
#define ON_WM_KEYDOWN() \
    {WM_KEYDOWN, 0, 0, 0, MsgSig_v_uuu, SCRIVLO_MSG_PFN(void(CWnd::*)(UINT, UINT, UINT), &ThisClass::OnKeyDown)},
#define ON_WM_KEYUP() \
    {WM_KEYUP, 0, 0, 0, MsgSig_v_uuu, SCRIVLO_MSG_PFN(void(CWnd::*)(UINT, UINT, UINT), &ThisClass::OnKeyUp)},
#define ON_WM_CHAR() \
    {WM_CHAR, 0, 0, 0, MsgSig_v_uuu, SCRIVLO_MSG_PFN(void(CWnd::*)(UINT, UINT, UINT), &ThisClass::OnChar)},
#define ON_WM_DRAWITEM() \
    {WM_DRAWITEM, \
     0, \
     0, \
     0, \
     MsgSig_v_iDRAW, \
     SCRIVLO_MSG_PFN(void(CWnd::*)(int, LPDRAWITEMSTRUCT), &ThisClass::OnDrawItem)},

// A private or registered message with an LRESULT (WPARAM, LPARAM) handler.
#define ON_MESSAGE(message, memberFxn) \
    {(UINT)(message), 0, 0, 0, MsgSig_l_wl, SCRIVLO_MSG_PFN(LRESULT(CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},

// A command (menu item, accelerator, button click) with a void () handler.
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, 0,          (UINT)(id), \
     (UINT)(id), MsgSig_v_v, SCRIVLO_MSG_PFN(void(CMessageTarget::*)(), &ThisClass::memberFxn)},

// A control notification from any control in [id, idLast]; the handler gets the identifier.
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_COMMAND,     (UINT)(wNotifyCode), (UINT)(id), \
     (UINT)(idLast), MsgSig_v_u,          SCRIVLO_MSG_PFN(void(CWnd::*)(UINT), &ThisClass::memberFxn)},

// A control notification from one control with a void () handler.
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), \
     (UINT)(id), MsgSig_v_v,          SCRIVLO_MSG_PFN(void(CWnd::*)(), &ThisClass::memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
