// The type registry: every markup type, built in one function in the order of the table below, on the
// first use of any type; then every type's properties are registered, base types first, so property
// indices are fixed before any value store exists. Nothing here is ever freed: globals that still hold
// markup when the process exits must not meet freed types or properties.

#include "TkMarkupType.h"

#include "TkMarkupBrush.h"
#include "TkMarkupBuilder.h"
#include "TkMarkupCollection.h"
#include "TkMarkupControls.h"
#include "TkMarkupDecorators.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupFrameworkElement.h"
#include "TkMarkupGrid.h"
#include "TkMarkupInlineUIContainer.h"
#include "TkMarkupKeyboardNavigation.h"
#include "TkMarkupResourceDictionary.h"
#include "TkMarkupRun.h"
#include "TkMarkupScrollBar.h"
#include "TkMarkupScrollViewer.h"
#include "TkMarkupShapes.h"
#include "TkMarkupSpan.h"
#include "TkMarkupStyle.h"
#include "TkMarkupSystemColors.h"
#include "TkMarkupTextBlock.h"
#include "TkMarkupValues.h"

#include <string>
#include <unordered_map>

namespace {

// The types in construction order: class, markup tag, base-type accessor, property registration.
// clang-format off
#define MARKUP_TYPES(X) \
    X(CTkMarkupDependencyProperty,      nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupType,                    nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupObject,                  nullptr, nullptr,                        &CTkMarkupObject::RegisterProperties) \
    X(CTkMarkupThickness,               nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupInt,                     nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupDouble,                  nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupEnum,                    nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupBool,                    nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupColor,                   L"Color", &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupString,                  nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupCollection,              nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupBrush,                   nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupSolidColorBrush,         L"SolidColorBrush", &CTkMarkupBrush::GetClassType, &CTkMarkupSolidColorBrush::RegisterProperties) \
    X(CTkMarkupPoint,                   nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupGradientStop,            L"GradientStop", &CTkMarkupObject::GetClassType, &CTkMarkupGradientStop::RegisterProperties) \
    X(CTkMarkupLinearGradientBrush,     L"LinearGradientBrush", &CTkMarkupBrush::GetClassType, &CTkMarkupLinearGradientBrush::RegisterProperties) \
    X(CTkMarkupVisual,                  nullptr, &CTkMarkupInputElement::GetClassType, nullptr) \
    X(CTkMarkupUIElement,               nullptr, &CTkMarkupVisual::GetClassType, &CTkMarkupUIElement::RegisterProperties) \
    X(CTkMarkupInputElement,            nullptr, &CTkMarkupObject::GetClassType, &CTkMarkupInputElement::RegisterProperties) \
    X(CTkMarkupResourceDictionary,      nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupSetter,                  L"Setter", &CTkMarkupObject::GetClassType, &CTkMarkupSetter::RegisterProperties) \
    X(CTkMarkupSetterColection,         nullptr, &CTkMarkupCollection::GetClassType, nullptr) \
    X(CTkMarkupStyle,                   L"Style", &CTkMarkupObject::GetClassType, &CTkMarkupStyle::RegisterProperties) \
    X(CTkMarkupTrigger,                 L"Trigger", &CTkMarkupObject::GetClassType, &CTkMarkupTrigger::RegisterProperties) \
    X(CTkMarkupTriggerCollection,       nullptr, &CTkMarkupCollection::GetClassType, nullptr) \
    X(CTkMarkupScrollBar,               nullptr, &CTkMarkupControl::GetClassType, nullptr) \
    X(CTkMarkupScrollBarGripper,        nullptr, &CTkMarkupUIElement::GetClassType, nullptr) \
    X(CTkMarkupScrollViewer,            L"ScrollViewer", &CTkMarkupContentControl::GetClassType, &CTkMarkupScrollViewer::RegisterProperties) \
    X(CTkMarkupTextBlock,               L"TextBlock", &CTkMarkupFrameworkElement::GetClassType, &CTkMarkupTextBlock::RegisterProperties) \
    X(CTkMarkupStackPanel,              L"StackPanel", &CTkMarkupPanel::GetClassType, &CTkMarkupStackPanel::RegisterProperties) \
    X(CTkMarkupWrapPanel,               L"WrapPanel", &CTkMarkupPanel::GetClassType, &CTkMarkupWrapPanel::RegisterProperties) \
    X(CTkMarkupShape,                   nullptr, &CTkMarkupFrameworkElement::GetClassType, &CTkMarkupShape::RegisterProperties) \
    X(CTkMarkupPointCollection,         nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupPolygon,                 L"Polygon", &CTkMarkupShape::GetClassType, &CTkMarkupPolygon::RegisterProperties) \
    X(CTkMarkupPolyline,                L"Polyline", &CTkMarkupShape::GetClassType, &CTkMarkupPolyline::RegisterProperties) \
    X(CTkMarkupRectangle,               L"Rectangle", &CTkMarkupShape::GetClassType, nullptr) \
    X(CTkMarkupEllipse,                 L"Ellipse", &CTkMarkupShape::GetClassType, nullptr) \
    X(CTkMarkupLine,                    L"Line", &CTkMarkupShape::GetClassType, &CTkMarkupLine::RegisterProperties) \
    X(CTkMarkupPage,                    L"Page", &CTkMarkupFrameworkElement::GetClassType, nullptr) \
    X(CTkMarkupFrameworkContentElement, L"FrameworkContentElement", &CTkMarkupInputElement::GetClassType, &CTkMarkupFrameworkContentElement::RegisterProperties) \
    X(CTkMarkupTextElement,             L"TextElement", &CTkMarkupFrameworkContentElement::GetClassType, &CTkMarkupTextElement::RegisterProperties) \
    X(CTkMarkupInline,                  nullptr, &CTkMarkupTextElement::GetClassType, &CTkMarkupInline::RegisterProperties) \
    X(CTkMarkupRun,                     L"Run", &CTkMarkupInline::GetClassType, &CTkMarkupRun::RegisterProperties) \
    X(CTkMarkupLineBreak,               L"LineBreak", &CTkMarkupRun::GetClassType, nullptr) \
    X(CTkMarkupInlineCollection,        nullptr, &CTkMarkupCollection::GetClassType, nullptr) \
    X(CTkMarkupSpan,                    L"Span", &CTkMarkupInline::GetClassType, nullptr) \
    X(CTkMarkupBold,                    L"Bold", &CTkMarkupSpan::GetClassType, nullptr) \
    X(CTkMarkupHyperlink,               L"Hyperlink", &CTkMarkupSpan::GetClassType, &CTkMarkupHyperlink::RegisterProperties) \
    X(CTkMarkupItalic,                  L"Italic", &CTkMarkupSpan::GetClassType, nullptr) \
    X(CTkMarkupUnderline,               L"Underline", &CTkMarkupSpan::GetClassType, nullptr) \
    X(CTkMarkupInlineUIContainer,       L"InlineUIContainer", &CTkMarkupInline::GetClassType, nullptr) \
    X(CTkMarkupButtonBase,              nullptr, &CTkMarkupContentControl::GetClassType, &CTkMarkupButtonBase::RegisterProperties) \
    X(CTkMarkupButton,                  L"Button", &CTkMarkupButtonBase::GetClassType, nullptr) \
    X(CTkMarkupToggleButton,            nullptr, &CTkMarkupButtonBase::GetClassType, &CTkMarkupToggleButton::RegisterProperties) \
    X(CTkMarkupCheckBox,                L"CheckBox", &CTkMarkupToggleButton::GetClassType, nullptr) \
    X(CTkMarkupRadioButton,             L"RadioButton", &CTkMarkupToggleButton::GetClassType, nullptr) \
    X(CTkMarkupControl,                 L"Control", &CTkMarkupFrameworkElement::GetClassType, &CTkMarkupControl::RegisterProperties) \
    X(CTkMarkupContentControl,          nullptr, &CTkMarkupControl::GetClassType, &CTkMarkupContentControl::RegisterProperties) \
    X(CTkMarkupPanel,                   L"Panel", &CTkMarkupFrameworkElement::GetClassType, &CTkMarkupPanel::RegisterProperties) \
    X(CTkMarkupImage,                   L"Image", &CTkMarkupFrameworkElement::GetClassType, &CTkMarkupImage::RegisterProperties) \
    X(CTkMarkupGridLength,              nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupColumnDefinition,        L"ColumnDefinition", &CTkMarkupObject::GetClassType, &CTkMarkupColumnDefinition::RegisterProperties) \
    X(CTkMarkupRowDefinition,           L"RowDefinition", &CTkMarkupObject::GetClassType, &CTkMarkupRowDefinition::RegisterProperties) \
    X(CTkMarkupDefinitionCollection,    nullptr, &CTkMarkupCollection::GetClassType, nullptr) \
    X(CTkMarkupRowDefinitionCollection, nullptr, &CTkMarkupDefinitionCollection::GetClassType, nullptr) \
    X(CTkMarkupColumnDefinitionCollection, nullptr, &CTkMarkupDefinitionCollection::GetClassType, nullptr) \
    X(CTkMarkupGrid,                    L"Grid", &CTkMarkupPanel::GetClassType, &CTkMarkupGrid::RegisterProperties) \
    X(CTkMarkupCanvas,                  L"Canvas", &CTkMarkupPanel::GetClassType, &CTkMarkupCanvas::RegisterProperties) \
    X(CTkMarkupBorder,                  L"Border", &CTkMarkupFrameworkElement::GetClassType, &CTkMarkupBorder::RegisterProperties) \
    X(CTkMarkupFrameworkElement,        L"FrameworkElement", &CTkMarkupUIElement::GetClassType, &CTkMarkupFrameworkElement::RegisterProperties) \
    X(CTkMarkupObjectProperty,          nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupColorKey,                nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupBrushKey,                nullptr, &CTkMarkupObject::GetClassType, nullptr) \
    X(CTkMarkupKeyboardNavigation,      L"KeyboardNavigation", &CTkMarkupObject::GetClassType, &CTkMarkupKeyboardNavigation::RegisterProperties)
// clang-format on

#define MARKUP_TYPE_ID(cls, tag, base, reg) kTypeOf##cls,
enum MarkupTypeId { MARKUP_TYPES(MARKUP_TYPE_ID) kTypeCount };

template <class T>
CTkMarkupObject* CreateInstance() {
    return new T;
}

struct TypeRow {
    LPCWSTR lpszTag;
    LPCWSTR lpszClassName;
    CTkMarkupType::Factory pfnFactory;
    CTkMarkupType::BaseAccessor pfnBase;
    CTkMarkupType::RegisterRoutine pfnRegister;
};

#define MARKUP_TYPE_ROW(cls, tag, base, reg) {tag, L"" #cls, &CreateInstance<cls>, base, reg},
const TypeRow kTypeRows[] = {MARKUP_TYPES(MARKUP_TYPE_ROW)};
static_assert(sizeof(kTypeRows) / sizeof(kTypeRows[0]) == kTypeCount);

struct Registry {
    CTkMarkupType* types[kTypeCount] = {};
    CTkMarkupType* pFirstType = nullptr;
    std::unordered_map<std::wstring, CTkMarkupType*> typesByTag;
};

Registry* s_pRegistry = nullptr;  // never freed

}  // namespace

