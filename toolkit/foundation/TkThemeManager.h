#pragma once
#include "TkThemeManagerStyle.h"

#include <memory>
#include <vector>

// The theme manager: how a small themed window class (caption bar, push button, caption button) draws
// through an exchangeable style object.
//
// Every themed control class is a CTkThemeManagerStyleHost and names one factory class. All controls
// of that class share the one factory the manager keeps for it, and that factory holds one style for
// the current theme number. A control can be given a private style instead (SetCustomStyle): it then
// draws with a private factory of its own that holds that style, and the shared style of the other
// controls is untouched.
//
// Ownership: the manager owns the shared factories (deleted when it is destroyed at exit); a factory
// owns its style; a host owns its private factory. A factory keeps the hosts that draw with it (not
// owned) to tell them when its style is replaced. UI thread only; no locks.

class CTkThemeManagerStyleHost;

class CTkThemeManagerStyleFactory : public CObject {
    DECLARE_DYNCREATE(CTkThemeManagerStyleFactory)
public:
    CTkThemeManagerStyleFactory() = default;
    // Deletes the style; hosts still drawing with the factory lose it (they see no style).
    ~CTkThemeManagerStyleFactory() override;

    // ---- The style
    // A new style for the theme number (1 Office XP, 2 Office 2003, anything else the default), which
    // it keeps; the base makes none (NULL).
    virtual CTkThemeManagerStyle* CreateStyle(int nTheme);
    // Refresh of the style, when there is one.
    virtual void RefreshStyle();
    // The style, made on first call for the manager's theme number and refreshed; NULL when
    // CreateStyle makes none.
    CTkThemeManagerStyle* GetStyle();
    // Takes over pStyle in place of the current style (deleted), refreshes it and tells every host of
    // the factory (OnStyleChanged). NULL is ignored.
    void ReplaceStyle(CTkThemeManagerStyle* pStyle);

    // ---- Hosts drawing with this factory
    void AddHost(CTkThemeManagerStyleHost* pHost);
    void RemoveHost(CTkThemeManagerStyleHost* pHost);

private:
    void InstallStyle(CTkThemeManagerStyle* pStyle);

    CTkThemeManagerStyle* m_pStyle = nullptr;        // owned
    std::vector<CTkThemeManagerStyleHost*> m_hosts;  // not owned
};

class CTkThemeManager : public CNoTrackObject {
public:
    CTkThemeManager() = default;
    // Deletes every shared factory.
    ~CTkThemeManager() override;

    // The factory every control of pFactoryClass shares, made by dynamic creation on first request;
    // NULL for NULL or a class that is no creatable factory class.
    CTkThemeManagerStyleFactory* GetSharedFactory(CRuntimeClass* pFactoryClass);
    // 0 default, 1 Office XP, 2 Office 2003. The program draws in the default theme: nothing sets it.
    int GetThemeNumber() const { return m_nTheme; }

private:
    CMapPtrToPtr m_sharedFactories{10};  // CRuntimeClass* -> owned CTkThemeManagerStyleFactory*
    int m_nTheme = 0;
};

// The process-wide manager, made on first use.
CTkThemeManager* GetThemeManager();

// The second base of every themed control class: which factory the control draws with, and its
// private style.
class CTkThemeManagerStyleHost {
public:
    // Attaches the host to the shared factory of pFactoryClass when that is not NULL.
    explicit CTkThemeManagerStyleHost(CRuntimeClass* pFactoryClass);
    // Leaves its factory and deletes its private factory.
    virtual ~CTkThemeManagerStyleHost();
    CTkThemeManagerStyleHost(const CTkThemeManagerStyleHost&) = delete;
    CTkThemeManagerStyleHost& operator=(const CTkThemeManagerStyleHost&) = delete;

    // Draws with the shared factory of pFactoryClass from now on (a private style still wins);
    // derived control classes call it to name their own factory class.
    void AttachFactoryClass(CRuntimeClass* pFactoryClass);
    // The private factory when there is one, else the shared one; NULL when neither.
    CTkThemeManagerStyleFactory* GetFactory() const;
    // The style the control draws with: the GetStyle of GetFactory; NULL without a factory.
    CTkThemeManagerStyle* GetThemeStyle() const;
    // Gives the control a private style, which the host takes over (pStyle), or returns it to the
    // shared style (NULL). NULL without a private style does nothing. When no private factory can be
    // made the style is deleted and the control keeps what it had.
    void SetCustomStyle(CTkThemeManagerStyle* pStyle);

protected:
    // A new factory of the host's factory class, to hold a private style; NULL without a class.
    virtual CTkThemeManagerStyleFactory* CreatePrivateFactory();
    // The style the control draws with changed.
    virtual void OnStyleChanged() {}

private:
    friend class CTkThemeManagerStyleFactory;

    CRuntimeClass* m_pFactoryClass = nullptr;
    std::unique_ptr<CTkThemeManagerStyleFactory> m_pPrivateFactory;
    CTkThemeManagerStyleFactory* m_pSharedFactory = nullptr;  // the manager's
};
