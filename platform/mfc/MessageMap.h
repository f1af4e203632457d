#pragma once
#include "AfxConstants.h"

#include <commctrl.h>

// Message maps: the tables through which window objects answer messages and command targets answer
// commands, notifications and command-UI updates.
//
// A class declares its map with DECLARE_MESSAGE_MAP() and lists its entries in its .cpp between
// BEGIN_MESSAGE_MAP(theClass, baseClass) and END_MESSAGE_MAP(). Lookups walk the class's map first,
// then its base classes' maps; the first matching entry wins. Each entry holds a small generated
// function (a thunk) that unpacks the message and calls the handler with its typed arguments, so a
// handler with the wrong signature does not compile.
//
// This header has the machinery and the command entries (ON_COMMAND, ON_NOTIFY, ON_CONTROL, ...,
// ON_MESSAGE, ON_REGISTERED_MESSAGE); the ON_WM_* entries of window messages are in WndMsgMap.h and
// the update entries (ON_UPDATE_COMMAND_UI...) in CmdUI.h.

class CCmdTarget;

#define afx_msg

// One dispatch: the message and its arguments, and the answer the handler leaves.
struct AFX_MSGCALL {
    UINT nMessage;  // the message as it arrived (WM_CTLCOLORBTN, not WM_CTLCOLOR)
    UINT nID;       // command, control or notifying control id; 0 for window messages
    WPARAM wParam;
    LPARAM lParam;
    void* pExtra;     // CCmdUI* for updates, AFX_NOTIFY* for notifications
    LRESULT lResult;  // a window message's answer
};

// Calls one handler. Answers FALSE when the handler declines (the ..._EX forms, an update handler
// that continues routing); the message then counts as not handled.
typedef BOOL (*AFX_PMSGTHUNK)(CCmdTarget* pTarget, AFX_MSGCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;                    // window message, or WM_COMMAND / WM_NOTIFY (+ WM_REFLECT_BASE)
    UINT nCode;                       // control or notification code (16 bits), CN_UPDATE_COMMAND_UI
    UINT nID;                         // first id of the range (0 for window messages)
    UINT nLastID;                     // last id of the range
    const UINT* pnRegisteredMessage;  // ON_REGISTERED_MESSAGE: the variable that holds the number
    AFX_PMSGTHUNK pfn;                // NULL ends a map
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // NULL for CCmdTarget's map, the end of every chain
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// pExtra of WM_NOTIFY commands.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Filled by OnCmdMsg when asked whether a handler exists (instead of calling it).
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

// The first entry for (message, code, id) in pMap and its bases, or NULL.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode, UINT nID);

// clang-format off
// ---- Declaring and defining a map

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define AFX_MESSAGE_MAP_BODY(theClass, baseClass) \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() { \
        AFX_MESSAGE_MAP_BODY(theClass, baseClass)

// For class templates such as frame bases over a chosen frame class.
#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass) \
    template <typename type_name> \
    const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const { return GetThisMessageMap(); } \
    template <typename type_name> \
    const AFX_MSGMAP* theClass<type_name>::GetThisMessageMap() { \
        AFX_MESSAGE_MAP_BODY(theClass<type_name>, baseClass)

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, nullptr, nullptr}}; \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, _messageEntries}; \
        return &messageMap; \
    }

// clang-format on
// ---- Thunk helpers

template <class Pmf>
struct AfxHandlerClass;
template <class C, class R, class... A>
struct AfxHandlerClass<R (C::*)(A...)> {
    using type = C;
};

// The object whose handler pmf is: the target, cast to the class that declares the handler.
template <auto pmf>
inline auto* AfxHandlerTarget(CCmdTarget* pTarget) {
    return static_cast<typename AfxHandlerClass<decltype(pmf)>::type*>(pTarget);
}

// ---- Thunks of the command entries