class CTkMarkupTypeRegistry {
public:
    static const Registry& Get() {
        if (s_pRegistry == nullptr)
            Build();
        return *s_pRegistry;
    }

private:
    static void Build() {
        // Published before the registration routines run: they ask for the types of their values.
        s_pRegistry = new Registry;
        CTkMarkupType** ppNext = &s_pRegistry->pFirstType;
        for (int i = 0; i < kTypeCount; i++) {
            const TypeRow& row = kTypeRows[i];
            auto* pType =
                new CTkMarkupType(row.lpszTag, row.lpszClassName, row.pfnFactory, row.pfnBase, row.pfnRegister);
            pType->MakeProcessWide();
            s_pRegistry->types[i] = pType;
            if (row.lpszTag != nullptr && row.lpszTag[0] != 0)
                s_pRegistry->typesByTag[row.lpszTag] = pType;
            *ppNext = pType;
            ppNext = &pType->m_pNextType;
        }
        for (CTkMarkupType* pType = s_pRegistry->pFirstType; pType != nullptr; pType = pType->GetNextType())
            CTkMarkupType::EnsureRegistered(pType);
    }
};

#define MARKUP_TYPE_ACCESSOR(cls, tag, base, reg) \
    CTkMarkupType* cls::GetClassType() { \
        return CTkMarkupTypeRegistry::Get().types[kTypeOf##cls]; \
    }
MARKUP_TYPES(MARKUP_TYPE_ACCESSOR)

CTkMarkupType* CTkMarkupType::FindType(LPCWSTR lpszTag) {
    if (lpszTag == nullptr)
        return nullptr;
    const auto& typesByTag = CTkMarkupTypeRegistry::Get().typesByTag;
    const auto it = typesByTag.find(lpszTag);
    return it != typesByTag.end() ? it->second : nullptr;
}

CTkMarkupType* CTkMarkupType::GetFirstType() {
    return CTkMarkupTypeRegistry::Get().pFirstType;
}

void CTkMarkupType::EnsureAllRegistered() {
    CTkMarkupTypeRegistry::Get();
}
