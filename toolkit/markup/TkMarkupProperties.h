#pragma once
#include "TkMarkupObject.h"

#include <vector>

// CTkMarkupProperties: a value store, one slot per property index. The local values of an object
// (owner = that object, which becomes the logical parent of each value) and the sealed values of styles
// and the trigger values of elements (no owner). The store has as many slots as properties were
// registered when it was made: a property registered later has no slot in it. Reports the object type.

class CTkMarkupProperties : public CTkMarkupObject {
public:
    explicit CTkMarkupProperties(CTkMarkupObject* pOwner);

    // The value in the property's slot (borrowed); NULL for no slot.
    CTkMarkupObject* Get(CTkMarkupDependencyProperty* pProperty) const;
    // Takes over pValue (NULL empties the slot) and releases the previous value; without a slot pValue
    // is released and nothing changes.
    void Set(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue);
    // Puts every value of other into the same slot, with a reference of its own.
    void CopyFrom(const CTkMarkupProperties& other);

protected:
    ~CTkMarkupProperties() override;

private:
    CTkMarkupObject** SlotOf(CTkMarkupDependencyProperty* pProperty);
    void Store(CTkMarkupObject** pSlot, CTkMarkupObject* pValue);

    std::vector<CTkMarkupObject*> m_values;  // one reference each
    CTkMarkupObject* m_pOwner;               // not counted; NULL for styles and triggers
};