template <auto pmf>
BOOL AfxThunkCommand(CCmdTarget* p, AFX_MSGCALL&) {  // void f()
    (AfxHandlerTarget<pmf>(p)->*pmf)();
    return TRUE;
}
template <auto pmf>
BOOL AfxThunkCommandEx(CCmdTarget* p, AFX_MSGCALL& c) {  // BOOL f(UINT id)
    return (AfxHandlerTarget<pmf>(p)->*pmf)(c.nID);
}
template <auto pmf>
BOOL AfxThunkCommandRange(CCmdTarget* p, AFX_MSGCALL& c) {  // void f(UINT id)
    (AfxHandlerTarget<pmf>(p)->*pmf)(c.nID);
    return TRUE;
}
template <auto pmf>
BOOL AfxThunkControlEx(CCmdTarget* p, AFX_MSGCALL&) {  // BOOL f()
    return (AfxHandlerTarget<pmf>(p)->*pmf)();
}
template <auto pmf>
BOOL AfxThunkNotify(CCmdTarget* p, AFX_MSGCALL& c) {  // void f(NMHDR*, LRESULT*)
    auto* pNotify = static_cast<AFX_NOTIFY*>(c.pExtra);
    (AfxHandlerTarget<pmf>(p)->*pmf)(pNotify->pNMHDR, pNotify->pResult);
    return TRUE;
}
template <auto pmf>
BOOL AfxThunkNotifyEx(CCmdTarget* p, AFX_MSGCALL& c) {  // BOOL f(NMHDR*, LRESULT*)
    auto* pNotify = static_cast<AFX_NOTIFY*>(c.pExtra);
    return (AfxHandlerTarget<pmf>(p)->*pmf)(pNotify->pNMHDR, pNotify->pResult);
}
template <auto pmf>
BOOL AfxThunkNotifyRange(CCmdTarget* p, AFX_MSGCALL& c) {  // void f(UINT id, NMHDR*, LRESULT*)
    auto* pNotify = static_cast<AFX_NOTIFY*>(c.pExtra);
    (AfxHandlerTarget<pmf>(p)->*pmf)(c.nID, pNotify->pNMHDR, pNotify->pResult);
    return TRUE;
}
template <auto pmf>
BOOL AfxThunkNotifyRangeEx(CCmdTarget* p, AFX_MSGCALL& c) {  // BOOL f(UINT id, NMHDR*, LRESULT*)
    auto* pNotify = static_cast<AFX_NOTIFY*>(c.pExtra);
    return (AfxHandlerTarget<pmf>(p)->*pmf)(c.nID, pNotify->pNMHDR, pNotify->pResult);
}
template <auto pmf>
BOOL AfxThunkMessage(CCmdTarget* p, AFX_MSGCALL& c) {  // LRESULT f(WPARAM, LPARAM)
    c.lResult = (AfxHandlerTarget<pmf>(p)->*pmf)(c.wParam, c.lParam);
    return TRUE;
}

// clang-format off
#define AFX_NOTIFY_CODE(code) static_cast<UINT>(static_cast<WORD>(static_cast<int>(code)))

// ---- Command entries (the handler signatures are MFC's)

// void f()
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), nullptr, \
     &AfxThunkCommand<&ThisClass::memberFxn>},
// BOOL f(UINT id): FALSE passes the command on
#define ON_COMMAND_EX(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), nullptr, \
     &AfxThunkCommandEx<&ThisClass::memberFxn>},
// void f(UINT id)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(idLast), nullptr, \
     &AfxThunkCommandRange<&ThisClass::memberFxn>},

// void f(): a control's WM_COMMAND notification code from control id
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, AFX_NOTIFY_CODE(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), nullptr, \
     &AfxThunkCommand<&ThisClass::memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)

// void f(NMHDR*, LRESULT*)
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, AFX_NOTIFY_CODE(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), nullptr, \
     &AfxThunkNotify<&ThisClass::memberFxn>},
// void f(UINT id, NMHDR*, LRESULT*)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY, AFX_NOTIFY_CODE(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(idLast), nullptr, \
     &AfxThunkNotifyRange<&ThisClass::memberFxn>},
// BOOL f(UINT id, NMHDR*, LRESULT*): FALSE passes the notification on
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, AFX_NOTIFY_CODE(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id), nullptr, \
     &AfxThunkNotifyRangeEx<&ThisClass::memberFxn>},

// Reflected to the control that sent them (the control's own map answers before its parent's).
// void f(NMHDR*, LRESULT*)
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, AFX_NOTIFY_CODE(wNotifyCode), 0, 0, nullptr, \
     &AfxThunkNotify<&ThisClass::memberFxn>},
// BOOL f(NMHDR*, LRESULT*): FALSE lets the parent see the notification too
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_NOTIFY, AFX_NOTIFY_CODE(wNotifyCode), 0, 0, nullptr, \
     &AfxThunkNotifyEx<&ThisClass::memberFxn>},
// void f()
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, AFX_NOTIFY_CODE(wNotifyCode), 0, 0, nullptr, \
     &AfxThunkCommand<&ThisClass::memberFxn>},
// BOOL f(): FALSE lets the parent see the notification too
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, AFX_NOTIFY_CODE(wNotifyCode), 0, 0, nullptr, \
     &AfxThunkControlEx<&ThisClass::memberFxn>},

// LRESULT f(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn) \
    {static_cast<UINT>(message), 0, 0, 0, nullptr, &AfxThunkMessage<&ThisClass::memberFxn>},
// LRESULT f(WPARAM, LPARAM); nMessageVariable holds a RegisterWindowMessage number
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0, 0, 0, 0, &(nMessageVariable), &AfxThunkMessage<&ThisClass::memberFxn>},
// clang-format on
