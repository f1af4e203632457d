#pragma once
#include "mfc.h"

#include "TkSkinImage.h"

// CTkSkinManagerClass: one visual-style class of the loaded skin ("BUTTON", "SCROLLBAR", "WINDOW", ...):
// typed property queries for a part and state with a cache in front of the schema, and the drawing of
// backgrounds, texts and part sizes. A class pointer is also the theme handle that the visual-styles
// replacements hand out.
//
// The skin manager makes classes on demand and deletes them all whenever it loads a skin; a class keeps
// the images it drew until then. Used by painting threads; no locks.

class CTkSkinManager;
class CTkSkinManagerSchemaProperty;

class CTkSkinManagerClass {
public:
    explicit CTkSkinManagerClass(CTkSkinManager* pManager);
    virtual ~CTkSkinManagerClass();
    CTkSkinManagerClass(const CTkSkinManagerClass&) = delete;
    CTkSkinManagerClass& operator=(const CTkSkinManagerClass&) = delete;

    // Set by the manager right after construction: the upper-cased name and its schema class id.
    void SetClass(const CString& strClassName, int nClassId);
    const CString& GetName() const { return m_strClassName; }
    int GetClassId() const { return m_nClassId; }
    CTkSkinImages* GetImages() { return &m_images; }

    // ---- Properties (part, state, property id, default): the value when the schema has the property with
    // this type, else the default. Colours found pass the colour filters.
    CTkSkinManagerSchemaProperty* FindProperty(int nType, int nPartId, int nStateId, int nPropertyId);
    CString GetStringProperty(int nPartId, int nStateId, int nPropertyId, LPCWSTR pszDefault = L"");
    int GetIntProperty(int nPartId, int nStateId, int nPropertyId, int nDefault);
    BOOL GetBoolProperty(int nPartId, int nStateId, int nPropertyId, BOOL bDefault);
    COLORREF GetColorProperty(int nPartId, int nStateId, int nPropertyId, COLORREF clrDefault);
    RECT GetRectProperty(int nPartId, int nStateId, int nPropertyId, int nLeft, int nTop, int nRight, int nBottom);
    int GetEnumProperty(int nPartId, int nStateId, int nPropertyId, int nDefault);
    POINT GetPositionProperty(int nPartId, int nStateId, int nPropertyId, int x, int y);
    // The image a part's background is drawn from: IMAGEFILE, or IMAGEFILE1 (IMAGEFILE when that is empty)
    // for a part that chooses its images by size; empty when the part names none.
    CString GetBackgroundImageFile(int nPartId, int nStateId);

    // ---- Drawing
    BOOL DrawBackground(CDC* pDC, int nPartId, int nStateId, const RECT* pRect);
    // The text in the part's colour, between its caption margins, with its shadow; the text colour stays
    // set in the DC. Always TRUE.
    BOOL DrawText(CDC* pDC, int nPartId, int nStateId, const CString& strText, DWORD dwTextFlags, const RECT* pRect);
    // The size of an image part: nSizeKind 1 (TS_TRUE) its cell, 2 (TS_DRAW) the size it is drawn at in
    // pRect; any other kind leaves *pSize alone. FALSE for a part not drawn from an image or without one.
    BOOL GetPartSize(int nPartId, int nStateId, const RECT* pRect, int nSizeKind, SIZE* pSize);

private:
    CTkSkinManager* m_pManager;  // not owned
    CString m_strClassName;
    int m_nClassId = 0;
    CTkSkinImages m_images;
    // state << 20 | part << 14 | property id -> the schema's property, or NULL when the schema has none;
    // the properties belong to the schema.
    CMap<UINT, UINT, CTkSkinManagerSchemaProperty*, CTkSkinManagerSchemaProperty*> m_mapProperties;
};
