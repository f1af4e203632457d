#pragma once
#include "TkMarkupDelegate.h"

#include <list>
#include <unordered_map>

// CTkMarkupInputElement: the base of every element that takes part in input (all visual elements and
// the text content elements). It ties the element to the markup context that made it, carries the input
// properties, holds the handler lists of routed events and raises them, receives the mouse input that
// the context routes to it through the virtual handlers, and extends the value lookup with the values of
// active triggers, of its style and of its type's default style. UI thread only.

class CTkMarkupActiveTriggerCollection;
class CTkMarkupContext;
class CTkMarkupProperties;
class CTkMarkupRoutedEvent;
class CTkMarkupStyle;
class CTkMarkupInputElement;

// The arguments of a routed event, filled by whoever raises it.
struct CTkMarkupRoutedEventArgs {
    CTkMarkupRoutedEvent* pEvent = nullptr;    // NULL for notifications without an event
    CTkMarkupInputElement* pSource = nullptr;  // the element the input is about
    BOOL bHandled = FALSE;                     // any handler may set it
};

struct CTkMarkupMouseEventArgs : CTkMarkupRoutedEventArgs {
    HWND hWnd = nullptr;  // the host window
    int x = 0;            // in the root's coordinates
    int y = 0;
};

struct CTkMarkupQueryCursorEventArgs : CTkMarkupMouseEventArgs {
    HCURSOR hCursor = nullptr;  // the cursor the handler chose
};

struct CTkMarkupMouseWheelEventArgs : CTkMarkupMouseEventArgs {
    int nDelta = 0;  // WHEEL_DELTA units
};

class CTkMarkupInputElement : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupInputElement();

    // The context that made this element (one reference, given back at the final release); NULL for an
    // element made without one.
    CTkMarkupContext* GetMarkupContext() const { return m_pContext; }

    // ---- Routed events
    // Takes over pDelegate, appended to the event's list.
    void AddHandler(CTkMarkupRoutedEvent* pEvent, CTkMarkupDelegate* pDelegate);
    // Direct events run the element's handlers; bubbling ones run those of the element and of each input
    // element above it until one marks the arguments handled; then, still unhandled, the context's.
    static void RaiseEvent(CTkMarkupInputElement* pElement, CTkMarkupRoutedEventArgs* pArgs);
    // The mouse position of the arguments in pElement's coordinates.
    static CPoint GetPosition(const CTkMarkupMouseEventArgs& args, const CTkMarkupInputElement* pElement);

    // ---- Capture and focus, through the context (nothing without one)
    void CaptureMouse();
    void ReleaseMouseCapture();
    void Focus();

    // ---- Styles
    // OnApplyStyle for every input element of the tree, children before their parent.
    static void ApplyStyles(CTkMarkupObject* pRoot);
    // The explicit or implicit style; NULL when none.
    CTkMarkupStyle* GetStyle() const { return m_pStyle; }
    // Re-evaluates the triggers after pProperty took pValue (NULL, NULL: all of them) and notifies the
    // properties whose trigger values changed.
    void UpdateTriggers(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue);

    // ---- Input the context routes here (the base handlers do what their comments say, else nothing)
    virtual void OnMouseLeave(CTkMarkupMouseEventArgs* pArgs);  // clears the local "IsMouseOver"
    virtual void OnMouseEnter(CTkMarkupMouseEventArgs* pArgs);  // sets "IsMouseOver" true
    virtual void OnMouseMove(CTkMarkupMouseEventArgs* pArgs);
    // With a "Cursor" value: that system cursor, handled.
    virtual void OnQueryCursor(CTkMarkupQueryCursorEventArgs* pArgs);
    virtual void OnMouseLeftButtonUp(CTkMarkupMouseEventArgs* pArgs);
    virtual void OnMouseRightButtonUp(CTkMarkupMouseEventArgs* pArgs);
    virtual void OnMouseLeftButtonDown(CTkMarkupMouseEventArgs* pArgs);
    virtual void OnMouseRightButtonDown(CTkMarkupMouseEventArgs* pArgs);
    virtual void OnLostMouseCapture(CTkMarkupMouseEventArgs* pArgs);
    virtual void OnMouseWheel(CTkMarkupMouseWheelEventArgs* pArgs);
    // The element hit at a point of the parent's coordinates, or NULL; the base hits nothing.
    virtual CTkMarkupInputElement* HitTest(int x, int y);
    // Finds the implicit style (by type, in the resources above) and evaluates the triggers.
    virtual void OnApplyStyle();

    // ---- Overrides
    // The local value, then the active triggers', the style's and the type's default style's values.
    CTkMarkupObject* GetLocalValue(CTkMarkupDependencyProperty* pProperty) const override;
    // An event attribute names a delegate of the context.
    void SetPropertyObject(CTkMarkupBuilder* pBuilder, CTkMarkupDependencyProperty* pProperty,
                           CTkMarkupObject* pValue) override;

    // ---- Properties and events
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pCursorProperty;  // system cursor id
    static CTkMarkupDependencyProperty* s_pIsMouseOverProperty;
    static CTkMarkupDependencyProperty* s_pResourcesProperty;  // the style's, shared
    static CTkMarkupDependencyProperty* s_pStyleProperty;
    static CTkMarkupDependencyProperty* s_pIsKeyboardFocusedProperty;  // draws the focus visual
    static CTkMarkupDependencyProperty* s_pIsFocusableProperty;
    static CTkMarkupDependencyProperty* s_pToolTipProperty;
    static CTkMarkupRoutedEvent* s_pMouseLeaveEvent;
    static CTkMarkupRoutedEvent* s_pMouseEnterEvent;
    static CTkMarkupRoutedEvent* s_pMouseLeftButtonUpEvent;
    static CTkMarkupRoutedEvent* s_pMouseLeftButtonDownEvent;
    static CTkMarkupRoutedEvent* s_pMouseRightButtonUpEvent;
    static CTkMarkupRoutedEvent* s_pMouseRightButtonDownEvent;
    static CTkMarkupRoutedEvent* s_pMouseMoveEvent;
    static CTkMarkupRoutedEvent* s_pLostMouseCaptureEvent;

protected:
    ~CTkMarkupInputElement() override;
    // Tells the context first, which gives back the element's reference on it.
    void OnFinalRelease() override;

private:
    friend class CTkMarkupContext;
    using HandlerList = std::list<CTkMarkupPtr<CTkMarkupDelegate>>;

    // Runs the element's handlers of the event in list order; a handler's "handled" does not stop them.
    void ExecuteHandlers(CTkMarkupRoutedEventArgs* pArgs);
    static void OnStyleChanged(CTkMarkupObject* pObject, const CTkMarkupPropertyChange& change);
    void SetStyle(CTkMarkupStyle* pStyle);
    // Appends the triggers of pStyle (its base style's first) that match; TRUE when one did.
    BOOL CheckTriggers(CTkMarkupStyle* pStyle, CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue);

    std::unordered_map<CTkMarkupRoutedEvent*, HandlerList> m_handlers;
    CTkMarkupContext* m_pContext = nullptr;                         // one reference
    CTkMarkupActiveTriggerCollection* m_pActiveTriggers = nullptr;  // owned; made on first use
    CTkMarkupProperties* m_pTriggerValues = nullptr;                // owned; made on first use
    // Held, not borrowed: an implicit style lives in an ancestor's resources, and an element may outlive
    // its ancestors (the context's hot element does).
    CTkMarkupStyle* m_pStyle = nullptr;
};
