#pragma once
#include "TkMarkupObject.h"

// CTkMarkupDelegate: a handler of routed events. Markup names a delegate in an event attribute; the host
// makes its delegates known to the context by name (CTkMarkupContext::RegisterDelegate). Reports the
// object type.

struct CTkMarkupRoutedEventArgs;

class CTkMarkupDelegate : public CTkMarkupObject {
public:
    // pSender: the element whose handler list holds this delegate.
    virtual void Execute(CTkMarkupObject* pSender, CTkMarkupRoutedEventArgs* pArgs) = 0;
};
