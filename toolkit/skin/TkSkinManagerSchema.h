#pragma once
#include "mfc.h"

#include "TkSkinSchemaNames.h"

// CTkSkinManagerSchema: the properties of a skin, read from its INI text and looked up by visual-style
// class, part, state and property id, falling back from the state to the part, the class and finally the
// skin's global defaults. The drawing operations are those of the schema the skin draws with, which
// derives from this one.
//
// The skin manager owns the schema of the loaded skin. It is filled once, on the thread that opens the
// skin, and only read afterwards, from any painting thread, without locks.
//
// INI text: a line loses leading white space; ';' starts a comment; the rest is upper-cased (a-z only), so
// names compare without case and string values are kept in capitals. "[class.part(state)]" opens a
// section, its last character dropped as the ']' whatever it is. "name = value" lines store a property of
// the section; the last line of a name wins.

class CTkSkinManager;
class CTkSkinManagerClass;
class CTkSkinManagerResourceFile;
class CTkSkinObjectFrame;
struct SCROLLBARPOSITION;

// One parsed property: its type (TkSkinValueType), its id and its value.
class CTkSkinManagerSchemaProperty {
public:
    int m_nType = tkSkinValueNone;
    int m_nPropertyId = 0;
    union {
        int m_nValue;   // int, enumeration
        BOOL m_bValue;  // bool
        COLORREF m_clrValue;
        RECT m_rcValue;  // rectangle: left, top, right, bottom
        POINT m_ptValue;
    };
    CString m_strValue;  // string
    LOGFONTW m_lfValue;  // font

    CTkSkinManagerSchemaProperty() : m_rcValue{}, m_lfValue{} {}
};

// The key of a property: state << 26 | part << 20 | class << 14 | property id, in 32 bits.
UINT MakeSchemaKey(int nClassId, int nPartId, int nStateId, int nPropertyId);
// The key of a section name "class", "class.part", "class(state)" or "class.part(state)" (upper case, as
// the reader has it); 0 for a name with ':' or with a class, part or state the tables do not hold.
UINT ParseSchemaSectionKey(const CString& strSection);
// The value of a property of that name and type from its text; FALSE when no value is built (int list).
BOOL ParseSchemaValue(const CString& strName, int nType, const CString& strValue,
                      CTkSkinManagerSchemaProperty* pProperty);

class CTkSkinManagerSchema {
public:
    explicit CTkSkinManagerSchema(CTkSkinManager* pManager);
    virtual ~CTkSkinManagerSchema();
    CTkSkinManagerSchema(const CTkSkinManagerSchema&) = delete;
    CTkSkinManagerSchema& operator=(const CTkSkinManagerSchema&) = delete;

    // ---- Drawing, done by the schema the skin draws with; this base draws nothing.
    virtual BOOL DrawThemeBackground(CDC* pDC, CTkSkinManagerClass* pClass, int nPartId, int nStateId,
                                     const RECT* pRect);
    virtual void DrawFrame(CDC* pDC, CTkSkinObjectFrame* pFrame);
    virtual RECT* CalcFrameBorders(RECT* pBorders, DWORD dwStyle, DWORD dwExStyle);
    virtual RECT* GetFrameBorders(RECT* pBorders, CWnd* pWnd);
    virtual HRGN GetFrameRegion(CTkSkinObjectFrame* pFrame, int nWidth, int nHeight);
    virtual void FreeFrameRegions();
    virtual void DrawScrollBar(CDC* pDC, CTkSkinObjectFrame* pFrame, SCROLLBARPOSITION* pScrollBar);
    // The colour of the box between a window's two scroll bars: the skin's button face.
    virtual COLORREF GetScrollBarSizeBoxColor(CTkSkinObjectFrame* pFrame);

    // ---- Reading
    // Replaces every property with those of the source's INI text; always S_OK.
    HRESULT ReadSchema(CTkSkinManagerResourceFile* pResourceFile);
    void RemoveAllProperties();

    // ---- Lookup: state, then part, then class, then the GLOBALS class.
    CTkSkinManagerSchemaProperty* FindProperty(int nClassId, int nPartId, int nStateId, int nPropertyId) const;
    // S_OK and the value when found with the asked type, E_INVALIDARG when found with another type,
    // E_FAIL when not found; the out value is written only on S_OK. Colours pass the colour filters.
    HRESULT GetIntProperty(int nClassId, int nPartId, int nStateId, int nPropertyId, int* pnValue) const;
    HRESULT GetBoolProperty(int nClassId, int nPartId, int nStateId, int nPropertyId, BOOL* pbValue) const;
    HRESULT GetColorProperty(int nClassId, int nPartId, int nStateId, int nPropertyId, COLORREF* pclrValue) const;
    HRESULT GetFontProperty(int nClassId, int nPartId, int nStateId, int nPropertyId, LOGFONTW* plfValue) const;
    // The skin colour of a system colour index, from the metrics.
    COLORREF GetMetricsColor(int nIndex) const;

    // Images with alpha are premultiplied when loaded unless the skin's documentation sets ALPHALEVEL 255.
    BOOL IsPremultipliedAlpha() const { return m_bPremultipliedAlpha; }
    const CString& GetSchemaName() const { return m_strSchemaName; }
    CTkSkinManager* GetManager() const { return m_pManager; }

protected:
    // The property when found with that type; *phr says why not otherwise.
    const CTkSkinManagerSchemaProperty* FindTypedProperty(int nClassId, int nPartId, int nStateId, int nPropertyId,
                                                          int nType, HRESULT* phr) const;
    void ReadLine(CString strLine, UINT* pnSectionKey);

    BOOL m_bPremultipliedAlpha = TRUE;
    CMap<UINT, UINT, CTkSkinManagerSchemaProperty*, CTkSkinManagerSchemaProperty*> m_mapProperties;  // owned
    CTkSkinManager* m_pManager;                                                                      // not owned
    CString m_strSchemaName;
    int m_nGlobalsClassId;  // the last step of every lookup
};
