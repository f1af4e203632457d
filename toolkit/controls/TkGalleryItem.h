#pragma once
#include "mfc.h"

#include <vector>

// The items a gallery control shows. CTkGalleryItemCollection holds them in display order with the sizes
// the gallery scrolls and navigates by; it is attached to a command action (the action's Items) and so is
// shared by every gallery bound to that action. CTkGalleryItem is one entry: a picture or text to choose,
// or a label heading a group of them.
//
// Reference counted: the action holds one reference on the collection, the collection one on each item.
// Galleries hold none. UI thread only.

class CTkControlGallery;
class CTkGalleryItemCollection;
class CTkImageManager;

class CTkGalleryItem : public CCmdTarget {
public:
    CTkGalleryItem() = default;

    // Its own size when set, else the collection's item size; a width of 0 spans the item area.
    virtual CSize GetSize();
    // Labels through the gallery painter; other items as a button face with the image of ImageId (Id when
    // negative) centred, or the caption when there is no image.
    virtual void Draw(CDC* pDC, CTkControlGallery* pGallery, CRect rc, BOOL bEnabled, BOOL bHot, BOOL bPressed,
                      BOOL bChecked);

    int m_nId = 0;
    int m_nIndex = 0;      // the position in the collection
    int m_nImageId = -1;   // negative: Id
    CString m_strCaption;  // '&' marks a mnemonic
    CString m_strTooltipText;
    CString m_strDescriptionText;
    BOOL m_bLabel = FALSE;                         // a heading, never highlighted
    CSize m_szItem{0, 0};                          // (0, 0): the collection's size
    CTkGalleryItemCollection* m_pItems = nullptr;  // not referenced: the collection holds the item
};

class CTkGalleryItemCollection : public CCmdTarget {
public:
    CTkGalleryItemCollection() = default;
    // Releases the items.
    ~CTkGalleryItemCollection() override;

    // Appends a new item (the collection's reference) and answers it.
    CTkGalleryItem* AddItem(int nId, LPCWSTR pszCaption);
    CTkGalleryItem* AddLabel(LPCWSTR pszCaption);
    // Appends the item, taking over the caller's reference.
    CTkGalleryItem* Add(CTkGalleryItem* pItem);
    void RemoveAll();
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    // NULL outside [0, count).
    CTkGalleryItem* GetItem(int nIndex) const;

    // Draws an item itself and answers TRUE, or FALSE to let the item draw itself (here always).
    virtual BOOL DrawItem(CDC* pDC, CTkControlGallery* pGallery, CTkGalleryItem* pItem, CRect rc, BOOL bEnabled,
                          BOOL bHot, BOOL bPressed, BOOL bChecked);

    int m_nItemWidth = 0;                        // the default width; keyboard moves and the minimum width use it
    int m_nItemHeight = 0;                       // the line and wheel step, the minimum height
    CTkImageManager* m_pImageManager = nullptr;  // not owned; handed to item tooltips, may be NULL
    BOOL m_bPartialRedraw = FALSE;               // a highlight change repaints only the items concerned

private:
    std::vector<CTkGalleryItem*> m_items;  // one reference each
};
